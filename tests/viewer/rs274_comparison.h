// SPDX-License-Identifier: MIT
// The reader's moves against those LinuxCNC's interpreter prints for the same program.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "plot_program.h"
#include "rs274.h"

namespace talvo::plot {

// rs274 prints four decimals, so its values are off by up to half a unit of the last one.
inline constexpr double kRs274Tolerance = 1e-4 + 1e-9;

inline MoveKind KindOf(const test_support::Rs274Move& move) {
  if (move.kind == test_support::Rs274Move::Traverse) return MoveKind::Rapid;
  if (move.kind == test_support::Rs274Move::Feed) return MoveKind::Feed;
  return move.Turns() < 0 ? MoveKind::ArcCw : MoveKind::ArcCcw;
}

/// Both read to the end with the same moves in the same order: kind, end (Z too when asked) and
/// each arc's centre and turns.
inline void ExpectMovesAsRs274(const PlotProgram& ours, const test_support::Rs274Result& theirs, bool withZ) {
  ASSERT_TRUE(theirs.readToEnd()) << "rs274 did not read to the end:\n" << theirs.output;
  ASSERT_EQ(ours.moves.size(), theirs.moves.size()) << theirs.output;
  for (std::size_t i = 0; i < theirs.moves.size(); ++i) {
    SCOPED_TRACE("move " + std::to_string(i));
    const PlotMove m = ours.moves[i];
    const test_support::Rs274Move& r = theirs.moves[i];
    EXPECT_EQ(m.kind, KindOf(r));
    EXPECT_NEAR(m.end.x, r.X(), kRs274Tolerance);
    EXPECT_NEAR(m.end.y, r.Y(), kRs274Tolerance);
    if (withZ) {
      EXPECT_NEAR(m.end.z, r.Z(), kRs274Tolerance);
    }
    if (m.IsArc()) {
      EXPECT_NEAR(m.centreX, r.CentreX(), kRs274Tolerance);
      EXPECT_NEAR(m.centreY, r.CentreY(), kRs274Tolerance);
      EXPECT_EQ(std::abs(r.Turns()), 1) << "more than one turn";
    }
  }
}

}  // namespace talvo::plot
