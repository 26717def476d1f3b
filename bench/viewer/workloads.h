// SPDX-License-Identifier: MIT
// Programs as shops feed the viewer, for timing it; each about `lines` lines long. The random
// ones are drawn from the seeds below with std::mt19937_64, so every run times the same file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::uint64_t kRandomHoleSheetSeed = 0x5eed'0020;
inline constexpr std::uint64_t kArtworkSeed = 0x5eed'0013;
inline constexpr std::uint64_t kShiftedNestSeed = 0x5eed'0012;

/// A 3000 × 1500 mm sheet where nothing repeats (seed kRandomHoleSheetSeed): per eight lines a
/// hole of random radius 4–45 mm at a random place (a rapid, a lead-in, a full `G2 J…`
/// circle) and a slot 12 mm wide, 20–150 mm long, at a random place and angle, with `G3 … R6`
/// ends. A million lines make 125,000 of each.
std::string RandomHoleSheetProgram(std::size_t lines);

/// The sheet of issue 12's figures (seed kShiftedNestSeed): holes and small blanks packed on
/// shelves, the sheet filled over and over with each fill shifted a few millimetres, so the
/// parts of one fill lie on those of the others. Holes are full G2 circles of radius 5–50 mm
/// (I, J), blanks rectangles with R corner arcs, each pierced with M3/M5.
std::string ShiftedNestCopiesProgram(std::size_t lines);

/// Artwork converted to polylines (seed kArtworkSeed): G1 segments of 0.05–1 mm in 300
/// wandering chains at random places on the sheet, each chain one pierce.
std::string PolylineProgram(std::size_t lines);

/// Programs that pile their moves on one spot or blow them up: `count` copies of the full
/// circle G2X0Y0I1J0, `count` circles of radius 1e6, and `bytes` of X1/X2 lines stacking
/// moves on one segment.
std::string IdenticalCirclesProgram(std::size_t count);
std::string HugeCirclesProgram(std::size_t count);
std::string StackedMovesProgram(std::size_t bytes);
