// SPDX-License-Identifier: MIT
#include "large_pages.h"

namespace talvo::plot {

// Windows gives large pages only to accounts holding the right to lock memory, which an
// operator's account does not: buffers keep the ordinary pages.
void AdviseLargePages(void*, std::size_t) {}

// The pages come as they are first written.
void PrefaultPages(void*, std::size_t) {}

}  // namespace talvo::plot
