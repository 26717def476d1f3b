// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "round3.h"

namespace talvo {
namespace {

TEST(Round3, ThreeDecimalsTiesToEven) {
  const struct {
    double in, out;
  } cases[] = {
      {-38.00049, -38},
      {12.3456, 12.346},
      {0.0625, 0.062},
      {0.1875, 0.188},
      {-0.0625, -0.062},
      {38.0625, 38.062},
      {-48.0625, -48.062},
      {41.6875, 41.688},
      {47.6875, 47.688},
      {2.5, 2.5},
      {0, 0},
      {1e15, 1e15},
      {-0.0004, 0},
      {0.0015, 0.002},
      {999.9995, 1000},
      // No exact double for these: the stored value decides, 2.0005 lies just above the half,
      // 1.0005 and 1.2345 just below.
      {2.0005, 2.001},
      {-2.0005, -2.001},
      {1.0005, 1},
      {1.2345, 1.234},
  };
  for (const auto& c : cases) EXPECT_EQ(Round3(c.in), c.out) << c.in;
  EXPECT_TRUE(std::isinf(Round3(std::numeric_limits<double>::infinity())));
}

}  // namespace
}  // namespace talvo
