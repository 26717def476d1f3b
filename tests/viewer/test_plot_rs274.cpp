// SPDX-License-Identifier: MIT
// The reader must find the moves that LinuxCNC's interpreter finds in the same file: the
// programs talvo-gcode writes for the core tests' tables, and hand-written ones in corpus/.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "gcode_reader.h"
#include "program_file.h"

namespace talvo::plot {
namespace {

namespace fs = std::filesystem;

// rs274 prints four decimals, so its values are off by up to half a unit of the last one.
constexpr double kTolerance = 1e-4 + 1e-9;

struct CanonMove {
  MoveKind kind;
  std::vector<double> args;
};

std::string Output(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

class PlotAgainstRs274 : public ::testing::TestWithParam<std::string> {
 protected:
  static void SetUpTestSuite() {
    home_ = fs::temp_directory_path() / ("talvo-plot-rs274-" + std::to_string(::getpid()));
    fs::create_directories(home_);
    std::ofstream(home_ / "x.var");
  }
  static void TearDownTestSuite() { fs::remove_all(home_); }

  // The program file of a case: a corpus file, or what talvo-gcode prints for its arguments.
  static fs::path Program(const std::string& name) {
    if (name.rfind("corpus/", 0) == 0) return fs::path(TALVO_PLOT_CORPUS) / name.substr(7);
    const fs::path path = home_ / "generated.txt";
    std::ofstream(path, std::ios::binary) << Output("'" TALVO_GCODE "' " + name);
    return path;
  }

  static std::vector<CanonMove> Rs274Moves(const fs::path& file, std::string& log) {
    log = Output("HOME=" + Quoted(home_) + " '" RS274 "' -g " + Quoted(file) + " -v " + Quoted(home_ / "x.var") +
              " 2>/dev/null");
    static const std::regex call(R"((STRAIGHT_TRAVERSE|STRAIGHT_FEED|ARC_FEED)\(([^)]*)\))");
    std::vector<CanonMove> moves;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
      std::smatch m;
      if (!std::regex_search(line, m, call)) continue;
      CanonMove move{m[1] == "STRAIGHT_TRAVERSE" ? MoveKind::Rapid : MoveKind::Feed, {}};
      std::istringstream args(m[2]);
      for (std::string arg; std::getline(args, arg, ',');) move.args.push_back(std::stod(arg));
      if (m[1] == "ARC_FEED") move.kind = move.args.at(4) < 0 ? MoveKind::ArcCw : MoveKind::ArcCcw;
      moves.push_back(move);
    }
    return moves;
  }

  static fs::path home_;
};

fs::path PlotAgainstRs274::home_;

TEST_P(PlotAgainstRs274, FindsTheSameMoves) {
  const fs::path file = Program(GetParam());
  const ProgramFile text = LoadProgramFile(file.string());
  ASSERT_EQ(text.problem, "");
  const PlotProgram ours = ReadProgram(text.text);
  EXPECT_EQ(ours.errorCount, 0u);

  std::string log;
  const std::vector<CanonMove> theirs = Rs274Moves(file, log);
  ASSERT_NE(log.find("PROGRAM_END"), std::string::npos) << "rs274 did not read to the end:\n" << log;
  ASSERT_EQ(ours.moves.size(), theirs.size()) << log;
  for (std::size_t i = 0; i < theirs.size(); ++i) {
    SCOPED_TRACE("move " + std::to_string(i));
    const PlotMove& m = ours.moves[i];
    const std::vector<double>& a = theirs[i].args;
    EXPECT_EQ(m.kind, theirs[i].kind);
    EXPECT_NEAR(m.end.x, a.at(0), kTolerance);
    EXPECT_NEAR(m.end.y, a.at(1), kTolerance);
    if (m.IsArc()) {
      EXPECT_NEAR(m.centreX, a.at(2), kTolerance);
      EXPECT_NEAR(m.centreY, a.at(3), kTolerance);
      EXPECT_EQ(std::abs(a.at(4)), 1) << "more than one turn";
      EXPECT_NEAR(m.end.z, a.at(5), kTolerance);
    } else {
      EXPECT_NEAR(m.end.z, a.at(2), kTolerance);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Generated, PlotAgainstRs274,
    ::testing::Values("inner-circle --diameter 100 --start 10", "inner-circle --diameter 100.125 --start 10",
                      "outer-circle --diameter 80.25 --start 6 --flame 3.125 --feed 250",
                      "inner-rectangle --size-x 200 --size-y 100 --start 10",
                      "outer-rectangle --size-x 120.1234 --size-y 60 --start 8 --flame 3 --feed 450",
                      "inner-circle --diameter 2 --start 3", "inner-circle --diameter 100 --flame 4 --start 60",
                      "outer-circle --diameter 0.5 --start 1 --flame 1"));

INSTANTIATE_TEST_SUITE_P(HandWritten, PlotAgainstRs274,
                         ::testing::Values("corpus/r_arcs.ngc", "corpus/incremental.ngc",
                                           "corpus/words_and_comments.ngc", "corpus/inch_helix.ngc",
                                           "corpus/nest.ngc"));

}  // namespace
}  // namespace talvo::plot
