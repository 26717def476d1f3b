// SPDX-License-Identifier: MIT
// The strip of settings above talvo-plot.exe's panes: an edit box a setting and the kerf band's
// switch. A box takes only a value its setting may take; a value left invalid when the box loses
// the focus gives way to the last valid one.
#pragma once

#include "win32_plot_windows_h.h"

#include <array>
#include <functional>
#include <vector>

#include "setting_limits.h"
#include "win32_plot_kept_settings.h"

namespace talvo::plot {

class PlotSettingsBar {
 public:
  /// Creates the controls as children of `parent`, showing `settings` (kept by the caller, which
  /// `onChange` hears of after each value taken).
  PlotSettingsBar(HWND parent, KeptPlotSettings& settings, std::function<void()> onChange);
  PlotSettingsBar(const PlotSettingsBar&) = delete;
  PlotSettingsBar& operator=(const PlotSettingsBar&) = delete;

  /// Places the strip across the top of `width`; its height.
  int Place(int left, int top, int width);
  /// Handles the parent's WM_COMMAND when it comes from the strip; false otherwise.
  bool Command(WPARAM wParam, LPARAM lParam);

  /// Shows the settings again after they were changed from outside the strip.
  void ShowSettings();
  /// True when `control` is one of the strip's edit boxes.
  bool Holds(HWND control) const;
  HWND Box(const SettingLimits& limits) const;
  HWND ShowKerf() const { return showKerf_; }

 private:
  struct Field {
    const SettingLimits* limits;
    double* value;
    HWND label;
    HWND box;
  };
  void Show(const Field& field);

  KeptPlotSettings& settings_;
  std::function<void()> onChange_;
  std::vector<Field> fields_;
  HWND kerfLabel_ = nullptr;
  HWND showKerf_ = nullptr;
  bool showing_ = false;
};

}  // namespace talvo::plot
