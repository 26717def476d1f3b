// SPDX-License-Identifier: MIT
// The reader's RS274NGC language on hand-made lines: each operator, function, parameter kind,
// o-word, error and bound. The values were found with rs274 -g (LinuxCNC 2.9) on the same lines,
// and rs274 refuses each refused line too, but for three choices of the reader's own: a probe
// result is unknown rather than the variable file's 0, an unclosed block is refused before the
// program runs, and the limits of a runaway are the reader's.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "gcode_reader.h"
#include "ngc_messages.h"
#include "ngc_runner.h"
#include "plot_messages.h"

namespace talvo::plot {
namespace {

// `program` ends with a move whose X is `x`, or its first refused line gives `refusal`.
struct LanguageCase {
  const char* name;
  const char* program;
  double x;
  const char* refusal = nullptr;
};

const LanguageCase kValues[] = {
    {"PlusTimes", "G0 X[1+2*3]", 7},
    {"TimesPower", "G0 X[2*3**2]", 18},
    {"SignBindsTighterThanPower", "G0 X[-2**2]", 4},
    {"PowerLeftToRight", "G0 X[2**3**2]", 64},
    {"MinusLeftToRight", "G0 X[5-3-1]", 1},
    {"DivideThenMod", "G0 X[7/2 MOD 3]", 0.5},
    {"ModIsNeverNegative", "G0 X[-7 MOD 3]", 2},
    {"PlusBeforeAnd", "G0 X[1+1 AND 0]", 0},
    {"ComparisonsLeftToRight", "G0 X[1 LT 2 EQ 1]", 1},
    {"EqWithinATenThousandth", "G0 X[1 EQ 1.00001]", 1},
    {"NeWithinATenThousandth", "G0 X[1 NE 1.00001]", 0},
    {"GtExact", "G0 X[1.00001 GT 1]", 1},
    {"GeExact", "G0 X[1 GE 1.00001]", 0},
    {"LeExact", "G0 X[1.00001 LE 1]", 0},
    {"Lt", "G0 X[1 lt 1.00001]", 1},
    {"Or", "G0 X[0 OR 3]", 1},
    {"Xor", "G0 X[3 XOR 2]", 0},
    {"Abs", "G0 X ABS[-2]", 2},
    {"Acos", "G0 X[ACOS[0]]", 90},
    {"Asin", "G0 X[ASIN[1]]", 90},
    {"AtanOfTwo", "G0 X[ATAN[1]/[-1]]", 135},
    {"Cos", "G0 X[COS[60]]", 0.5},
    {"Exp", "G0 X[EXP[0]]", 1},
    {"FixDown", "G0 X[FIX[-2.5]]", -3},
    {"FupUp", "G0 X[FUP[-2.5]]", -2},
    {"Ln", "G0 X[LN[1]]", 0},
    {"RoundHalfAway", "G0 X[ROUND[-2.5]]", -3},
    {"Sin", "G0 X[SIN[30]]", 0.5},
    {"Sqrt", "G0 X[SQRT[16]]", 4},
    {"Tan", "G0 X[TAN[45]]", 1},
    {"ExistsSet", "#<a>=1\nG0 X[EXISTS[#<a>]]", 1},
    // Names fold A to Z only, whatever the locale: Ç and ç name two parameters.
    {"NamesFoldAsciiLettersOnly",
     "#<\u00c7ap>=1\n#<\u00e7ap>=2\n#<ABCDEFGHIJKLMNOPQRSTUVWXYZ>=3\nG0 X[#<\u00c7ap>+#<abcdefghijklmnopqrstuvwxyz>]",
     4},
    {"ExistsUnset", "G0 X[EXISTS[#<a>]]", 0},
    {"UnsetNumberedIsZero", "G0 X1\nG0 X#7", 0},
    {"SignedParameter", "#1=4\nG0 X-#1", -4},
    {"Indirect", "#1=7\n#7=3\nG0 X##1", 3},
    {"ComputedNumber", "#[2+3]=6\nG0 X#5", 6},
    {"NamesIgnoreCaseAndBlanks", "#<My Hole>=2\nG0 X#<myhole>", 2},
    {"AssignmentAfterTheLine", "#1=4\n#1=10 #2=#1\nG0 X#2", 4},
    {"Position", "G0 X5 Y6 Z1\nG0 X[#<_x>+#<_y>*#<_z>]", 11},
    {"Units", "G20\nG0 X[#<_imperial>+#<_metric>*10]", 1},
    {"WordsReadBeforeAssignment", "#1=4\nG0 X#1 #1=9\nG0 X[#1+100]", 109},
};

const LanguageCase kFlow[] = {
    {"RepeatRoundsHalfToEven", "#1=0\no1 repeat [2.5]\n#1=[#1+1]\no1 endrepeat\nG0 X#1", 2},
    {"RepeatRounds", "#1=0\no1 repeat [2.6]\n#1=[#1+1]\no1 endrepeat\nG0 X#1", 3},
    {"RepeatNone", "G0 X5\no1 repeat [-1]\nG0 X1\no1 endrepeat", 5},
    {"While", "#1=0\no1 while [#1 LT 5]\n#1=[#1+2]\no1 endwhile\nG0 X#1", 6},
    {"DoRunsOnce", "#1=9\no1 do\n#1=[#1+1]\no1 while [#1 LT 5]\nG0 X#1", 10},
    {"BreakAndContinue",
     "#1=0\n#2=0\no1 while [1]\n#1=[#1+1]\no2 if [#1 EQ 2]\no1 continue\no2 endif\no3 if [#1 GT 4]\no1 break\no3 "
     "endif\n"
     "#2=[#2+#1]\no1 endwhile\nG0 X#2",
     1 + 3 + 4},
    {"BreakOutOfDo", "#1=0\no1 do\n#1=[#1+1]\no2 if [#1 EQ 3]\no1 break\no2 endif\no1 while [1]\nG0 X#1", 3},
    {"ElseIf", "#1=2\no1 if [#1 EQ 1]\nG0 X1\no1 elseif [#1 EQ 2]\nG0 X2\no1 else\nG0 X3\no1 endif", 2},
    {"Else", "#1=5\no1 if [#1 EQ 1]\nG0 X1\no1 elseif [#1 EQ 2]\nG0 X2\no1 else\nG0 X3\no1 endif", 3},
    {"CallWithArgumentsAndReturn",
     "o<twice> sub\no<twice> return [#1*2+#2]\no<twice> endsub\no<twice> call [4] [1]\nG0 X#<_value>", 9},
    {"CallBeforeTheDefinition", "o10 call [3]\nM2\no10 sub\nG0 X#1\no10 endsub", 3},
    {"EndsubWithoutValueClearsValue",
     "o2 sub\no2 return [5]\no2 endsub\no2 call\no1 sub\no1 endsub\no1 call\nG0 X[#<_value>+#<_value_returned>]", 0},
    {"LocalsPerCall", "#1=5\n#<a>=6\no1 sub\n#1=1\n#<a>=2\no1 endsub\no1 call\nG0 X[#1+#<a>]", 11},
    {"GlobalsShared", "o1 sub\n#<_g>=#1\n#40=7\no1 endsub\no1 call [3]\nG0 X[#<_g>+#40]", 10},
    {"Recursion",
     "o<fact> sub\no1 if [#1 LE 1]\no<fact> return [1]\no1 endif\no<fact> call [#1-1]\no<fact> return [#1*#<_value>]\n"
     "o<fact> endsub\no<fact> call [5]\nG0 X#<_value>",
     120},
};

const LanguageCase kRefusals[] = {
    {"DivideByZero", "G0 X[1/0]", 0, msg::kDivideByZero},
    {"ModByZero", "G0 X[1 MOD 0]", 0, msg::kDivideByZero},
    {"SqrtOfNegative", "G0 X[SQRT[-1]]", 0, msg::kOutsideDomain},
    {"LnOfZero", "G0 X[LN[0]]", 0, msg::kOutsideDomain},
    {"AcosOutside", "G0 X[ACOS[2]]", 0, msg::kOutsideDomain},
    {"NegativeToFraction", "G0 X[[-8]**0.5]", 0, msg::kNegativePower},
    {"UndefinedName", "G0 X#<nothing>", 0, msg::kParameterUndefined},
    {"ParameterZero", "G0 X#0", 0, msg::kParameterNumber},
    {"ReadOnly", "#<_value>=5", 0, msg::kParameterReadOnly},
    {"ReadOnlyPosition", "#<_X>=5", 0, msg::kParameterReadOnly},
    {"ParameterTooHigh", "#5400=1", 0, msg::kParameterNumber},
    {"UnknownFunction", "G0 X[FOO[1]]", 0, msg::kBadExpression},
    {"OpenBracket", "G0 X[1+2", 0, msg::kBadExpression},
    {"AxisFromTheMachine", "G0 X#<_hal[plasmac.x]>", 0, msg::kMachineValue},
    {"ProbeResult", "G0 X#5061", 0, msg::kMachineValue},
    {"SubroutineMissing", "o<nowhere> call", 0, msg::kSubroutineMissing},
    {"Unclosed", "o1 while [1]\nG0 X1", 0, msg::kOwordUnmatched},
    {"WrongClose", "o1 if [1]\no2 endif", 0, msg::kOwordUnmatched},
    {"UnknownOword", "o1 jump", 0, msg::kOwordUnknown},
    {"BreakInRepeat", "o1 repeat [2]\no1 break\no1 endrepeat", 0, msg::kOwordUnmatched},
    {"TooManyArguments",
     "o1 call [1][2][3][4][5][6][7][8][9][10][11][12][13][14][15][16][17][18][19][20][21][22][23][24]"
     "[25][26][27][28][29][30][31]",
     0, msg::kTooManyArguments},
    {"RecursionWithoutEnd", "o1 sub\no1 call\no1 endsub\no1 call", 0, msg::kDepthLimit},
    {"LoopWithoutEnd", "o1 while [1]\no1 endwhile", 0, msg::kBlockLimit},
};

void Check(const LanguageCase& c) {
  const PlotProgram p = ReadProgram(std::string(c.program) + "\n");
  if (c.refusal) {
    ASSERT_FALSE(p.errors.empty()) << c.program;
    EXPECT_EQ(p.errors[0].reason.substr(0, std::string(c.refusal).size()), c.refusal) << c.program;
    return;
  }
  ASSERT_EQ(p.errorCount, 0u) << c.program << "\n" << (p.errors.empty() ? "" : p.errors[0].reason);
  ASSERT_FALSE(p.moves.empty()) << c.program;
  EXPECT_NEAR(p.moves.back().end.x, c.x, 1e-9) << c.program;
}

class LanguageValues : public ::testing::TestWithParam<LanguageCase> {};
TEST_P(LanguageValues, AsRs274) { Check(GetParam()); }
const auto kName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Values, LanguageValues, ::testing::ValuesIn(kValues), kName);
INSTANTIATE_TEST_SUITE_P(Flow, LanguageValues, ::testing::ValuesIn(kFlow), kName);
INSTANTIATE_TEST_SUITE_P(Refusals, LanguageValues, ::testing::ValuesIn(kRefusals), kName);

// Only a program that uses the language leaves the plain reading, which may take two threads.
TEST(Language, APlainProgramStaysPlainWhateverItsComments) {
  const struct {
    const char* text;
    bool language;
  } cases[] = {
      {"G0 X1\n(TOOL #2 [a])\nG1 X2 ; #3\n", false},
      {"(outline)\nG0 X1 (o100)\n", false},
      {"G0 X[1]\n", true},
      {"G0 X1\n  o1 sub\n", true},
      {"(size) #1=2", true},
      {"G0 X1 (open comment #1", false},
  };
  for (const auto& c : cases) EXPECT_EQ(ProgramUsesLanguage(c.text), c.language) << c.text;
}

// Each limit with its own message, at a smaller size than the reader's own.
TEST(Language, ARunawayStopsAtEachLimit) {
  const struct {
    const char* program;
    LanguageLimits limits;
    const char* message;
    std::size_t moves;
  } cases[] = {
      {"o1 while [1]\nG0 X1\nG0 X2\no1 endwhile\nG0 X3\n", {1000, 100, 20}, msg::kMoveLimit, 20},
      {"o1 while [1]\nG0 X1\nG0 X2\no1 endwhile\nG0 X3\n",
       {30, 100, 1000},
       msg::kBlockLimit,
       15},  // four blocks a pass
      {"o1 sub\nG0 X1\no1 call\no1 endsub\no1 call\n", {1000, 5, 1000}, msg::kDepthLimit, 5},
  };
  for (const auto& c : cases) {
    PlotProgram p;
    ReadWithLanguage(c.program, p, c.limits);
    ASSERT_EQ(p.errors.size(), 1u) << c.program;
    EXPECT_EQ(p.errors[0].reason, c.message);
    EXPECT_EQ(p.moves.size(), c.moves);
  }
}

TEST(Language, MissingSubroutineIsNamed) {
  const PlotProgram p = ReadProgram("o<nowhere> call\n");
  ASSERT_EQ(p.errors.size(), 1u);
  EXPECT_NE(p.errors[0].reason.find("o<nowhere>"), std::string::npos);
}

TEST(Language, FeedFromTheMachineIsUnknownAndTheCutIsDrawn) {
  const PlotProgram p = ReadProgram("F#<_hal[plasmac.cut-feed-rate]>\nG1 X10\n");
  EXPECT_EQ(p.errorCount, 0u);
  ASSERT_EQ(p.moves.size(), 1u);
  EXPECT_TRUE(p.feedUnknown);
}

TEST(Language, MovesInALoopNameTheLineThatWroteThem) {
  const PlotProgram p = ReadProgram("#1=0\no1 repeat [3]\nG1 X#1 F100\n#1=[#1+1]\no1 endrepeat\nG0 X0\n");
  ASSERT_EQ(p.moves.size(), 4u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(p.moves.Line(i), 2u);
    EXPECT_EQ(p.moves.EndX(i), static_cast<double>(i));
  }
  EXPECT_EQ(p.moves.Line(3), 5u);
  EXPECT_EQ(p.lineStarts.size(), 6u);
}

TEST(Language, ALineThatRanTwiceSelectsTheMovesOfEachRun) {
  const PlotProgram p = ReadProgram("G0 X9\no1 repeat [2]\nG0 X1\nG0 X2\no1 endrepeat\nG0 X3\n");
  ASSERT_EQ(p.moves.size(), 6u);
  using Runs = std::vector<std::pair<std::size_t, std::size_t>>;
  EXPECT_EQ(p.MoveRunsOfLine(2), (Runs{{1, 2}, {3, 4}}));
  EXPECT_EQ(p.MoveRunsOfLine(3), (Runs{{2, 3}, {4, 5}}));
  EXPECT_EQ(p.MoveRunsOfLine(5), (Runs{{5, 6}}));
  EXPECT_EQ(p.MoveRunsOfLine(1), Runs{});
  EXPECT_EQ(p.MovesOfLine(0), (std::pair<std::size_t, std::size_t>{0, 1}));
  EXPECT_EQ(p.MovesOfLine(3), (std::pair<std::size_t, std::size_t>{2, 3}));
  EXPECT_EQ(p.MovesOfLine(4), (std::pair<std::size_t, std::size_t>{0, 0}));
}

TEST(Language, ALineRefusedInALoopIsListedEachTime) {
  const PlotProgram p = ReadProgram("o1 repeat [3]\nG0 X[1/0]\no1 endrepeat\n");
  EXPECT_EQ(p.errorCount, 3u);
  for (const PlotError& e : p.errors) EXPECT_EQ(e.line, 1u);
}

TEST(Language, AssignmentsArePassedOverAsBefore) {
  const PlotProgram p = ReadProgram("#1=2\n#2=3 (size)\nG0 X#1\n");
  ASSERT_EQ(p.passedOver.size(), 2u);
  EXPECT_EQ(p.passedOver[0].word, msg::kPassedAssignment);
  EXPECT_EQ(p.passedOver[1].word, msg::kPassedComment);
}

// The passed-over list counts the file's lines, however often a loop or a call runs them.
TEST(Language, PassedOverWordsCountLinesNotRuns) {
  const PlotProgram p =
      ReadProgram("o2 sub\nM62 P1\no2 endsub\n#1=0\no1 repeat [3]\nM3 S1\n#1=[#1+1]\no2 call\no1 endrepeat\nM2\n");
  EXPECT_EQ(p.errorCount, 0u);
  for (const PassedOver& passed : p.passedOver) {
    const std::uint32_t lines = passed.word == msg::kPassedAssignment ? 2u : 1u;
    EXPECT_EQ(passed.lines, lines) << passed.word;
  }
  ASSERT_EQ(p.passedOver.size(), 4u);  // the assignment, M3, S and M62
}

}  // namespace
}  // namespace talvo::plot
