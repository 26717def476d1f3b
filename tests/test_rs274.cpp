// SPDX-License-Identifier: MIT
// Every program we write, read by a real G-code interpreter, makes the moves its contour needs.
#include <gtest/gtest.h>

#include <cmath>

#include "contour_cases.h"
#include "generation_run.h"
#include "rs274.h"

namespace talvo {
namespace {

using test_support::ContourCase;
using test_support::Rs274Move;

struct Point {
  double x, y;
};

// rs274 prints four decimals; circle lead-in points are rounded to three.
constexpr double kPrinted = 1.0001e-4;
constexpr double kRounded = 5e-4 + kPrinted;

void ExpectAt(const Rs274Move& move, Point p, double tolerance, const char* what) {
  EXPECT_NEAR(move.X(), p.x, tolerance) << what;
  EXPECT_NEAR(move.Y(), p.y, tolerance) << what;
}

class Rs274Test : public ::testing::TestWithParam<ContourCase> {};

TEST_P(Rs274Test, InterpreterMakesTheContoursMoves) {
  if (!test_support::Rs274Available()) GTEST_FAIL() << "rs274 not found (Debian package linuxcnc-uspace)";
  const ContourCase& c = GetParam();
  const ReadInputs read = ReadCutInputs(c.kind, c.fields);
  ASSERT_FALSE(read.refusal);
  const CutInputs& in = read.inputs;
  const ProgramPlan plan = PlanProgram(c.kind, c.fields);
  const auto result = test_support::RunRs274(StrippedLines(plan.program) + "\r\n");

  if (in.Feed == 0) {
    // A feed of 0 is written as typed; a controller refuses to cut with it.
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.output.find("zero feed rate"), std::string::npos) << result.output;
    return;
  }
  ASSERT_EQ(result.exitCode, 0) << result.output;

  const auto& m = result.moves;
  if (c.kind == CutKind::InnerCircle || c.kind == CutKind::OuterCircle) {
    const bool inner = c.kind == CutKind::InnerCircle;
    const double radius = inner ? in.Diameter / 2 - in.FlameDiameter / 2 : in.Diameter / 2 + in.FlameDiameter / 2;
    const double pierceY = inner ? -(radius - in.StartDistance) : -(radius + in.StartDistance);
    ASSERT_EQ(m.size(), 4u) << result.output;
    EXPECT_EQ(m[0].kind, Rs274Move::Traverse);
    ExpectAt(m[0], {0, 0}, kPrinted, "centre");
    EXPECT_EQ(m[1].kind, Rs274Move::Traverse);
    ExpectAt(m[1], {0, pierceY}, kRounded, "pierce point");
    EXPECT_EQ(m[2].kind, Rs274Move::Feed);
    ExpectAt(m[2], {0, -radius}, kRounded, "lead-in end");
    EXPECT_EQ(m[3].kind, Rs274Move::Arc);
    ExpectAt(m[3], {m[2].X(), m[2].Y()}, kPrinted, "full circle ends where it starts");
    EXPECT_NEAR(m[3].CentreX(), 0, kPrinted);
    EXPECT_NEAR(m[3].CentreY(), 0, kRounded);
    EXPECT_NEAR(std::hypot(m[3].X() - m[3].CentreX(), m[3].Y() - m[3].CentreY()), std::fabs(radius), 2 * kPrinted);
    EXPECT_EQ(m[3].Turns(), -1) << "clockwise, one turn";
  } else {
    const bool inner = c.kind == CutKind::InnerRectangle;
    const double h = inner ? in.FlameDiameter / 2 : -in.FlameDiameter / 2;
    const double middle = in.SizeX / 2;
    const Point path[] = {{middle, inner ? in.StartDistance : -in.StartDistance},
                          {middle, h},
                          {in.SizeX - h, h},
                          {in.SizeX - h, in.SizeY - h},
                          {h, in.SizeY - h},
                          {h, h},
                          {middle, h}};
    ASSERT_EQ(m.size(), 7u) << result.output;
    EXPECT_EQ(m[0].kind, Rs274Move::Traverse);
    for (std::size_t i = 0; i < m.size(); ++i) {
      if (i > 0) {
        EXPECT_EQ(m[i].kind, Rs274Move::Feed) << i;
      }
      ExpectAt(m[i], path[i], kPrinted, "corner");
    }
    // Counter-clockwise: the corners' signed area has the sign of the torch path's own extent.
    double area = 0;
    for (int i = 1; i < 6; ++i) area += m[i].X() * m[i + 1].Y() - m[i + 1].X() * m[i].Y();
    const double expected = (in.SizeX - 2 * h) * (in.SizeY - 2 * h);
    EXPECT_NEAR(area / 2, expected, 1e-3 * (1 + std::fabs(expected)));
  }
}

INSTANTIATE_TEST_SUITE_P(Cuts, Rs274Test, ::testing::ValuesIn(test_support::ContourCases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talvo
