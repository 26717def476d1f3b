// SPDX-License-Identifier: MIT
// A full clockwise circle about the origin, reached by a straight lead-in along Y.
#pragma once

#include <vector>

#include "cut_kind.h"

namespace talvo {

/// Radius of the torch-centre circle: half the flame inside the hole, outside the disc.
double PathRadius(CutKind kind, const CutInputs& inputs);

std::vector<PrintLine> CircleContourLines(CutKind kind, const CutInputs& inputs);

}  // namespace talvo
