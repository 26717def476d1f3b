// SPDX-License-Identifier: MIT
// The reader against LinuxCNC's interpreter on a seeded set of random programs of plain words:
// line by line, both refuse the same lines and draw the same moves. The arcs are made to end
// near the interpreter's allowances, and some lines carry words with no use on them or a number
// in exponent form, a change of units, a negative feed, a return home, a tool change.
//
// Left out, each for a reason of its own: a feed of 0, which only a machine refuses (every
// program sets one); R0, which rs274 takes for an arc with no centre and the reader refuses;
// P2 and more on an arc, which rs274 cuts as more than one turn and the reader refuses; two M
// codes of one group on one line, which the reader passes over. A G0 or G1 with no axis word is
// a move of no length for rs274 and no move for the reader: such moves are not compared.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "gcode_reader.h"
#include "rs274.h"
#include "rs274_comparison.h"

namespace talvo::plot {
namespace {

constexpr int kPrograms = 400;
constexpr int kLinesPerProgram = 12;

class RandomPrograms {
 public:
  explicit RandomPrograms(unsigned seed) : random_(seed) {}

  std::string Text() {
    for (int p = 0; p < kPrograms; ++p) Program();
    return text_ + "M2\n";
  }

  /// Whether line `number` (1-based) is in inches: rs274 prints each move in the units in effect.
  bool InchAt(int number) const { return inchOfLine_.at(static_cast<std::size_t>(number)); }

 private:
  double Uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(random_); }
  bool Chance(double p) { return Uniform(0, 1) < p; }
  template <typename T>
  T Pick(std::initializer_list<T> values) {
    return values.begin()[std::uniform_int_distribution<std::size_t>(0, values.size() - 1)(random_)];
  }

  static std::string Number(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", v);
    return text;
  }
  std::string Word(char letter, double v) {
    if (Chance(0.02) && v != 0) {  // exponent form: rs274 reads an E word there
      char text[64];
      std::snprintf(text, sizeof text, "%c%.5fe1", letter, v / 10);
      return text;
    }
    return letter + Number(v);
  }

  void Emit(const std::string& words) {
    text_ += "N" + std::to_string(++line_) + " " + words + "\n";
    inchOfLine_.resize(static_cast<std::size_t>(line_) + 1);
    inchOfLine_[static_cast<std::size_t>(line_)] = inch_;
  }

  void Program() {
    inch_ = Chance(0.25);
    Emit(std::string(inch_ ? "G20" : "G21") + " G90 G17 G0 X0 Y0 Z0 F1000");
    x_ = y_ = 0;
    motion_ = 0;
    incremental_ = false;
    for (int i = 0; i < kLinesPerProgram; ++i) Line();
  }

  void Line() {
    std::string words;
    if (Chance(0.02)) {
      Emit(Pick({"G28", "G30"}));
      Follow(0, 0);
      return;
    }
    if (Chance(0.05)) {
      // The position is converted, and what follows is in the new units. On a line of its own,
      // which neither refuses, so that the units of each line are known.
      inch_ = !inch_;
      Emit(inch_ ? "G20" : "G21");
      const double f = inch_ ? 1 / 25.4 : 25.4;
      x_ *= f;
      y_ *= f;
    }
    if (Chance(0.05)) {
      incremental_ = !incremental_;
      words += incremental_ ? "G91 " : "G90 ";
    }
    if (Chance(0.7)) {
      motion_ = Pick({0, 1, 2, 3, 2, 3});
      words += "G" + std::to_string(motion_) + " ";
    }
    const double scale = inch_ ? 0.1 : 1;
    const double ex = x_ + Uniform(-30, 30) * scale, ey = y_ + Uniform(-30, 30) * scale;
    const bool withX = Chance(0.85), withY = Chance(0.85);
    const double tx = withX ? ex : x_, ty = withY ? ey : y_;
    if (withX) words += Word('X', incremental_ ? ex - x_ : ex);
    if (withY) words += Word('Y', incremental_ ? ey - y_ : ey);
    if (motion_ >= 2) {
      if (Chance(0.5)) {
        const double half = std::hypot(tx - x_, ty - y_) / 2;
        const double a = inch_ ? 0.00005 : 0.00127;  // the interpreter's radius allowance
        double r = half + Pick({-3 * a, -1.5 * a, -1.01 * a, -0.99 * a, -0.5 * a, 0.0, 0.5 * a, Uniform(0, 5) * scale});
        if (std::abs(r) < 1e-3) r = half + 1;
        words += Word('R', Chance(0.3) ? -r : r);
      } else {
        // A centre a radius away from the start, and the end about as far from it.
        const double r0 = Uniform(0.5, 40) * scale;
        const double a0 = Uniform(0, 2 * std::numbers::pi), a1 = Uniform(0, 2 * std::numbers::pi);
        const double s = inch_ ? 0.1 : 1, spiral = 0.02 * std::numbers::sqrt2 * s;
        const double r1 = r0 + Pick({0.0, 0.5 * spiral, 0.99 * spiral, 1.01 * spiral, r0 * 0.0009, r0 * 0.0011,
                                     99 * spiral, 101 * spiral, Uniform(-1, 1) * scale});
        const double cx = x_ + r0 * std::cos(a0), cy = y_ + r0 * std::sin(a0);
        const double fx = cx + r1 * std::cos(a1), fy = cy + r1 * std::sin(a1);
        words.clear();  // the end follows from the centre
        if (Chance(0.3)) words += "G" + std::to_string(motion_) + " ";
        words += Word('X', incremental_ ? fx - x_ : fx) + Word('Y', incremental_ ? fy - y_ : fy);
        words += Word('I', cx - x_) + Word('J', cy - y_);
        Extras(words);
        Emit(words);
        Follow(fx, fy);
        return;
      }
    } else if (Chance(0.04)) {
      words += Word(Pick({'I', 'J', 'R'}), Uniform(1, 5));  // no use on a straight move
    }
    Extras(words);
    Emit(words);
    Follow(tx, ty);
  }

  void Extras(std::string& words) {
    if (Chance(0.03)) words += " E2";
    if (Chance(0.03)) words += " Q1";
    if (Chance(0.03)) words += " P1";
    if (Chance(0.02)) words += " K1";
    if (Chance(0.05)) words += " S" + std::to_string(Pick({100, 2500}));
    if (Chance(0.05)) words += Pick({" M3", " M5", " M8"});
    if (Chance(0.02)) words += Pick({" T1 M6", " G43", " G49"});
    if (Chance(0.05)) {
      words += " F" + Number(Uniform(50, 5000));
    } else if (Chance(0.02)) {
      words += " F" + Number(-Uniform(1, 500));  // refused by both
    }
  }

  // Where the tool is once the line has run. A refused line leaves it elsewhere, and the next
  // arc is then not as near its allowances as it was made to be: the verdicts still must agree.
  void Follow(double x, double y) {
    x_ = x;
    y_ = y;
  }

  std::mt19937 random_;
  std::string text_;
  std::vector<bool> inchOfLine_;
  int line_ = 0;
  int motion_ = 0;
  bool inch_ = false;
  bool incremental_ = false;
  double x_ = 0, y_ = 0;
};

using talvo::test_support::Rs274Move;

TEST(PlotReaderAgainstRs274, RandomProgramsOfPlainWordsLineByLine) {
  RandomPrograms programs(20261210);
  const std::string text = programs.Text();
  const PlotProgram ours = ReadProgram(text);
  const auto theirs = talvo::test_support::RunRs274Numbered(text);
  ASSERT_LT(ours.errorCount, PlotProgram::kMaxKeptErrors);

  std::vector<std::string> ourReason(ours.lineStarts.size());
  for (const PlotError& e : ours.errors) ourReason[e.line] = e.reason;
  int refused = 0, drawn = 0, disagreements = 0;
  for (std::uint32_t index = 0; index + 1 < ours.lineStarts.size(); ++index) {
    const int number = static_cast<int>(index) + 1;
    const auto lineEnd = text.find('\n', ours.lineStarts[index]);
    const std::string line = text.substr(ours.lineStarts[index], lineEnd - ours.lineStarts[index]);
    const auto their = theirs.refused.find(number);
    const bool theyRefuse = their != theirs.refused.end();
    const bool weRefuse = !ourReason[index].empty();
    if (theyRefuse != weRefuse) {
      ADD_FAILURE() << line << "\n  rs274: " << (theyRefuse ? their->second : "runs it")
                    << "\n  reader: " << (weRefuse ? ourReason[index] : "draws it");
      if (++disagreements > 10) break;
      continue;
    }
    if (theyRefuse) {
      ++refused;
      continue;
    }
    ++drawn;
    const auto [first, last] = ours.MovesOfLine(index);
    const auto found = theirs.moves.find(number);
    const bool noAxis = line.find_first_of("XYZ") == std::string::npos;
    const std::size_t theirCount =
        found == theirs.moves.end() || (noAxis && found->second.size() == 1 && found->second[0].kind != Rs274Move::Arc)
            ? 0
            : found->second.size();
    ASSERT_EQ(last - first, theirCount) << line;
    // The reader keeps the moves in the units of the first; rs274 prints those in effect.
    const bool jobInch = ours.units == PlotUnits::Inch;
    const double toJob = programs.InchAt(number) == jobInch ? 1 : jobInch ? 1 / 25.4 : 25.4;
    const double tolerance = kRs274Tolerance * std::max(1.0, toJob);
    for (std::size_t k = 0; k < theirCount; ++k) {
      const PlotMove& m = ours.moves[first + k];
      const auto& r = found->second[k];
      EXPECT_EQ(m.kind, KindOf(r)) << line;
      EXPECT_NEAR(m.end.x, r.X() * toJob, tolerance) << line;
      EXPECT_NEAR(m.end.y, r.Y() * toJob, tolerance) << line;
      if (m.IsArc()) {
        EXPECT_NEAR(m.centreX, r.CentreX() * toJob, tolerance) << line;
        EXPECT_NEAR(m.centreY, r.CentreY() * toJob, tolerance) << line;
      }
    }
  }
  // Both kinds of verdict must be well represented, or the comparison proves little.
  EXPECT_GT(refused, kPrograms);
  EXPECT_GT(drawn, kPrograms * kLinesPerProgram / 3);
  std::printf("%d lines drawn and %d refused by both\n", drawn, refused);
}

}  // namespace
}  // namespace talvo::plot
