// SPDX-License-Identifier: MIT
#include "pierce_marks.h"

#include <cstdint>

#include "cell_mask.h"

namespace talvo::plot {

std::vector<ScreenPoint> PierceMarks(const PlotProgram& program, const ViewMapping& view) {
  const MoveList& moves = program.moves;
  const ScreenMap map(view);
  CellMask spots(view.width, view.height, kPierceSpotPixels);
  std::vector<ScreenPoint> marks;
  for (const std::uint32_t i : program.pierces) {
    const double x = map.X(moves.StartX(i)), y = map.Y(moves.StartY(i));
    if (spots.Claim(x, y)) marks.push_back({x, y});
  }
  return marks;
}

}  // namespace talvo::plot
