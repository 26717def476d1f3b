// SPDX-License-Identifier: MIT
// talvo-plot.exe's settings kept between runs in the registry, one text value a setting under
// HKEY_CURRENT_USER\Software\TALVO-ZAVODO\talvo-plot, checked as the Linux viewer checks its own.
#pragma once

#include <string>
#include <vector>

#include "plot_command_line.h"
#include "viewer_settings.h"

namespace talvo::plot {

inline constexpr wchar_t kKeptSettingsKey[] = L"Software\\TALVO-ZAVODO\\talvo-plot";

struct KeptPlotSettings : ViewerSettings {
  /// Never fails: a kept value its setting may not take is noted in `ignored`.
  static KeptPlotSettings Load();
  void Save() const;
};

/// The kept settings, with the rapid rate and pierce delay the command line gives in their place,
/// as the Linux viewer does.
KeptPlotSettings SettingsForRun(const PlotCommandLine& asked);

}  // namespace talvo::plot
