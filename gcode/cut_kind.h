// SPDX-License-Identifier: MIT
// The four contours and what distinguishes their runs.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "print_line.h"

namespace talvo {

enum class CutKind { InnerCircle, OuterCircle, InnerRectangle, OuterRectangle };

/// The values a cut screen feeds into a run.
enum class CutValue { Diameter, SizeX, SizeY, StartDistance, FlameDiameter, Feed };

/// The numbers read from one cut screen; a kind uses only some of them.
struct CutInputs {
  double Diameter = 0;
  double SizeX = 0;
  double SizeY = 0;
  double StartDistance = 0;
  double FlameDiameter = 0;
  double Feed = 0;

  double& operator[](CutValue v);
  double operator[](CutValue v) const;
};

/// What a kind's run reads, which value it refuses at zero and how it draws its contour.
struct CutKindDescription {
  std::span<const CutValue> reads;  ///< in reading order
  CutValue zeroTested;
  std::vector<PrintLine> (*contour)(CutKind, const CutInputs&);
};

const CutKindDescription& Describe(CutKind kind);

/// A field's text when its screen opens: "4" for the flame, "300" for the feed, else empty.
/// The screen tables and the command line both start from it.
constexpr std::string_view InitialFieldText(CutValue value) {
  switch (value) {
    case CutValue::FlameDiameter: return "4";
    case CutValue::Feed: return "300";
    default: return "";
  }
}

/// The contour lines of a kind, ahead of "M30" and "%".
std::vector<PrintLine> ContourLines(CutKind kind, const CutInputs& inputs);

}  // namespace talvo
