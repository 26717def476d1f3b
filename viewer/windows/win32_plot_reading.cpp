// SPDX-License-Identifier: MIT
#include "win32_plot_reading.h"

#include <system_error>

#include "win32_plot_reader_path.h"

namespace talvo::plot {

PlotReading::PlotReading(const std::filesystem::path& file, HWND window) {
  const std::string path = ReaderPath(file.wstring());
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size < kElsewhereFrom) {
    plot_ = std::make_unique<LoadedPlot>(LoadPlot(path));
    return;
  }
  // Only the worker touches plot_ until it posts; the window takes it after the message.
  worker_ = std::thread([this, path, window] {
    plot_ = std::make_unique<LoadedPlot>(LoadPlot(path, &progress_));
    PostMessageW(window, kPlotReadMessage, 0, 0);
  });
}

PlotReading::~PlotReading() {
  progress_.stop = true;
  if (worker_.joinable()) worker_.join();
}

std::unique_ptr<LoadedPlot> PlotReading::Take() {
  if (worker_.joinable()) worker_.join();
  return std::move(plot_);
}

}  // namespace talvo::plot
