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

constexpr FieldSource kCircleFields[] = {
    {"Text2", CutValue::Diameter},
    {"Text3", CutValue::StartDistance},
    {"Text4", CutValue::FlameDiameter},
    {"Text5", CutValue::Feed},
};

constexpr FieldSource kRectangleFields[] = {
    {"Text2", CutValue::SizeY},         {"Text3", CutValue::SizeX}, {"Text4", CutValue::StartDistance},
    {"Text5", CutValue::FlameDiameter}, {"Text6", CutValue::Feed},
};

// Circles refuse a zero diameter, the value their message speaks of; rectangles a zero flame.
const CutKindDescription kCircle{kCircleFields, CutValue::Diameter, &CircleContourLines, &WriteCircleContour};
const CutKindDescription kRectangle{kRectangleFields, CutValue::FlameDiameter, &RectangleContourLines,
                                    &WriteRectangleContour};

}  // namespace

const CutKindDescription& Describe(CutKind kind) {
  return kind == CutKind::InnerCircle || kind == CutKind::OuterCircle ? kCircle : kRectangle;
}

std::string_view InitialFieldText(CutValue value) {
  switch (value) {
    case CutValue::FlameDiameter: return "4";
    case CutValue::Feed: return "300";
    default: return "";
  }
}

std::vector<PrintLine> ContourLines(CutKind kind, const CutInputs& inputs) {
  return Describe(kind).contour(kind, inputs);
}

}  // namespace talvo
