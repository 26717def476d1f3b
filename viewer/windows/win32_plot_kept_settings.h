// SPDX-License-Identifier: MIT
// talvo-plot.exe's settings kept between runs in the registry, one text value a setting under
// HKEY_CURRENT_USER\Software\TALVO-ZAVODO\talvo-plot, checked as the Linux viewer checks its own.
#pragma once

#include <string>
#include <vector>

#include "job_summary.h"

namespace talvo::plot {

inline constexpr wchar_t kKeptSettingsKey[] = L"Software\\TALVO-ZAVODO\\talvo-plot";

struct KeptPlotSettings {
  JobSettings job;
  double kerf = 1.5;  ///< band width in program units
  bool showKerf = false;
  /// The kept values Load found invalid and replaced by their defaults, one note each.
  std::vector<std::string> ignored;

  /// Never fails: a kept value its setting may not take is noted in `ignored`.
  static KeptPlotSettings Load();
  void Save() const;
};

/// The kept settings, with the rapid rate and pierce delay of `commandLine` in their place where
/// `arguments` (those after the program's name) give them, as the Linux viewer does.
KeptPlotSettings SettingsForRun(const JobSettings& commandLine, const std::vector<std::string>& arguments);

}  // namespace talvo::plot
