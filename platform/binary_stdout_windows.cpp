// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "binary_stdout.h"

namespace talvo::platform {

void BinaryStdout() { _setmode(_fileno(stdout), _O_BINARY); }

}  // namespace talvo::platform
