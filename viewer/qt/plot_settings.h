// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "viewer_settings.h"

namespace talvo::plot {

/// The operator's settings, kept between runs (QSettings): how the table moves for the time
/// estimate, the sheet, and the kerf width the band view draws (program units, 0 is off).
struct PlotSettings : ViewerSettings {
  /// Never fails: a kept value that is not one its setting may take is noted in `ignored`.
  static PlotSettings Load();
  void Save() const;
};

}  // namespace talvo::plot
