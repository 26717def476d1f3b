// SPDX-License-Identifier: MIT
// talvo-plot.exe reads a large program on a worker thread, so that its window is shown and
// answers at once.
#pragma once

#include "win32_plot_windows_h.h"

#include <filesystem>
#include <memory>
#include <thread>

#include "loaded_plot.h"

namespace talvo::plot {

/// The message a finished reading posts to its window; the window then calls Take().
inline constexpr UINT kPlotReadMessage = WM_APP + 20;

/// One reading of a program file. A small file is read on the spot, as a thread would cost more
/// than the reading; a larger one on a worker thread that posts kPlotReadMessage to `window`
/// when done. Destroying the reading stops the worker within a chunk of lines and waits for it.
class PlotReading {
 public:
  /// Files from this size on are read on the worker thread.
  static constexpr std::uintmax_t kElsewhereFrom = std::uintmax_t{256} * 1024;

  PlotReading(const std::filesystem::path& file, HWND window);
  ~PlotReading();
  PlotReading(const PlotReading&) = delete;
  PlotReading& operator=(const PlotReading&) = delete;

  /// True when the file is read on the worker thread: Take() waits for kPlotReadMessage.
  bool OnWorker() const { return worker_.joinable(); }
  /// The share read, 0 to 100.
  int Percent() const { return progress_.Percent(); }
  /// The plot, once read (at once for a small file, after kPlotReadMessage for a large one);
  /// null before, and after it has been taken.
  std::unique_ptr<LoadedPlot> Take();

 private:
  ReadProgress progress_;
  std::unique_ptr<LoadedPlot> plot_;
  std::thread worker_;
};

}  // namespace talvo::plot
