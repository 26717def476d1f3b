// SPDX-License-Identifier: MIT
#include "cut_kind.h"

#include "circle_contour.h"
#include "rectangle_contour.h"

namespace talvo {

double& CutInputs::operator[](CutValue v) {
  switch (v) {
    case CutValue::Diameter: return Diameter;
    case CutValue::SizeX: return SizeX;
    case CutValue::SizeY: return SizeY;
    case CutValue::StartDistance: return StartDistance;
    case CutValue::FlameDiameter: return FlameDiameter;
    case CutValue::Feed: return Feed;
  }
  return Feed;  // unreachable: every enumerator is handled above
}

double CutInputs::operator[](CutValue v) const { return const_cast<CutInputs&>(*this)[v]; }

namespace {

constexpr CutValue kCircleReads[] = {
    CutValue::Diameter,
    CutValue::StartDistance,
    CutValue::FlameDiameter,
    CutValue::Feed,
};

constexpr CutValue kRectangleReads[] = {
    CutValue::SizeY, CutValue::SizeX, CutValue::StartDistance, CutValue::FlameDiameter, CutValue::Feed,
};

// Circles refuse a zero diameter, the value their message speaks of; rectangles a zero flame.
const CutKindDescription kCircle{kCircleReads, CutValue::Diameter, &CircleContourLines};
const CutKindDescription kRectangle{kRectangleReads, CutValue::FlameDiameter, &RectangleContourLines};

}  // namespace

const CutKindDescription& Describe(CutKind kind) {
  return kind == CutKind::InnerCircle || kind == CutKind::OuterCircle ? kCircle : kRectangle;
}

std::vector<PrintLine> ContourLines(CutKind kind, const CutInputs& inputs) {
  return Describe(kind).contour(kind, inputs);
}

}  // namespace talvo
