// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <string_view>

namespace talvo {

/// The batch lines that start the outside viewer on the program file from its own folder.
/// Their text never depends on the values typed.
// clang-format off: one batch line a row
inline constexpr std::array<std::string_view, 9> kLauncherLines = {
    "Cls", "CD\\",   "Cls", "cd\\", "cd Program Files", "cd NCPlot v2.05", "NCPlot.exe/ALANTEMIZLEME.TXT",
    "Cls", "exit/b",
};
// clang-format on

/// Writes the nine launcher lines, each closed by CR LF.
void WriteLauncher(std::ostream& out);

/// The launcher file's whole text.
std::string LauncherText();

}  // namespace talvo
