// SPDX-License-Identifier: MIT
#include "rectangle_contour.h"

namespace talvo {

std::vector<PrintLine> RectangleContourLines(CutKind kind, const CutInputs& in) {
  const double half = in.FlameDiameter / 2;
  const double middleX = in.SizeX / 2;
  // Inner kinds offset inward, outer kinds outward; nothing is rounded here.
  const bool inner = kind == CutKind::InnerRectangle;
  const double low = inner ? half : -half;
  const double right = inner ? in.SizeX - half : in.SizeX + half;
  const double top = inner ? in.SizeY - half : in.SizeY + half;
  const double pierceY = inner ? in.StartDistance : -in.StartDistance;
  return {
      {"G0", "X", middleX, "Y", pierceY},
      {"G1", "Y", low, "F", in.Feed},
      {"G1", "X", right},
      {"G1", "Y", top},
      {"G1", "X", low},
      {"G1", "Y", low},
      {"G1", "X", middleX},
  };
}

}  // namespace talvo
