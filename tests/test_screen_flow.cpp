// SPDX-License-Identifier: MIT
// The menu ⇄ screen flow both front ends follow: which screen each press opens, what runs the
// generation and what ends the program.
#include <gtest/gtest.h>

#include <string_view>

#include "screen_flow.h"
#include "screen_tables.h"

namespace talvo::screens {
namespace {

using Step = Reaction::Step;

struct PressCase {
  std::string_view screen;
  std::string_view control;
  Step step;
  std::string_view target;  ///< the screen a switch opens; empty otherwise
};

const WindowDescription& ByName(std::string_view name) {
  if (name == "Form1") return MenuDescription();
  for (CutKind kind : {CutKind::InnerCircle, CutKind::OuterCircle, CutKind::InnerRectangle, CutKind::OuterRectangle}) {
    if (CutScreenDescription(kind).name == name) return CutScreenDescription(kind);
  }
  ADD_FAILURE() << "no screen " << name;
  return MenuDescription();
}

class PressTest : public testing::TestWithParam<PressCase> {};

TEST_P(PressTest, ReactsAsTheScreenSays) {
  const PressCase& c = GetParam();
  const Reaction reaction = ReactionToPress(ByName(c.screen), c.control);
  EXPECT_EQ(reaction.step, c.step);
  if (c.target.empty()) {
    EXPECT_EQ(reaction.target, nullptr);
  } else {
    ASSERT_NE(reaction.target, nullptr);
    EXPECT_EQ(reaction.target->name, c.target);
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryControl, PressTest,
    testing::Values(
        PressCase{"Form1", "ICCAP", Step::SwitchTo, "Form4"}, PressCase{"Form1", "DISCAP", Step::SwitchTo, "Form11"},
        PressCase{"Form1", "DORTGENHAVZ", Step::SwitchTo, "Form8"},
        PressCase{"Form1", "KAREDIS", Step::SwitchTo, "Form12"}, PressCase{"Form1", "Command1", Step::EndProgram, ""},
        PressCase{"Form1", "KOD", Step::Nothing, ""}, PressCase{"Form1", "ANAMENU", Step::Nothing, ""},
        PressCase{"Form4", "KOD", Step::RunGeneration, ""}, PressCase{"Form11", "KOD", Step::RunGeneration, ""},
        PressCase{"Form8", "KOD", Step::RunGeneration, ""}, PressCase{"Form12", "KOD", Step::RunGeneration, ""},
        PressCase{"Form4", "ANAMENU", Step::SwitchTo, "Form1"}, PressCase{"Form11", "ANAMENU", Step::SwitchTo, "Form1"},
        PressCase{"Form8", "ANAMENU", Step::SwitchTo, "Form1"}, PressCase{"Form12", "ANAMENU", Step::SwitchTo, "Form1"},
        PressCase{"Form4", "Picture1", Step::Nothing, ""}, PressCase{"Form8", "Text1", Step::Nothing, ""},
        PressCase{"Form12", "Command1", Step::Nothing, ""}, PressCase{"Form11", "ICCAP", Step::Nothing, ""}));

TEST(ScreenFlowTest, ClosingAnyScreenEndsTheProgram) {
  for (const char* name : {"Form1", "Form4", "Form11", "Form8", "Form12"})
    EXPECT_EQ(ReactionToClose(ByName(name)).step, Step::EndProgram) << name;
}

TEST(ScreenFlowTest, KeepsTheOpenScreenThroughARoundTrip) {
  ScreenFlow flow;
  EXPECT_EQ(flow.Current(), nullptr);
  EXPECT_EQ(flow.Start().name, "Form1");
  EXPECT_EQ(flow.Current()->name, "Form1");

  EXPECT_EQ(flow.Press("KAREDIS").step, Step::SwitchTo);
  EXPECT_EQ(flow.Current()->name, "Form12");
  EXPECT_EQ(flow.Press("KOD").step, Step::RunGeneration);
  EXPECT_EQ(flow.Current()->name, "Form12");
  EXPECT_EQ(flow.Press("ANAMENU").target, &MenuDescription());
  EXPECT_EQ(flow.Current()->name, "Form1");

  EXPECT_EQ(flow.Press("Command1").step, Step::EndProgram);
  EXPECT_EQ(flow.Current(), nullptr);
  // Once the program has ended nothing reacts any more.
  EXPECT_EQ(flow.Press("ICCAP").step, Step::Nothing);
}

TEST(ScreenFlowTest, ClosingACutScreenEndsInsteadOfReturningToTheMenu) {
  ScreenFlow flow;
  flow.Start();
  flow.Press("DISCAP");
  EXPECT_EQ(flow.Closed().step, Step::EndProgram);
  EXPECT_EQ(flow.Current(), nullptr);
  EXPECT_EQ(flow.Closed().step, Step::Nothing);
}

}  // namespace
}  // namespace talvo::screens
