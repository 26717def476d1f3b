// SPDX-License-Identifier: MIT
#pragma once

namespace talvo::platform {

/// Makes standard output pass CR LF through unchanged (Windows would add a CR of its own).
void BinaryStdout();

}  // namespace talvo::platform
