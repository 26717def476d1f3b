// SPDX-License-Identifier: MIT
// The reader's phases one by one: numbers, a line into a block of words with its checks, and
// blocks run against the modes the lines before them left.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "block_parser.h"
#include "gcode_numbers.h"
#include "gcode_reader.h"
#include "modal_interpreter.h"
#include "newline_count.h"
#include "plot_messages.h"

namespace talvo::plot {
namespace {

// The count of lines that reserves the reading's room, eight bytes at a time: bytes that differ
// from '\n' by one bit or by the top bit alone are not newlines, and a text of newlines only
// fills every lane of the sums to the brim.
TEST(ReaderLines, CountsNewlinesAsOneByteAtATimeWould) {
  std::mt19937 random(20);
  const char nearMisses[] = {'\n', '\n', '\x8a', '\x0b', '\x0e', '\x02', '\x1a', '\xff', '\0', 'X', '\r'};
  std::vector<std::string> texts = {"", "\n", "G1X1", std::string(4099, '\n'), std::string(2047, 'a') + '\n'};
  for (std::size_t size : {7u, 8u, 9u, 2039u, 2040u, 2041u, 4096u, 5003u}) {
    std::string text(size, ' ');
    for (char& c : text) c = nearMisses[random() % std::size(nearMisses)];
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    // Every start within a word, as a text need not start on one.
    for (std::size_t from = 0; from < std::min<std::size_t>(text.size() + 1, 9); ++from) {
      const std::string_view view = std::string_view(text).substr(from);
      EXPECT_EQ(CountNewlines(view), static_cast<std::size_t>(std::count(view.begin(), view.end(), '\n')))
          << text.size() << " from " << from;
    }
  }
}

TEST(ReaderNumbers, ReadsNumbersAsGCodeWritesThem) {
  const std::string kTiny = "0." + std::string(400, '0') + "1";
  const std::string kNegativeTiny = "-" + kTiny;
  const std::string kHuge = "1" + std::string(400, '0') + ".5";
  const struct {
    const char* text;
    double value;
    std::size_t length;  // what the number takes of the text
    bool tooBig;
  } cases[] = {
      {"12.5", 12.5, 4, false},
      {"-.75", -0.75, 4, false},
      {"3.", 3, 2, false},
      {"+4X", 4, 2, false},
      {"0.1", 0.1, 3, false},
      {"1e3", 1, 1, false},
      {"1000000000", 1e9, 10, false},
      {"1000000000.5", 1000000000.5, 12, true},
      {"123456789012345678901234", 123456789012345678901234.0, 24, true},
      {"0.00000000000000000000000001", 1e-26, 28, false},
      // Too small to hold is read as 0, as LinuxCNC reads it; too large to hold is too big.
      {kTiny.c_str(), 0, kTiny.size(), false},
      {kNegativeTiny.c_str(), 0, kNegativeTiny.size(), false},
      {kHuge.c_str(), 0, kHuge.size(), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const char* end = c.text + std::strlen(c.text);
    double value = 0;
    bool tooBig = false;
    const char* after = ReadNumber(c.text, end, value, tooBig);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(static_cast<std::size_t>(after - c.text), c.length);
    if (!c.tooBig) {
      EXPECT_EQ(value, c.value);
    }
    EXPECT_EQ(tooBig, c.tooBig);
  }
  for (const char* none : {"", ".", "-", "+.", "X1"}) {
    double value = 0;
    bool tooBig = false;
    EXPECT_EQ(ReadNumber(none, none + std::strlen(none), value, tooBig), nullptr) << none;
  }
}

TEST(ReaderNumbers, FindsAnExponentAfterANumber) {
  for (const char* rest : {"e3", "E-4", "e+1"}) EXPECT_TRUE(ExponentFollows(rest, rest + std::strlen(rest))) << rest;
  for (const char* rest : {"", "e", "e-", "ex", "X1"})
    EXPECT_FALSE(ExponentFollows(rest, rest + std::strlen(rest))) << rest;
}

ParsedLine Parsed(BlockParser& parser, std::string_view text) {
  ParsedLine line;
  parser.Read(text, line);
  return line;
}

TEST(ReaderBlocks, ReadsALineIntoWords) {
  BlockParser parser;
  const ParsedLine line = Parsed(parser, "N10 g1 X10 Y-2.5 F600 (cut) M3 S2000");
  ASSERT_EQ(line.kind, LineKind::Code);
  EXPECT_EQ(line.why, nullptr);
  const ParsedBlock& block = line.block;
  EXPECT_EQ(block.motion, 1);
  EXPECT_EQ(block.Get('X'), 10);
  EXPECT_EQ(block.Get('Y'), -2.5);
  EXPECT_EQ(block.Get('F'), 600);
  EXPECT_TRUE(block.Has('N'));
  EXPECT_FALSE(block.Has('Z'));
  EXPECT_TRUE(block.spindleM);
  std::vector<std::string> passed(block.passed, block.passed + block.passedCount);
  EXPECT_EQ(passed, (std::vector<std::string>{msg::kPassedComment, "M3", "S"}));
}

TEST(ReaderBlocks, TellsBlankPercentAndOverlongLines) {
  BlockParser parser;
  EXPECT_EQ(Parsed(parser, " \t\r").kind, LineKind::Blank);
  EXPECT_EQ(Parsed(parser, "  %\r").kind, LineKind::Percent);
  const ParsedLine tooLong = Parsed(parser, std::string(70000, 'X'));
  EXPECT_EQ(tooLong.kind, LineKind::TooLong);
  EXPECT_EQ(tooLong.length, 70000u);
}

TEST(ReaderBlocks, AReusedLineKeepsNothingOfTheLineBefore) {
  BlockParser parser;
  ParsedLine line;
  parser.Read("G0 X1 Y2 M3 (a)", line);
  parser.Read("Z5", line);
  EXPECT_EQ(line.why, nullptr);
  EXPECT_EQ(line.block.motion, -1);
  EXPECT_FALSE(line.block.Has('X'));
  EXPECT_FALSE(line.block.spindleM);
  EXPECT_EQ(line.block.passedCount, 0);
  EXPECT_EQ(line.block.Get('Z'), 5);
}

TEST(ReaderBlocks, GivesWhyALineCannotBeRead) {
  const struct {
    const char* text;
    const char* why;
  } cases[] = {
      {"G0 G1 X1", msg::kCodesClash},     // parsing
      {"G1 X1 X2", msg::kWordTwice},      // parsing
      {"G1 X1e3", msg::kExponent},        // parsing
      {"G1 X1 A2", msg::kRotaryA},        // the word checks
      {"G0 B2", msg::kRotaryB},           // the word checks
      {"G0 Y1 C2", msg::kRotaryC},        // the word checks
      {"G1 X1 U2", msg::kAxisNotDrawn},   // the word checks
      {"G1 X1 F-5", msg::kNegativeFeed},  // the word checks
      {"G43 G49", msg::kCodesClash},      // parsing
      {"G28 G92 Z0", msg::kCodesClash},   // parsing
      {"G1.04 X1", msg::kCodeUnknown},    // parsing
      {"G1 X[1+2]", msg::kExpression},    // the word checks
      {"G1 X1 Q2", msg::kWordNoUse},      // the word checks
      {"M98 P100", msg::kSubprogram},     // parsing
  };
  BlockParser parser;
  for (const auto& c : cases) EXPECT_STREQ(Parsed(parser, c.text).why, c.why) << c.text;
}

TEST(ReaderModes, RunsBlocksWithTheModesTheLinesBeforeLeft) {
  const char* const lines[] = {"%", "G91 G1 X1 F100", "X1", "G2 X9 R3", "G90 G0 X0", "M30"};
  PlotProgram out;
  BlockParser parser;
  ModalInterpreter interpreter(out);
  std::vector<bool> goesOn;
  std::uint32_t index = 0;
  for (const char* text : lines) {
    ParsedLine line = Parsed(parser, text);
    goesOn.push_back(interpreter.Take(line, index++));
  }
  EXPECT_EQ(goesOn, (std::vector<bool>{true, true, true, true, true, false}));
  ASSERT_EQ(out.moves.size(), 3u);
  EXPECT_EQ(out.moves[0].end.x, 1);
  EXPECT_EQ(out.moves[1].end.x, 2) << "still incremental";
  EXPECT_EQ(out.moves[1].feed, 100) << "still at F100";
  EXPECT_EQ(out.moves[2].kind, MoveKind::Rapid);
  EXPECT_EQ(out.moves[2].end.x, 0);
  ASSERT_EQ(out.errors.size(), 1u);
  EXPECT_EQ(out.errors[0].line, 3u);
  EXPECT_EQ(out.errors[0].reason, msg::kArcRadiusSmall);
}

// As LinuxCNC: a "%" before any code opens the program and the next one closes it; any other
// "%" is refused with its line and the reading goes on.
TEST(PlotReader, ReadsPercentLinesAsLinuxCncDoes) {
  struct Case {
    const char* text;
    std::size_t moves;
    int refused;  // the refused line, -1 for none
  };
  const Case cases[] = {
      {"%\nG0X1\n%\nG0X5\n", 1, -1}, {"\n%\nG0X1\n%\nG0X5\n", 1, -1}, {"%\nG0X1\nM2\n%\nG0X5\n", 1, -1},
      {"G0X1\n%\nG0X5\n", 2, 1},     {"(a title)\n%\nG0X1\n", 1, 1},  {"G0X1\nG0X2 %\nG0X5\n", 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const PlotProgram p = ReadProgram(c.text);
    EXPECT_EQ(p.moves.size(), c.moves);
    ASSERT_EQ(p.errors.size(), c.refused < 0 ? 0u : 1u);
    if (c.refused < 0) continue;
    EXPECT_EQ(p.errors[0].line, static_cast<std::uint32_t>(c.refused));
    EXPECT_EQ(p.errors[0].reason.rfind(msg::kBadCharacter, 0), 0u);
  }
}

}  // namespace
}  // namespace talvo::plot
