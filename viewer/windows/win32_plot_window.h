// SPDX-License-Identifier: MIT
// talvo-plot.exe's window: the picture, the program text with line ↔ move selection, and beside
// them the job summary and the lines refused or passed over, above them the settings strip;
// reloaded when the file changes.
#pragma once

#include "win32_plot_windows_h.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "job_summary.h"
#include "loaded_plot.h"
#include "win32_plot_canvas.h"
#include "win32_plot_file_stamp.h"
#include "win32_plot_kept_settings.h"
#include "win32_plot_lines.h"
#include "win32_plot_reading.h"
#include "win32_plot_settings_bar.h"

namespace talvo::plot {

class PlotWindow {
 public:
  /// Makes the window, not yet shown, with the kept settings, and reads `file`: a large file on a
  /// worker thread, the window showing the progress meanwhile. The rapid rate and pierce delay
  /// of `job` win where the program's own command line gave them.
  PlotWindow(std::filesystem::path file, KeptPlotSettings settings);
  ~PlotWindow();
  PlotWindow(const PlotWindow&) = delete;
  PlotWindow& operator=(const PlotWindow&) = delete;

  HWND Handle() const { return window_; }
  /// The program ends its message loop when the window closes.
  void QuitOnClose() { quitOnClose_ = true; }
  /// Handles a key meant for the picture from wherever the focus is; false when not one.
  bool PictureKey(const MSG& message);

  const LoadedPlot& Plot() const { return *plot_; }
  const KeptPlotSettings& Settings() const { return settings_; }
  PlotSettingsBar& SettingsBar() { return *bar_; }
  PlotCanvas& Canvas() { return *canvas_; }
  /// Selects a line of the text and highlights the moves it commands.
  void SelectLine(std::uint32_t line);
  /// Selects the line of the move near the screen point of the picture; false when none is near.
  bool SelectNear(int x, int y);
  int SelectedLine() const { return lines_->Selected(); }
  std::pair<std::size_t, std::size_t> Highlighted() const { return canvas_->Extras().highlight; }
  /// The text beside the picture: the selected move, the summary, the lines refused or passed over.
  std::wstring SideText() const;

  /// Reads the file again when it changed and has stayed the same since the last look, so a
  /// file still being written is not drawn half. True when it was read again.
  bool CheckFile();
  void Reload();
  /// True while the file is being read on the worker thread.
  bool Busy() const { return reading_ != nullptr; }
  HWND ProgressBar() const { return progress_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Layout();
  void ShowSideText();
  void ApplySettings();
  void StartReading(bool fit);
  void ShowRead(std::unique_ptr<LoadedPlot> fresh, bool fit);
  void EndReading();

  std::filesystem::path file_;
  KeptPlotSettings settings_;
  std::unique_ptr<LoadedPlot> plot_;
  FileStamp loaded_, seen_;
  HWND window_ = nullptr;
  std::unique_ptr<PlotCanvas> canvas_;
  std::unique_ptr<ProgramLinesList> lines_;
  std::unique_ptr<PlotSettingsBar> bar_;
  HWND side_ = nullptr;
  HWND progress_ = nullptr;  // shown while the file is read on the worker thread
  std::unique_ptr<PlotReading> reading_;
  bool fitWhenRead_ = false;
  bool quitOnClose_ = false;
};

}  // namespace talvo::plot
