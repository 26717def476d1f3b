// SPDX-License-Identifier: MIT
#pragma once

namespace talvo::test_support {

/// The launcher file as every run must leave it, written out byte for byte.
inline constexpr const char* kLauncherBytes =
    "Cls\r\nCD\\\r\nCls\r\ncd\\\r\ncd Program Files\r\ncd NCPlot v2.05\r\n"
    "NCPlot.exe/ALANTEMIZLEME.TXT\r\nCls\r\nexit/b\r\n";

}  // namespace talvo::test_support
