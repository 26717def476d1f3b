// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "circle_contour.h"
#include "contour_cases.h"
#include "generation_run.h"
#include "messages.h"

namespace talvo {
namespace {

using test_support::ContourCase;
using test_support::ContourCases;

std::string Display(const std::vector<std::string>& contour) {
  std::string text;
  for (const auto& line : contour) text += line + "\r\n";
  return text + "M30\r\n%\r\n";
}

class ContourLinesTest : public ::testing::TestWithParam<ContourCase> {};

TEST_P(ContourLinesTest, DisplayHoldsTheExpectedProgram) {
  const ContourCase& c = GetParam();
  const ProgramPlan plan = PlanProgram(c.kind, c.fields);
  ASSERT_FALSE(plan.refusal) << *plan.refusal;
  EXPECT_EQ(StrippedLines(plan.program), Display(c.lines));
}

INSTANTIATE_TEST_SUITE_P(Cuts, ContourLinesTest, ::testing::ValuesIn(ContourCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PathRadius, HalvesFirstThenOffsetsByHalfTheFlame) {
  CutInputs in;
  in.Diameter = 100.125;
  in.FlameDiameter = 4;
  EXPECT_EQ(PathRadius(CutKind::InnerCircle, in), 48.0625);
  EXPECT_EQ(PathRadius(CutKind::OuterCircle, in), 52.0625);
}

TEST(PlanProgram, RefusesZeroAndOverflow) {
  using test_support::Circle;
  using test_support::Rectangle;
  const struct {
    const char* name;
    CutKind kind;
    FieldTexts fields;
    const char* message;
  } cases[] = {
      {"circle diameter 0", CutKind::InnerCircle, Circle("0", "10"), msg::kZeroRefused},
      {"circle diameter empty", CutKind::OuterCircle, Circle("", "10"), msg::kZeroRefused},
      {"circle diameter not a number", CutKind::OuterCircle, Circle("abc", "10"), msg::kZeroRefused},
      {"rectangle flame 0", CutKind::InnerRectangle, Rectangle("200", "100", "10", "0"), msg::kZeroRefused},
      {"rectangle flame empty", CutKind::OuterRectangle, Rectangle("200", "100", "10", ""), msg::kZeroRefused},
      {"value beyond a double", CutKind::InnerCircle, Circle("1E400", "10"), msg::kTooBig},
      {"overflow beats the zero test", CutKind::InnerRectangle, Rectangle("200", "100", "10", "0", "1E999"),
       msg::kTooBig},
      {"hexadecimal too long", CutKind::OuterCircle, Circle("&H123456789", "1"), msg::kTooBig},
      {"computed pierce point overflows", CutKind::OuterCircle, Circle("1.7E308", "1.7E308", "1.7E308"), msg::kTooBig},
      {"computed side overflows", CutKind::OuterRectangle, Rectangle("1.7E308", "1", "1", "1.7E308"), msg::kTooBig},
      // Written with 15 digits, these round past the largest double: no controller could read them.
      {"feed rounds past a double", CutKind::InnerCircle, Circle("100", "10", "4", "1.7976931348623157E308"),
       msg::kTooBig},
      {"side rounds past a double", CutKind::InnerRectangle, Rectangle("-1.7976931348623157E308", "100", "10"),
       msg::kTooBig},
      // Past 1e9 a number is no longer one the viewer or a controller reads.
      {"coordinate past a billion", CutKind::OuterCircle, Circle("1E300", "10"), msg::kTooBig},
      {"feed past a billion", CutKind::InnerCircle, Circle("100", "10", "4", "1000000001"), msg::kTooBig},
      {"pierce point past a billion", CutKind::InnerRectangle, Rectangle("200", "100", "-1000000000.5"), msg::kTooBig},
  };
  for (const auto& c : cases) {
    const ProgramPlan plan = PlanProgram(c.kind, c.fields);
    ASSERT_TRUE(plan.refusal.has_value()) << c.name;
    EXPECT_EQ(*plan.refusal, c.message) << c.name;
  }
}

TEST(PlanProgram, CircleFeedZeroAndRectangleDiameterFieldsAreNotRefused) {
  EXPECT_FALSE(PlanProgram(CutKind::InnerCircle, test_support::Circle("100", "10", "4", "0")).refusal);
  EXPECT_FALSE(PlanProgram(CutKind::InnerCircle, test_support::Circle("100", "10", "0")).refusal);
  EXPECT_FALSE(PlanProgram(CutKind::InnerRectangle, test_support::Rectangle("0", "0", "0")).refusal);
  // A billion itself is still read by the viewer.
  EXPECT_FALSE(PlanProgram(CutKind::InnerCircle, test_support::Circle("100", "10", "4", "1000000000")).refusal);
}

TEST(StrippedLines, EveryLineEndsWithCrLfAndLosesItsBlanks) {
  const struct {
    const char* file;
    const char* display;
  } cases[] = {
      {"G0X 0 Y 0 \r\nM30\r\n", "G0X0Y0\r\nM30\r\n"},
      {"a b\rc\nd", "ab\r\nc\r\nd\r\n"},
      {"\r\n\r\n", "\r\n\r\n"},
      {"", ""},
      {"x\t y\r\n", "x\ty\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(StrippedLines(c.file), c.display) << c.file;
}

}  // namespace
}  // namespace talvo
