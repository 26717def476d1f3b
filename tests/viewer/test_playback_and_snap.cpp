// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "gcode_reader.h"
#include "move_index.h"
#include "playback_clock.h"
#include "snap.h"

namespace talvo::plot {
namespace {

TEST(PlaybackClock, PlacesTheTorchAfterAGivenTime) {
  // A rapid of 60 at 3600 a minute (1 s), a pierce of 2 s, a cut of 60 at F600 (6 s), then a
  // half circle of radius 10 at F1200 (π/2 s) under the X axis, ending at (140, 0).
  const PlotProgram p = ReadProgram("G0X60\nG1X120F600\nG3X140Y0I10J0F1200\n");
  JobSettings settings;
  settings.rapidRate = 3600;
  settings.pierceDelay = 2;
  const PlaybackClock clock(p, settings);
  struct Case {
    double seconds;
    std::size_t move;
    double x, y;
    bool done;
  } cases[] = {
      {0, 0, 0, 0, false},    {0.5, 0, 30, 0, false}, {1.5, 1, 60, 0, false},
      {3, 1, 60, 0, false},   {6, 1, 90, 0, false},   {9 + 3.14159265358979 / 4, 2, 130, -10, false},
      {100, 2, 140, 0, true},
  };
  EXPECT_NEAR(clock.TotalSeconds(), 9 + 3.14159265358979 / 2, 1e-9);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seconds);
    const PlaybackClock::Position at = clock.At(c.seconds);
    EXPECT_EQ(at.move, c.move);
    EXPECT_NEAR(at.x, c.x, 1e-6);
    EXPECT_NEAR(at.y, c.y, 1e-6);
    EXPECT_EQ(at.done, c.done);
  }
}

TEST(MeasureSnap, TakesTheNearestEndCentreOrOrigin) {
  // A rapid to (10, 0), a whole circle about (15, 0), a cut to (30, 20).
  const PlotProgram p = ReadProgram("G0X10Y0\nG2X10Y0I5J0F100\nG1X30Y20\n");
  const MoveIndex index(p);
  struct Case {
    double x, y;
    bool found;
    double sx, sy;
  } cases[] = {
      {9.7, 0.2, true, 10, 0},    {14.6, 0.3, true, 15, 0}, {0.3, -0.4, true, 0, 0},
      {29.5, 19.8, true, 30, 20}, {20, 10, false, 0, 0},    {22, 0, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    const auto snapped = Snap(p, index, c.x, c.y, 1);
    ASSERT_EQ(snapped.has_value(), c.found);
    if (c.found) {
      EXPECT_EQ(snapped->x, c.sx);
      EXPECT_EQ(snapped->y, c.sy);
    }
  }
}

}  // namespace
}  // namespace talvo::plot
