// SPDX-License-Identifier: MIT
// A large program is read, indexed and drawn on two threads; whatever its lines, the result
// must be the one the calling thread alone gives, field by field. The tests force two threads,
// so they compare one with two on a machine of any number of cores.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include "gcode_reader.h"
#include "move_index.h"

namespace talvo::plot {
namespace {

// Lines of every kind the two threads meet: moves in both distance modes and both units, arcs
// of both forms, words passed over, and lines it refuses. Parameters, expressions and o-words
// are left out: a program with one is read through the language, on one thread.
const char* const kLines[] = {
    "G0 X10 Y10",
    "G1 X20.5 Y-3.25 F1200",
    "X21 Y-4",
    "G2 X30 Y0 I5 J0",
    "G3 X10 Y0 R12.5",
    "G2 I-2 J0",
    "G91 G1 X1 Y1",
    "G90",
    "G20",
    "G21",
    "(a comment)",
    "; a note",
    "M3 S2000",
    "M5",
    "M101 P3",
    "F900",
    "T2",
    "N120 G0 X0 Y0",
    "",
    "   ",
    "G1 X1e3",
    "G2 X1 Y1",
    "G1 X2 Q4",
    "G18",
    "G2 X5 Y5 R1",
    "G7",
    "X1 X2",
    "(open comment",
    "G1 X3 A4",
    "/G1 X4 Y4",
    "G3 X0 Y0 I3 J3 P2",
    "G1 Z-1.5",
    "G80",
    "X5",
    "G1 X-0 Y.5",
    "G0 X123456789.123456789",
};

std::string RandomProgram(std::size_t bytes, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kLines) - 1);
  std::string text = "%\r\n";
  while (text.size() < bytes) text.append(kLines[pick(random)]).append(random() % 2 ? "\r\n" : "\n");
  return text;
}

void ExpectSame(const PlotProgram& a, const PlotProgram& b) {
  ASSERT_EQ(a.moves.size(), b.moves.size());
  for (std::size_t i = 0; i < a.moves.size(); ++i) {
    const PlotMove m = a.moves[i], n = b.moves[i];
    ASSERT_TRUE(m.end.x == n.end.x && m.end.y == n.end.y && m.end.z == n.end.z && m.centreX == n.centreX &&
                m.centreY == n.centreY && m.feed == n.feed && m.line == n.line && m.kind == n.kind &&
                m.pierce == n.pierce)
        << "move " << i;
  }
  EXPECT_EQ(a.errorCount, b.errorCount);
  ASSERT_EQ(a.errors.size(), b.errors.size());
  for (std::size_t i = 0; i < a.errors.size(); ++i) {
    EXPECT_EQ(a.errors[i].line, b.errors[i].line);
    EXPECT_EQ(a.errors[i].reason, b.errors[i].reason);
  }
  ASSERT_EQ(a.passedOver.size(), b.passedOver.size());
  for (std::size_t i = 0; i < a.passedOver.size(); ++i) {
    EXPECT_EQ(a.passedOver[i].word, b.passedOver[i].word);
    EXPECT_EQ(a.passedOver[i].firstLine, b.passedOver[i].firstLine);
    EXPECT_EQ(a.passedOver[i].lines, b.passedOver[i].lines);
  }
  EXPECT_EQ(a.lineStarts, b.lineStarts);
  EXPECT_EQ(a.pierces, b.pierces);
  EXPECT_EQ(a.units, b.units);
  EXPECT_EQ(a.extents.minX, b.extents.minX);
  EXPECT_EQ(a.extents.minY, b.extents.minY);
  EXPECT_EQ(a.extents.maxX, b.extents.maxX);
  EXPECT_EQ(a.extents.maxY, b.extents.maxY);
  EXPECT_EQ(a.cutLength, b.cutLength);
  EXPECT_EQ(a.rapidLength, b.rapidLength);
  EXPECT_EQ(a.feedUnknown, b.feedUnknown);
}

struct Case {
  const char* name;
  const char* ending;  // inserted after the line at `at` of the text; the lines after it are only counted
  double at;
};

TEST(PlotReaderThreads, LargeProgramsReadAsOnOneThread) {
  const Case cases[] = {
      {"to the last line", nullptr, 0},
      {"ended by M30", "M30\n", 2.0 / 3},
      {"ended by a closing %", "%\n", 2.0 / 3},
      {"ended in the first chunk", "M2\n", 0.0001},
  };
  unsigned seed = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = RandomProgram(3'000'000, seed++);
    if (c.ending) text.insert(text.find('\n', static_cast<std::size_t>(c.at * text.size())) + 1, c.ending);
    const PlotProgram two = ReadProgram(text, ThreadChoice::Two);
    const PlotProgram one = ReadProgramOnOneThread(text);
    ASSERT_GT(one.moves.size(), 0u);
    ExpectSame(two, one);
  }
}

// The hand-over at its edges: no line, one line without its newline, an end in the first line,
// and chunks filled exactly, once over, or all at once before the first is taken.
TEST(PlotReaderThreads, SmallProgramsReadAsOnOneThread) {
  const auto lines = [](std::size_t count, const char* last) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text.append("G1 X").append(std::to_string(i % 97)).append(" F600\n");
    return text.append(last);
  };
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"empty", ""},
      {"one newline", "\n"},
      {"no newline at the end", "G0 X5 Y5"},
      {"ended at once", "M30\nG0 X1\n"},
      {"closed by %", "%\nG0 X1\n%\nG1 X2\n"},
      {"one chunk exactly", lines(1024, "")},
      {"one line over a chunk", lines(1024, "G0 X0")},
      {"every chunk full", lines(8192, "")},
      {"ended after every chunk was full", lines(9216, "M2\n") + lines(3000, "")},
  };
  for (const auto& [name, text] : cases) {
    SCOPED_TRACE(name);
    ExpectSame(ReadProgram(text, ThreadChoice::Two), ReadProgramOnOneThread(text));
  }
}

// The index of a large program is built in two halves at once, and a view's moves can be shared
// out between threads: every share together must visit each move that meets the view once.
TEST(PlotIndexThreads, SharesOfAViewVisitEachMoveInItOnce) {
  PlotProgram program = ReadProgram(RandomProgram(8'000'000, 7));
  ASSERT_GT(program.moves.size(), 200'000u);  // large enough to be indexed on two threads
  const MoveIndex index(program, ThreadChoice::Two);
  const MoveIndex onOneThread(program, ThreadChoice::One);
  const PlotExtents& all = program.extents;
  const double w = all.maxX - all.minX, h = all.maxY - all.minY;
  const auto box = [&](double x0, double y0, double x1, double y1) {
    PlotExtents b;
    b.Add(all.minX + x0 * w, all.minY + y0 * h);
    b.Add(all.minX + x1 * w, all.minY + y1 * h);
    return b;
  };
  const struct {
    const char* name;
    PlotExtents view;
  } views[] = {
      {"all", all},
      {"a quarter", box(0.1, 0.2, 0.35, 0.45)},
      {"a thin strip", box(0, 0.5, 1, 0.5001)},
      {"beside the job", box(1.5, 1.5, 2, 2)},
  };
  for (const auto& [name, view] : views) {
    SCOPED_TRACE(name);
    std::vector<std::uint32_t> meeting;
    for (std::size_t i = 0; i < program.moves.size(); ++i) {
      const PlotExtents b = BoxOfMove(program.moves, i);
      if (!(b.minX > view.maxX || b.maxX < view.minX || b.minY > view.maxY || b.maxY < view.minY))
        meeting.push_back(static_cast<std::uint32_t>(i));
    }
    for (const std::size_t parts : {1u, 2u, 3u}) {
      std::vector<std::uint32_t> visited;
      for (std::size_t part = 0; part < parts; ++part) {
        index.ForEachIn(
            program.moves, view, [&](std::uint32_t i) { visited.push_back(i); }, part, parts);
      }
      std::vector<std::uint32_t> visitedOnOne;
      for (std::size_t part = 0; part < parts; ++part) {
        onOneThread.ForEachIn(
            program.moves, view, [&](std::uint32_t i) { visitedOnOne.push_back(i); }, part, parts);
      }
      EXPECT_EQ(visited, visitedOnOne) << parts << " parts: the grid built on two threads is the one built on one";
      std::sort(visited.begin(), visited.end());
      EXPECT_EQ(visited, meeting) << parts << " parts";
    }
  }
}

}  // namespace
}  // namespace talvo::plot
