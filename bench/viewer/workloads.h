// SPDX-License-Identifier: MIT
// Programs as shops feed the viewer, for timing it; each about `lines` lines long.
#pragma once

#include <cstddef>
#include <string>

/// A 3000 × 1500 mm sheet filled densely with holes and small blanks, as a nesting program
/// writes it: each part reached by a rapid, pierced, led in by a short cut, then cut with the
/// torch on; holes are full G2 circles of radius 5–50 mm (I, J), blanks rectangles with R
/// corner arcs.
std::string DenseSheetProgram(std::size_t lines);

/// Artwork converted to polylines: G1 segments of 0.05–1 mm in a few hundred chains over the
/// sheet, each chain one pierce.
std::string PolylineProgram(std::size_t lines);

/// Programs that pile their moves on one spot or blow them up: `count` copies of the full
/// circle G2X0Y0I1J0, `count` circles of radius 1e6, and `bytes` of X1/X2 lines stacking
/// moves on one segment.
std::string IdenticalCirclesProgram(std::size_t count);
std::string HugeCirclesProgram(std::size_t count);
std::string StackedMovesProgram(std::size_t bytes);
