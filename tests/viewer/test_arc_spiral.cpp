// SPDX-License-Identifier: MIT
// An arc that LinuxCNC moves as a spiral, measured and boxed as it moves it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "arc_geometry.h"
#include "gcode_reader.h"

namespace talvo::plot {
namespace {

// An I J arc that ends off its circle within the allowance is a spiral, its radius going evenly
// from the start's to the end's with the angle, as LinuxCNC moves it: its length, box, points
// and distances follow that radius.
TEST(ArcGeometry, ASpiralArcFollowsItsRadiusFromStartToEnd) {
  struct Case {
    const char* text;  // one arc after G0X10, about the origin, a half turn
    double r1, dz;     // its end radius and rise
    PlotExtents box;
    double midX, midY;  // the point half way
  };
  const Case cases[] = {
      {"G3X-10.02Y0I-10F1", 10.02, 0, {-10.02, 0, 10, 10.01}, 0, 10.01},
      {"G2X-9.98Y0I-10Z3F1", 9.98, 3, {-9.98, -9.99, 10, 0}, 0, -9.99},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const PlotProgram p = ReadProgram(std::string("G0X10\n") + c.text);
    ASSERT_EQ(p.errorCount, 0u);
    ASSERT_EQ(p.moves.size(), 2u);
    const PlotMove& arc = p.moves[1];
    // The length in the plane by Simpson's rule over the radius r(θ) = 10 + (r1 - 10) θ / π.
    const int steps = 1000;
    const double k = (c.r1 - 10) / std::numbers::pi, h = std::numbers::pi / steps;
    double flat = 0;
    for (int i = 0; i <= steps; ++i) {
      const double r = 10 + k * i * h, f = std::sqrt(r * r + k * k);
      flat += f * (i == 0 || i == steps ? 1 : i % 2 ? 4 : 2);
    }
    flat *= h / 3;
    EXPECT_NEAR(MoveLength(arc), std::hypot(flat, c.dz), 1e-9);
    const PlotExtents box = MoveBox(arc);
    EXPECT_NEAR(box.minX, c.box.minX, 1e-9);
    EXPECT_NEAR(box.minY, c.box.minY, 1e-9);
    EXPECT_NEAR(box.maxX, c.box.maxX, 1e-9);
    EXPECT_NEAR(box.maxY, c.box.maxY, 1e-9);
    double x = 0, y = 0;
    MovePointAt(arc, 0.5, x, y);
    EXPECT_NEAR(x, c.midX, 1e-9);
    EXPECT_NEAR(y, c.midY, 1e-9);
    EXPECT_NEAR(DistanceToMove(arc, 0, 2 * c.midY), std::abs(c.midY), 1e-9);
    EXPECT_NEAR(p.cutLength, MoveLength(arc), 1e-12);
    EXPECT_NEAR(p.extents.maxY, std::max(0.0, c.box.maxY), 1e-9);
  }
}

}  // namespace
}  // namespace talvo::plot
