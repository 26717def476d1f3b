// SPDX-License-Identifier: MIT
// A counter-clockwise rectangle with sharp corners, its origin at the lower left corner.
#pragma once

#include <vector>

#include "cut_kind.h"

namespace talvo {

std::vector<PrintLine> RectangleContourLines(CutKind kind, const CutInputs& inputs);

}  // namespace talvo
