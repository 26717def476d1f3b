// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "plot_program.h"
#include "view_mapping.h"

namespace talvo::plot {

/// One pierce mark for each spot of this many pixels, drawn under the cuts, so marks never
/// bury the cuts of a dense sheet.
inline constexpr int kPierceSpotPixels = 12;
inline constexpr double kPierceRadiusPixels = 3;

struct ScreenPoint {
  double x = 0, y = 0;
};

/// The screen centres of the pierce marks at `view`: the first pierce of each spot, in the
/// program's order.
std::vector<ScreenPoint> PierceMarks(const PlotProgram& program, const ViewMapping& view);

}  // namespace talvo::plot
