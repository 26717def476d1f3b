// SPDX-License-Identifier: MIT
// The reader against LinuxCNC's interpreter on seeded random programs that compute their path:
// parameters numbered, named, local and global, expressions with every operator and function,
// and o-word control flow (if, while, do, repeat, break, continue, subroutine calls with
// arguments and return values). Both must draw the same moves, one by one. The programs are
// made so that no line is refused: values stay in range through MOD, and functions get their
// domain. LinuxCNC's plasma samples that loop draw in full too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <string>

#include "gcode_reader.h"
#include "program_file.h"
#include "rs274.h"
#include "rs274_comparison.h"

namespace talvo::plot {
namespace {

namespace fs = std::filesystem;
using talvo::test_support::Rs274Move;

constexpr int kPrograms = 40;

class LanguagePrograms {
 public:
  explicit LanguagePrograms(unsigned seed) : random_(seed) {}

  std::string Program() {
    text_.clear();
    label_ = 0;
    text_ += "G21 G90 G17 G0 X0 Y0 Z0 F1000\n#40 = 1\n#41 = 2\n";
    for (int i = 1; i <= 6; ++i) text_ += "#" + std::to_string(i) + " = " + std::to_string(Int(-20, 20)) + "\n";
    text_ += "#<_g> = 3\n";
    // Two subroutines, the second calling the first; each ends with a value or none.
    text_ += "o<edge> sub\n#<k> = [#1 + #2]\nG1 X[" + Bounded() + "] Y[#<k> MOD 40]\n";
    text_ += "o<edge> return [#<k> * 2]\no<edge> endsub\n";
    text_ += "o<frame> sub\no<edge> call [#1] [" + Expression(1) + "]\n#<_g> = [#<_value> MOD 30]\n";
    text_ += "G2 I[[#<_g> MOD 7] + 1] J0\no<frame> endsub\n";
    for (int i = 0; i < 14; ++i) Statement(2);
    return text_ + "M2\n";
  }

 private:
  int Int(int a, int b) { return std::uniform_int_distribution<int>(a, b)(random_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  std::string Label() { return "o" + std::to_string(++label_ * 10); }

  std::string Variable() {
    switch (Int(0, 3)) {
      case 0: return "#" + std::to_string(Int(1, 6));
      case 1: return "#<_g>";
      case 2: return "##" + std::to_string(Int(40, 41));  // #40 and #41 hold 1 and 2
      default: return "#" + std::to_string(Int(1, 6));
    }
  }

  std::string Expression(int depth) {
    if (depth == 0 || Chance(0.3))
      return Chance(0.5) ? Variable() : std::to_string(Int(-9, 9)) + "." + std::to_string(Int(0, 99));
    const std::string a = Expression(depth - 1), b = Expression(depth - 1);
    switch (Int(0, 17)) {
      case 0: return "[" + a + " + " + b + "]";
      case 1: return "[" + a + " - " + b + "]";
      case 2: return "[" + a + " * " + b + "]";
      case 3: return "[" + a + " / [ABS[" + b + "] + 1]]";
      case 4: return "[" + a + " MOD [ABS[" + b + "] + 1]]";
      case 5: return "[[ABS[" + a + "] MOD 3] ** 2]";
      case 6:
        return "[" + a + " " + (Chance(0.5) ? "LT" : "GE") + " " + b + " " + (Chance(0.5) ? "AND" : "XOR") + " 1]";
      case 7: return "[" + a + " EQ " + b + " OR " + a + " NE 0]";
      case 8: return "SIN[" + a + "]";
      case 9: return "COS[" + a + "]";
      case 10: return "TAN[" + a + " MOD 80]";
      case 11: return "ATAN[" + a + "]/[" + b + "]";
      case 12: return "SQRT[ABS[" + a + "]]";
      case 13: return "ACOS[[" + a + " MOD 2] - 1]";
      case 14: return "ROUND[" + a + "]";
      case 15: return "[FIX[" + a + "] + FUP[" + b + "]]";
      case 16: return "LN[ABS[" + a + "] + 1]";
      default: return "-" + Variable();
    }
  }
  // A value within the table.
  std::string Bounded() { return "[" + Expression(2) + "] MOD 100 - 50"; }
  std::string Condition() { return "[" + Expression(1) + " GT " + Expression(1) + "]"; }

  void Statement(int depth) {
    const int kind = depth == 0 ? Int(0, 2) : Int(0, 9);
    switch (kind) {
      case 0:
        text_ += Variable().substr(0, 1) == "#" && Chance(0.5) ? "#" + std::to_string(Int(1, 6)) : "#<_g>";
        text_ += " = [" + Bounded() + "]\n";
        return;
      case 1: text_ += std::string(Chance(0.3) ? "G0" : "G1") + " X[" + Bounded() + "] Y[" + Bounded() + "]\n"; return;
      case 2:  // an arc from where the tool is, never back to it, which R cannot do
        text_ += std::string("G91\n") + (Chance(0.5) ? "G2" : "G3") + " X[[" + Expression(1) + "] MOD 10 + 1] Y[" +
                 Bounded() + "] R" + (Chance(0.3) ? "-" : "") + "200\nG90\n";
        return;
      case 3: text_ += "o<frame> call [" + Bounded() + "]\n"; return;
      case 4: {
        const std::string o = Label();
        text_ += o + " if " + Condition() + "\n";
        Statement(depth - 1);
        if (Chance(0.5)) {
          text_ += o + " elseif " + Condition() + "\n";
          Statement(depth - 1);
        }
        if (Chance(0.5)) {
          text_ += o + " else\n";
          Statement(depth - 1);
        }
        text_ += o + " endif\n";
        return;
      }
      case 5:
      case 6: {
        const std::string o = Label(), count = "#" + std::to_string(20 + label_);
        text_ += count + " = 0\n" + o + " while [" + count + " LT " + std::to_string(Int(1, 4)) + "]\n";
        text_ += count + " = [" + count + " + 1]\n";
        Statement(depth - 1);
        const std::string inner = Label();
        // Only continue: after a break out of a while, rs274 runs the next do loop's body once
        // whatever its condition, which the reader does not copy.
        text_ += inner + " if [" + count + " EQ 2]\n" + o + " continue\n" + inner + " endif\n";
        Statement(depth - 1);
        text_ += o + " endwhile\n";
        return;
      }
      case 7: {
        const std::string o = Label(), count = "#" + std::to_string(20 + label_);
        text_ += count + " = 0\n" + o + " do\n" + count + " = [" + count + " + 1]\n";
        Statement(depth - 1);
        const std::string inner = Label();
        text_ += inner + " if [" + Expression(1) + " GT 3]\n" + o + " break\n" + inner + " endif\n";
        text_ += o + " while [" + count + " LT " + std::to_string(Int(1, 3)) + "]\n";
        return;
      }
      default: {
        const std::string o = Label();
        text_ += o + " repeat [" + std::to_string(Int(0, 3)) + "." + std::to_string(Int(0, 9)) + "]\n";
        Statement(depth - 1);
        Statement(depth - 1);
        text_ += o + " endrepeat\n";
      }
    }
  }

  std::mt19937 random_;
  std::string text_;
  int label_ = 0;
};

// Both read `text` to its end with the same moves; `expectedErrors` lines are refused by the reader.
void ExpectSameMoves(const std::string& text, const talvo::test_support::Rs274Result& theirs, std::size_t errors = 0) {
  const PlotProgram ours = ReadProgram(text);
  ASSERT_EQ(ours.errorCount, errors) << (ours.errors.empty() ? "" : ours.errors[0].reason) << " on line "
                                     << (ours.errors.empty() ? 0 : ours.errors[0].line + 1) << "\n"
                                     << text;
  ASSERT_TRUE(theirs.readToEnd()) << theirs.output << text;
  // The first move that differs names its line; then the counts must agree.
  const std::size_t common = std::min<std::size_t>(ours.moves.size(), theirs.moves.size());
  for (std::size_t i = 0; i < common; ++i) {
    const PlotMove m = ours.moves[i];
    const Rs274Move& r = theirs.moves[i];
    const bool same = m.kind == KindOf(r) && std::abs(m.end.x - r.X()) <= kRs274Tolerance &&
                      std::abs(m.end.y - r.Y()) <= kRs274Tolerance && std::abs(m.end.z - r.Z()) <= kRs274Tolerance &&
                      (!m.IsArc() || (std::abs(m.centreX - r.CentreX()) <= kRs274Tolerance &&
                                      std::abs(m.centreY - r.CentreY()) <= kRs274Tolerance));
    ASSERT_TRUE(same) << "move " << i << " of line " << m.line + 1 << ": " << m.end.x << ", " << m.end.y
                      << " where rs274 has " << r.X() << ", " << r.Y() << "\n"
                      << text;
  }
  ASSERT_EQ(ours.moves.size(), theirs.moves.size()) << text;
}

TEST(PlotReaderAgainstRs274, RandomProgramsThatComputeTheirPathMoveByMove) {
  LanguagePrograms programs(20261210);
  std::size_t moves = 0;
  for (int p = 0; p < kPrograms && !HasFatalFailure(); ++p) {
    SCOPED_TRACE("program " + std::to_string(p));
    const std::string text = programs.Program();
    ExpectSameMoves(text, talvo::test_support::RunRs274(text));
    moves += ReadProgram(text).moves.size();
  }
  // The loops and calls must draw, or the comparison proves little.
  EXPECT_GT(moves, static_cast<std::size_t>(kPrograms) * 10);
}

// LinuxCNC's plasma samples that cut rows of holes from a loop. rs274 stops at their feed line,
// which reads a HAL pin, so it runs them with the sample's own feed there; the reader passes
// the pin over as an unknown feed and draws the same moves.
class PlasmaSamples : public ::testing::TestWithParam<const char*> {};

TEST_P(PlasmaSamples, DrawInFullAsRs274) {
  const fs::path file = fs::path("/usr/share/doc/linuxcnc/examples/nc_files/plasmac") / GetParam();
  const ProgramFile text = LoadProgramFile(file.string());
  ASSERT_EQ(text.problem, "");
  const PlotProgram ours = ReadProgram(text.text);
  EXPECT_TRUE(ours.feedUnknown);
  std::string known = text.text;
  const std::string pin = "F#<_hal[plasmac.cut-feed-rate]>";
  ASSERT_NE(known.find(pin), std::string::npos);
  known.replace(known.find(pin), pin.size(), "F#3");  // the sample's own feed, which rs274 can run
  ExpectSameMoves(text.text, talvo::test_support::RunRs274(known));
}

INSTANTIATE_TEST_SUITE_P(Loops, PlasmaSamples,
                         ::testing::Values("metric_circles.ngc", "metric_squares.ngc", "imperial_circles.ngc",
                                           "imperial_squares.ngc"),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace talvo::plot
