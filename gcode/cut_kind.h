// SPDX-License-Identifier: MIT
// The four contours and what distinguishes their runs.
#pragma once

#include <iosfwd>
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

/// One field a run reads: the control's name and the value it feeds.
struct FieldSource {
  std::string_view control;
  CutValue value;
};

/// What a kind's run reads, which value it refuses at zero and how it draws its contour.
struct CutKindDescription {
  std::span<const FieldSource> fields;  ///< in reading order
  CutValue zeroTested;
  std::vector<PrintLine> (*contour)(CutKind, const CutInputs&);
  /// Writes the contour lines to the open program: what the run calls.
  void (*writeContour)(std::ostream&, CutKind, const CutInputs&);
};

const CutKindDescription& Describe(CutKind kind);

/// A field's text when its screen opens: "4" for the flame, "300" for the feed, else empty.
std::string_view InitialFieldText(CutValue value);

/// The contour lines of a kind, ahead of "M30" and "%".
std::vector<PrintLine> ContourLines(CutKind kind, const CutInputs& inputs);

}  // namespace talvo
