// SPDX-License-Identifier: MIT
#include "snap.h"

#include <cmath>

namespace talvo::plot {

std::optional<SnapPoint> Snap(const PlotProgram& program, const MoveIndex& index, double x, double y, double reach) {
  std::optional<SnapPoint> best;
  double bestDistance = reach;
  const auto consider = [&](double px, double py) {
    const double d = std::hypot(px - x, py - y);
    if (d <= bestDistance) {
      bestDistance = d;
      best = SnapPoint{px, py};
    }
  };
  consider(0, 0);
  // Centres are found of the arcs whose box comes near the click: a whole circle's box holds
  // its centre, and searching wider for the centres of flat arcs would cost more than it finds.
  PlotExtents around;
  around.Add(x - reach, y - reach);
  around.Add(x + reach, y + reach);
  const MoveList& moves = program.moves;
  index.ForEachIn(moves, around, [&](std::uint32_t i) {
    consider(moves.StartX(i), moves.StartY(i));
    consider(moves.EndX(i), moves.EndY(i));
    if (moves.IsArc(i)) {
      const PlotMove m = moves[i];
      consider(m.centreX, m.centreY);
    }
  });
  return best;
}

}  // namespace talvo::plot
