// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "arc_geometry.h"
#include "gcode_reader.h"
#include "ngc_messages.h"
#include "plot_messages.h"

namespace talvo::plot {
namespace {

struct Expected {
  MoveKind kind;
  double x, y;    // end
  double cx, cy;  // centre, arcs only
  std::uint32_t line;
};

struct MovesCase {
  const char* name;
  const char* text;
  std::vector<Expected> moves;
};

constexpr MoveKind R = MoveKind::Rapid, F = MoveKind::Feed, CW = MoveKind::ArcCw, CCW = MoveKind::ArcCcw;

void ExpectMoves(const MovesCase& c) {
  SCOPED_TRACE(c.name);
  const PlotProgram p = ReadProgram(c.text);
  for (const PlotError& e : p.errors) ADD_FAILURE() << "line " << e.line << ": " << e.reason;
  ASSERT_EQ(p.moves.size(), c.moves.size());
  PlotPoint previous;
  for (std::size_t i = 0; i < c.moves.size(); ++i) {
    SCOPED_TRACE(i);
    const PlotMove& m = p.moves[i];
    const Expected& e = c.moves[i];
    EXPECT_EQ(m.kind, e.kind);
    EXPECT_EQ(m.line, e.line);
    EXPECT_NEAR(m.start.x, previous.x, 1e-9);
    EXPECT_NEAR(m.start.y, previous.y, 1e-9);
    EXPECT_NEAR(m.end.x, e.x, 1e-9);
    EXPECT_NEAR(m.end.y, e.y, 1e-9);
    if (m.IsArc()) {
      EXPECT_NEAR(m.centreX, e.cx, 1e-9);
      EXPECT_NEAR(m.centreY, e.cy, 1e-9);
    }
    previous = m.end;
  }
}

TEST(PlotReader, FindsTheMovesOfEachLine) {
  const MovesCase cases[] = {
      {"generated inner circle, CR LF",
       "G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%\r\n",
       {{R, 0, 0, 0, 0, 0}, {R, 0, -38, 0, 0, 1}, {F, 0, -48, 0, 0, 2}, {CW, 0, -48, 0, 0, 3}}},
      {"negative J puts the centre below",
       "G0X0Y4\nG1Y1F300\nG2J-1F300\n",
       {{R, 0, 4, 0, 0, 0}, {F, 0, 1, 0, 0, 1}, {CW, 0, 1, 0, 0, 2}}},
      {"numbers without a leading digit", "G1X.5Y-.75F100\nX+2.Y-0.\n", {{F, 0.5, -0.75, 0, 0, 0}, {F, 2, 0, 0, 0, 1}}},
      {"lower case and blanks", "g0 x 1 y 2\n  g1x3\tf9\n", {{R, 1, 2, 0, 0, 0}, {F, 3, 2, 0, 0, 1}}},
      {"motion is modal",
       "G1X1F100\nY2\nG0X0\nY0\n",
       {{F, 1, 0, 0, 0, 0}, {F, 1, 2, 0, 0, 1}, {R, 0, 2, 0, 0, 2}, {R, 0, 0, 0, 0, 3}}},
      {"G2 positive R takes the short way", "G2X10Y10R10F1\n", {{CW, 10, 10, 10, 0, 0}}},
      {"G2 negative R takes the long way", "G2X10Y10R-10F1\n", {{CW, 10, 10, 0, 10, 0}}},
      {"G3 positive R", "G3X10Y10R10F1\n", {{CCW, 10, 10, 0, 10, 0}}},
      {"G3 negative R", "G3X10Y10R-10F1\n", {{CCW, 10, 10, 10, 0, 0}}},
      {"R half circle", "G2X10R5F1\n", {{CW, 10, 0, 5, 0, 0}}},
      {"I J are from the start", "G0X10Y10\nG3X0Y20I-10J0F1\n", {{R, 10, 10, 0, 0, 0}, {CCW, 0, 20, 0, 10, 1}}},
      {"full circle by an end equal to the start",
       "G0X10\nG3X10Y0I-10F1\n",
       {{R, 10, 0, 0, 0, 0}, {CCW, 10, 0, 0, 0, 1}}},
      {"G91 adds to the position",
       "G91G0X1Y1\nX1\nG1Y2F1\nG3X-2Y2I-1J1\nG90G1X0Y0\n",
       {{R, 1, 1, 0, 0, 0}, {R, 2, 1, 0, 0, 1}, {F, 2, 3, 0, 0, 2}, {CCW, 0, 5, 1, 4, 3}, {F, 0, 0, 0, 0, 4}}},
      {"comments, line numbers, block delete",
       "N10 G0 X1 (to X1) Y1 ; the rest is a comment G1 X9\n(G1 X5)\n;G1X9\n/N30 G1 X2 F1\n\n   \n",
       {{R, 1, 1, 0, 0, 0}, {F, 2, 1, 0, 0, 3}}},
      {"S T other M and G words change nothing",
       "G21G17G90G40G54G64G94\nT1M6S1000M3\nG0X1M8\nG4P1\nG1X2F1M5\n",
       {{R, 1, 0, 0, 0, 2}, {F, 2, 0, 0, 0, 4}}},
      {"M2 ends the program", "G0X1\nM2\nG0X5\n", {{R, 1, 0, 0, 0, 0}}},
      {"M30 on a move line ends after it", "G0X1M30\nG0X5\n", {{R, 1, 0, 0, 0, 0}}},
      {"leading percent opens, the next closes", "%\nG0X1\n%\nG0X5\n", {{R, 1, 0, 0, 0, 1}}},
      {"Z alone is a move", "G0Z5\nG1Z-1F1\n", {{R, 0, 0, 0, 0, 0}, {F, 0, 0, 0, 0, 1}}},
  };
  for (const MovesCase& c : cases) ExpectMoves(c);
}

TEST(PlotReader, ListsUnreadableLinesAndReadsOn) {
  struct Case {
    const char* bad;
    const char* reason;
  };
  const Case cases[] = {
      {"G1X", msg::kNumberMissing},
      {"G1X1.2.3", msg::kBadCharacter},
      {"G5X1", msg::kCodeUnknown},
      {"G1.5X1", msg::kCodeUnknown},
      {"G0G1X1", msg::kCodesClash},
      {"G90G91X1", msg::kCodesClash},
      {"G1X1X2", msg::kWordTwice},
      {"G1X1#2", msg::kBadCharacter},
      {"G1X1*", msg::kBadCharacter},
      {"G1X1 (open", msg::kOpenComment},
      {"G18G2X1I1", msg::kPlaneUnsupported},
      {"G80X1", msg::kNoMotionMode},
      {"G2X1Y1F1", msg::kArcNeedsCentre},
      {"G2X1Y1R1I1", msg::kArcBothForms},
      {"G3R5", msg::kArcNeedsEnd},
      {"G2X1Y0R3", msg::kArcFullWithR},
      {"G2X9R0", msg::kArcRadiusZero},
      {"G2X9R3", msg::kArcRadiusSmall},
      {"G2X9I0J0", msg::kArcRadiusZero},
      {"G2X9I1", msg::kArcEndOff},
      {"G1Y-1000000000.5", msg::kNumberTooBig},
      {"G1X99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
       "99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
       "99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
       "999999999999999999999999999999999999999999999999999999999",
       msg::kNumberTooBig},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bad);
    const PlotProgram p = ReadProgram(std::string("G0X1\n") + c.bad + "\nG1X7F1\n");
    ASSERT_EQ(p.errors.size(), 1u);
    EXPECT_EQ(p.errors[0].line, 1u);
    EXPECT_EQ(p.errors[0].reason, c.reason);
    // The bad line changed nothing: the next move starts where the first one ended.
    ASSERT_EQ(p.moves.size(), 2u);
    EXPECT_EQ(p.moves[1].start.x, 1);
    EXPECT_EQ(p.moves[1].end.x, 7);
    EXPECT_EQ(p.moves[1].kind, MoveKind::Feed);
    EXPECT_EQ(p.moves[1].line, 2u);
  }
}

// A line whose motion could be misread is refused with its number; a line that only carries
// words that leave the path alone is drawn in full. Each line follows "G0X1", so it starts at
// (1, 0). The allowances are LinuxCNC's: 0.00127 mm for R, 0.02·√2 mm (and 0.1%) for I J.
TEST(PlotReader, RefusesWhatCouldBeMisreadAndDrawsWhatOnlyCarriesMachineWords) {
  struct Case {
    const char* line;
    const char* refused;                  // the reason, or nullptr when the line is drawn
    int moves = 0;                        // on this line, when drawn
    double x = 0, y = 0, cx = 0, cy = 0;  // the last move's end and, for an arc, its centre
  };
  const Case cases[] = {
      {"G1X1e3Y5F100", msg::kExponent},
      {"G1X2.5E-1", msg::kExponent},
      {"G1X10Q5Y5F100", msg::kWordNoUse},
      {"G1X10 E5F100", msg::kWordNoUse},
      {"G0X5I1", msg::kWordNoUse},
      {"G1X5R2F100", msg::kWordNoUse},
      {"G1X5P1F100", msg::kWordNoUse},
      {"G1X5$0F100", msg::kWordNoUse},
      {"G1X5D1F100", msg::kWordNoUse},
      {"G2X3Y0I1K0F100", msg::kWordNoUse},
      {"G1X[SQRT[-1]]F100", msg::kOutsideDomain},
      {"G2X3Y0I#1F100", msg::kArcRadiusZero},  // #1 is 0
      {"G2X3Y0R[1/0]F100", msg::kDivideByZero},
      {"G1X5A90F100", msg::kRotaryA},
      {"G1X5U1F100", msg::kAxisNotDrawn},
      {"G1X5F-5", msg::kNegativeFeed},
      {"F-1", msg::kNegativeFeed},
      {"G38.2X5F100", msg::kZOnly},
      {"G92X0", msg::kZOnly},
      {"G92", msg::kZOnly},
      {"G0X2G92Z0", msg::kCodesClash},
      {"G1X5H1F100", msg::kWordNoUse},
      {"G2X3Y0I1P2F100", msg::kArcTurns},
      {"M98P100", msg::kSubprogram},
      {"O100 sub", msg::kOwordUnmatched},
      {"G2F100", msg::kArcNeedsCentre},
      {"#1", msg::kBadCharacter},
      {"G2X11.003Y0R5F100", msg::kArcRadiusSmall},  // 0.0015 beyond, more than the allowance
      {"G2X1.2Y0I0.05J0F100", msg::kArcEndOff},     // 0.05 off, more than 0.0283 and 0.1%
      {"G2X1Y0I0.001F100", msg::kArcRadiusZero},
      // drawn
      {"G2X11.0001Y0R5F100", nullptr, 1, 11.0001, 0, 6.00005, 0},
      {"G2X4Y1R1.5811F100", nullptr, 1, 4, 1, 2.5, 0.5},
      {"G2X1.11Y0I0.05J0F100", nullptr, 1, 1.11, 0, 1.05, 0},
      {"G2X1.1Y0I0.05J0F100P1", nullptr, 1, 1.1, 0, 1.05, 0},
      {"M3 $0 S1", nullptr, 0},
      {"M5 $0", nullptr, 0},
      {"M190 P1", nullptr, 0},
      {"M159 P601 Q2", nullptr, 0},
      {"G64 P0.254 Q0.025", nullptr, 0},
      {"#<holes> = 4", nullptr, 0},
      {"#<_width> = [#1 * 2] (and a comment)", nullptr, 0},
      {"G1 X5 M52 P1 F100", nullptr, 1, 5, 0},
      {"G1 X5 S100 T1 F#<_hal[plasmac.cut-feed-rate]>", nullptr, 1, 5, 0},
      {"G1 X5 F[100*2]", nullptr, 1, 5, 0},
      {"G1X[1+2]F100", nullptr, 1, 3, 0},
      {"G2X3Y0R[1]F100", nullptr, 1, 3, 0, 2, 0},
      {"M67 E0 Q1", nullptr, 0},
      // machine words: the tool, its offsets, probing, outputs and user codes leave the path alone
      {"M6 T1", nullptr, 0},
      {"G43", nullptr, 0},
      {"G43 H1", nullptr, 0},
      {"G43.1 Z1", nullptr, 0},
      {"G49", nullptr, 0},
      {"G38.2 Z-10 F100", nullptr, 0},
      {"G92 Z0", nullptr, 0},
      {"M62 P1", nullptr, 0},
      {"M65 P2", nullptr, 0},
      {"M66 P0 L0", nullptr, 0},
      {"M68 E1 Q3", nullptr, 0},
      {"M100", nullptr, 0},
      {"M199 P1 Q2", nullptr, 0},
      // G28 and G30 go by the point given to the stored position, 0 with fresh parameters
      {"G28", nullptr, 2, 0, 0},
      {"G28 X5", nullptr, 2, 0, 0},
      {"G30 Y3", nullptr, 2, 1, 0},
      {"G91 G30 Y3", nullptr, 2, 1, 0},
      {"G1 X1E", msg::kNumberMissing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const PlotProgram p = ReadProgram(std::string("G0X1\n") + c.line + "\n");
    if (c.refused) {
      ASSERT_EQ(p.errors.size(), 1u);
      EXPECT_EQ(p.errors[0].line, 1u);
      EXPECT_EQ(p.errors[0].reason, c.refused);
      EXPECT_EQ(p.MovesOfLine(1).second - p.MovesOfLine(1).first, 0u);
      continue;
    }
    for (const PlotError& e : p.errors) ADD_FAILURE() << "line " << e.line << ": " << e.reason;
    const auto [first, last] = p.MovesOfLine(1);
    ASSERT_EQ(static_cast<int>(last - first), c.moves);
    if (c.moves == 0) continue;
    const PlotMove& m = p.moves[last - 1];
    EXPECT_NEAR(m.end.x, c.x, 1e-9);
    EXPECT_NEAR(m.end.y, c.y, 1e-9);
    if (m.IsArc()) {
      EXPECT_NEAR(m.centreX, c.cx, 1e-4);
      EXPECT_NEAR(m.centreY, c.cy, 1e-4);
    }
  }
}

TEST(PlotReader, DeepExpressionsAreRefusedWithinASmallStack) {
  std::string nested;
  for (int i = 0; i < 20000; ++i) nested += "#[";
  for (const std::string& line : {"G1X" + std::string(60000, '#') + "1", "G1X" + nested + "1", "#1=" + nested + "1"}) {
    const PlotProgram p = ReadProgram(line + "\n");
    ASSERT_EQ(p.errors.size(), 1u);
    EXPECT_TRUE(p.moves.empty());
  }
}

TEST(PlotReader, APlasmaProgramWithMachineWordsIsDrawnInFull) {
  std::ifstream in(std::string(TALVO_PLOT_CORPUS) + "/plasma.ngc", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(text.empty());
  const PlotProgram p = ReadProgram(text);
  for (const PlotError& e : p.errors) ADD_FAILURE() << "line " << e.line + 1 << ": " << e.reason;
  EXPECT_EQ(p.moves.size(), 9u);
  EXPECT_EQ(p.pierces.size(), 2u);
  EXPECT_TRUE(p.feedUnknown) << "the cuts run at a feed given as an expression";
  std::vector<std::string> passed;
  for (const PassedOver& w : p.passedOver) passed.push_back(w.word);
  const std::vector<std::string> expected = {msg::kPassedComment,
                                             "G64",
                                             msg::kPassedAssignment,
                                             "M52",
                                             "M190",
                                             "M66",
                                             msg::kPassedFeedExpression,
                                             "M3",
                                             "S",
                                             "$",
                                             "M5",
                                             "M159"};
  EXPECT_EQ(passed, expected);
  EXPECT_EQ(p.passedOver[7].lines, 2u);  // M3, twice
  EXPECT_EQ(p.passedOver[7].firstLine, 11u);
}

TEST(PlotReader, AKnownFeedAfterAnExpressionIsKnownAgain) {
  EXPECT_FALSE(ReadProgram("F#<_hal[x]>\nF300\nG1X5\n").feedUnknown);
  EXPECT_TRUE(ReadProgram("F300\nG1X5F#<_hal[x]>\n").feedUnknown);
  EXPECT_FALSE(ReadProgram("F#1\nG0X5\n").feedUnknown) << "a rapid runs at no feed";
}

TEST(PlotReader, RefusesAMegabyteLineAndReadsOn) {
  const std::string text = "G0X1\n" + std::string(1 << 20, 'X') + "\nG1X2F1\n";
  const PlotProgram p = ReadProgram(text);
  ASSERT_EQ(p.errors.size(), 1u);
  EXPECT_EQ(p.errors[0].line, 1u);
  EXPECT_EQ(p.errors[0].reason.rfind(msg::kLineTooLong, 0), 0u);
  ASSERT_EQ(p.moves.size(), 2u);
  EXPECT_EQ(p.lineStarts.size(), 3u);
}

TEST(PlotReader, KeepsTheFirstErrorsAndCountsAll) {
  std::string text;
  const std::size_t lines = PlotProgram::kMaxKeptErrors + 5;
  for (std::size_t i = 0; i < lines; ++i) text += "?\n";
  const PlotProgram p = ReadProgram(text);
  EXPECT_EQ(p.errors.size(), PlotProgram::kMaxKeptErrors);
  EXPECT_EQ(p.errorCount, lines);
  EXPECT_EQ(p.errors.back().line, PlotProgram::kMaxKeptErrors - 1);
}

// The job is in the units of its first move; a later change of units converts the position,
// as LinuxCNC does, and the moves that follow are kept in the job's units.
TEST(PlotReader, KeepsTheJobInTheUnitsOfItsFirstMove) {
  struct Case {
    const char* text;
    PlotUnits units;
    double x, feed;  // the last move's end and feed
  };
  const Case cases[] = {
      {"G0X2\n", PlotUnits::Millimetre, 2, kNoFeed},
      {"G20\nG0X2\n", PlotUnits::Inch, 2, kNoFeed},
      {"G21\nG20\nG0X2\n", PlotUnits::Inch, 2, kNoFeed},
      {"G20G0X2\nG21\n", PlotUnits::Inch, 2, kNoFeed},
      {"G20\n", PlotUnits::Inch, 0, 0},
      {"G21 G1 X200 F1000\nG20\n", PlotUnits::Millimetre, 200, 1000},
      {"G21 G1 X200 F1000\nG20\nG1 X10\n", PlotUnits::Millimetre, 254, 1000},
      {"G20 G1 X1 F10\nG21\nG91 G1 X25.4\n", PlotUnits::Inch, 2, 10},
      {"G20 G1 X1 F10\nG21\nG1 X50.8 F254\n", PlotUnits::Inch, 2, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const PlotProgram p = ReadProgram(c.text);
    EXPECT_EQ(p.units, c.units);
    EXPECT_EQ(p.errorCount, 0u);
    if (p.moves.size() == 0) continue;
    EXPECT_NEAR(p.moves.back().end.x, c.x, 1e-9);
    EXPECT_NEAR(p.moves.back().feed, c.feed, 1e-9);
    EXPECT_NEAR(p.extents.maxX, c.x, 1e-9);
  }
}

// Heights are kept only where they change: each move still starts at the last one's height and
// ends at its own, over more than one block of 64 moves, and a -0 stays one.
TEST(PlotReader, KeepsEachMovesHeight) {
  std::string text = "G0Z-0\n";
  for (int k = 0; k < 150; ++k)
    text += "G1X" + std::to_string(k) + (k % 7 == 0 ? "Z" + std::to_string(k % 3) : "") + "F100\n";
  const PlotProgram p = ReadProgram(text);
  ASSERT_EQ(p.moves.size(), 151u);
  EXPECT_TRUE(std::signbit(p.moves[0].end.z));
  double z = -0.0;
  for (std::size_t i = 1; i < p.moves.size(); ++i) {
    const int k = static_cast<int>(i) - 1;
    const PlotMove m = p.moves[i];
    EXPECT_EQ(m.start.z, z) << i;
    if (k % 7 == 0) z = k % 3;
    EXPECT_EQ(m.end.z, z) << i;
    EXPECT_EQ(p.moves.EndZ(i), z) << i;
  }
}

TEST(PlotReader, TotalsExtentsAndPiercesOfAGeneratedHole) {
  const PlotProgram p = ReadProgram("G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%\r\n");
  EXPECT_NEAR(p.rapidLength, 38, 1e-9);
  EXPECT_NEAR(p.cutLength, 10 + 2 * std::numbers::pi * 48, 1e-9);
  EXPECT_DOUBLE_EQ(p.extents.minX, -48);
  EXPECT_DOUBLE_EQ(p.extents.maxX, 48);
  EXPECT_DOUBLE_EQ(p.extents.minY, -48);
  EXPECT_DOUBLE_EQ(p.extents.maxY, 48);
  EXPECT_EQ(p.pierces, std::vector<std::uint32_t>{2});
  EXPECT_EQ(p.lineStarts, (std::vector<std::uint32_t>{0, 8, 16, 28, 39, 44}));
  EXPECT_EQ(p.MovesOfLine(3), (std::pair<std::size_t, std::size_t>{3, 4}));
  EXPECT_EQ(p.MovesOfLine(4), (std::pair<std::size_t, std::size_t>{4, 4}));
}

// The reader takes an R arc's turn from its own words; the kept move, measured from its centre,
// must turn as far. Seeded R arcs of every kind: either way round, the short way and the long,
// chords from a hair to a half circle and a little over (within the allowance), in inches
// after millimetres, and rising.
TEST(PlotReader, AnRArcsTotalIsTheLengthOfItsKeptMove) {
  std::mt19937_64 random(0x5eed'0021);
  std::uniform_real_distribution<double> unit(0, 1);
  std::string text = "G21G0X0Y0\n";
  for (int i = 0; i < 400; ++i) {
    const double r = 0.5 + 80 * unit(random), turn = 2 * std::numbers::pi * unit(random);
    const double share = i % 5 == 0 ? 1 + 1e-5 * unit(random) : i % 5 == 1 ? 1 : unit(random);
    const double chord = 2 * r * std::min(share, 1.0) + (share > 1 ? 0.001 : 0);
    char line[160];
    const double x = 100 + 200 * unit(random), y = 100 + 200 * unit(random);
    const double unitMm = i >= 200 ? 25.4 : 1;  // the second half of the arcs is written in inches
    std::snprintf(line, sizeof line, "%sG0X%.6fY%.6f\nG%dX%.6fY%.6fZ%.6fR%s%.6fF1000\n", i == 200 ? "G20" : "",
                  x / unitMm, y / unitMm, 2 + i % 2, (x + chord * std::cos(turn)) / unitMm,
                  (y + chord * std::sin(turn)) / unitMm, (i % 7) * 0.5 / unitMm, i % 3 == 0 ? "-" : "", r / unitMm);
    text += line;
  }
  const PlotProgram p = ReadProgram(text);
  ASSERT_EQ(p.errorCount, 0u) << p.errors.front().reason << " line " << p.errors.front().line;
  ASSERT_EQ(p.moves.size(), 801u);
  double measured = 0;
  for (const PlotMove& m : p.moves) {
    if (m.IsCut()) measured += MoveLength(m);
  }
  EXPECT_NEAR(p.cutLength, measured, 1e-9 * measured);
  EXPECT_GT(p.cutLength, 400 * 0.5);
}

TEST(ArcGeometry, SweepBoxAndDistance) {
  struct Case {
    const char* text;  // one arc after G0X10
    double sweep;
    PlotExtents box;
    double px, py, distance;
  };
  const double pi = std::numbers::pi;
  const Case cases[] = {
      {"G3X0Y10I-10F1", pi / 2, {0, 0, 10, 10}, 0, 0, 10},
      {"G2X0Y10I-10F1", -3 * pi / 2, {-10, -10, 10, 10}, 0, -12, 2},
      {"G3X-10Y0R10F1", pi, {-10, 0, 10, 10}, 0, 5, 5},
      {"G2X10I-10F1", -2 * pi, {-10, -10, 10, 10}, 20, 0, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const PlotProgram p = ReadProgram(std::string("G0X10\n") + c.text);
    ASSERT_EQ(p.moves.size(), 2u);
    const PlotMove& arc = p.moves[1];
    EXPECT_NEAR(ArcSweep(arc), c.sweep, 1e-12);
    const PlotExtents box = MoveBox(arc);
    EXPECT_NEAR(box.minX, c.box.minX, 1e-9);
    EXPECT_NEAR(box.minY, c.box.minY, 1e-9);
    EXPECT_NEAR(box.maxX, c.box.maxX, 1e-9);
    EXPECT_NEAR(box.maxY, c.box.maxY, 1e-9);
    EXPECT_NEAR(DistanceToMove(arc, c.px, c.py), c.distance, 1e-9);
  }
}

}  // namespace
}  // namespace talvo::plot
