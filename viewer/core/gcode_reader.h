// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "plot_program.h"

namespace talvo::plot {

/// Reads the motions of a G-code program for drawing: G0 G1 G2 G3 (modal) with X Y Z I J R,
/// G17, G20/G21, G90/G91, N numbers, comments in parentheses and after ";", "%" tape marks,
/// M2/M30 as the end, F as each move's feed. S, T, other M words and other address letters are passed over.
/// A line it cannot follow is listed with the reason and changes nothing; reading goes on.
/// The start is G17 G21 G90 at the origin with no motion mode.
PlotProgram ReadProgram(std::string_view text);

}  // namespace talvo::plot
