// SPDX-License-Identifier: MIT
// One talvo-plot.exe window per program file: each window carries a mark of its file, so a
// second start on the same file finds the first and brings it forward instead.
#pragma once

#include "win32_plot_windows_h.h"

#include <filesystem>

namespace talvo::plot {

inline constexpr wchar_t kPlotWindowClass[] = L"TalvoPlotWindow";

/// Marks `window` as the one showing `file`.
void MarkPlotWindow(HWND window, const std::filesystem::path& file);
/// The top-level talvo-plot window of any process that shows `file`, or null.
HWND FindPlotWindow(const std::filesystem::path& file);
/// The message a second start sends the first: reload the file and come forward.
UINT PlotActivateMessage();

}  // namespace talvo::plot
