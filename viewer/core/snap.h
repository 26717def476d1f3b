// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

#include "move_index.h"
#include "plot_program.h"

namespace talvo::plot {

struct SnapPoint {
  double x = 0, y = 0;
};

/// The point a measuring click at (x, y) stands for: the nearest move end, arc centre or the
/// origin within `reach`, or nothing when none is that near.
std::optional<SnapPoint> Snap(const PlotProgram& program, const MoveIndex& index, double x, double y, double reach);

}  // namespace talvo::plot
