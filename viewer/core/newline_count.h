// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string_view>

namespace talvo::plot {

/// How many '\n' the text holds: the room a large program's lines need is counted before it
/// is read, so the count is one more pass over every byte and goes eight bytes at a time.
std::size_t CountNewlines(std::string_view text);

}  // namespace talvo::plot
