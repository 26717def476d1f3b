// SPDX-License-Identifier: MIT
// The program text of talvo-plot.exe, one row a line, in a virtual list view: rows are made
// only when shown, so a program of a million lines opens at once.
#pragma once

#include "win32_plot_windows_h.h"

#include <cstdint>
#include <string>

#include "loaded_plot.h"

namespace talvo::plot {

/// Line `line` (zero-based) of the program's text, without its line end.
std::string ProgramLine(const LoadedPlot& plot, std::uint32_t line);

class ProgramLinesList {
 public:
  explicit ProgramLinesList(HWND parent);
  HWND Handle() const { return window_; }

  void SetPlot(const LoadedPlot* plot);
  /// Selects and shows the line, without telling the owner.
  void Select(std::uint32_t line);
  /// The selected line, or -1.
  int Selected() const;
  /// Answers the list's WM_NOTIFY; true when the user selected line `line`.
  bool Notified(const NMHDR& header, std::uint32_t& line);

 private:
  HWND window_ = nullptr;
  const LoadedPlot* plot_ = nullptr;
  std::wstring shown_;  // the row text last handed out
  bool selecting_ = false;
};

}  // namespace talvo::plot
