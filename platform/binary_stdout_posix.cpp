// SPDX-License-Identifier: MIT
#include "binary_stdout.h"

namespace talvo::platform {

void BinaryStdout() {}  // standard output is always binary here

}  // namespace talvo::platform
