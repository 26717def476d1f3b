// SPDX-License-Identifier: MIT
// The settings the viewer keeps between runs, read from whatever store a window toolkit has,
// each checked against its limits, so that every front end loads them alike.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "job_summary.h"
#include "setting_limits.h"

namespace talvo::plot {

struct ViewerSettings {
  JobSettings job;
  double kerf = 1.5;  ///< band width in program units
  bool showKerf = false;
  /// The kept values that were invalid and replaced by their defaults, one note each.
  std::vector<std::string> ignored;
};

/// Each number kept, beside the values it may take; for loading and keeping alike.
template <typename Settings>
auto SettingNumbers(Settings& s) {
  return std::array{std::pair{&kRapidRateLimits, &s.job.rapidRate},
                    std::pair{&kPierceDelayLimits, &s.job.pierceDelay},
                    std::pair{&kSheetXLimits, &s.job.sheetX},
                    std::pair{&kSheetYLimits, &s.job.sheetY},
                    std::pair{&kSheetOriginXLimits, &s.job.sheetOriginX},
                    std::pair{&kSheetOriginYLimits, &s.job.sheetOriginY},
                    std::pair{&kKerfLimits, &s.kerf}};
}

/// The text kept under a key; none where nothing is kept.
using KeptText = std::function<std::optional<std::string>(const char* key)>;

/// Never fails: a kept value its setting may not take keeps the default and is noted in `ignored`.
void ReadViewerSettings(const KeptText& kept, ViewerSettings& settings);

}  // namespace talvo::plot
