// SPDX-License-Identifier: MIT
#include "circle_contour.h"

#include "round3.h"

namespace talvo {

double PathRadius(CutKind kind, const CutInputs& in) {
  // Halve each value first, then add or subtract the halves.
  const double half = in.Diameter / 2;
  const double flameHalf = in.FlameDiameter / 2;
  return kind == CutKind::InnerCircle ? half - flameHalf : half + flameHalf;
}

std::vector<PrintLine> CircleContourLines(CutKind kind, const CutInputs& in) {
  const double radius = PathRadius(kind, in);
  const bool inner = kind == CutKind::InnerCircle;
  // The pierce point lies StartDistance from the torch path: towards the centre for a hole,
  // away from it for a disc. Only these two Y values are rounded; J and F are written as they are.
  const double pierceY = -Round3(inner ? radius - in.StartDistance : radius + in.StartDistance);
  const double startY = inner ? Round3(-radius) : -Round3(radius);
  return {
      {"G0", "X", 0.0, "Y", 0.0},
      {"G0", "Y", pierceY},
      {"G1", "Y", startY, "F", in.Feed},
      {"G2", "J", radius, "F", in.Feed},
  };
}

}  // namespace talvo
