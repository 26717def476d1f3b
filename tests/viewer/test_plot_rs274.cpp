// SPDX-License-Identifier: MIT
// The reader must find the moves that LinuxCNC's interpreter finds in the same file: the
// programs talvo-gcode writes for the core tests' tables, and hand-written ones among the reader fuzzer's seeds.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "contour_cases.h"
#include "gcode_reader.h"
#include "generation_run.h"
#include "program_file.h"
#include "rs274.h"
#include "rs274_comparison.h"

namespace talvo::plot {
namespace {

namespace fs = std::filesystem;

void ExpectSameMoves(const fs::path& file) {
  const ProgramFile text = LoadProgramFile(file.string());
  ASSERT_EQ(text.problem, "");
  const PlotProgram ours = ReadProgram(text.text);
  EXPECT_EQ(ours.errorCount, 0u);

  ExpectMovesAsRs274(ours, talvo::test_support::RunRs274File(file), true);
}

// Every program of the core's cut table, as the run writes it; rs274 refuses to cut at feed 0,
// so those programs are left to the core's own tests.
std::vector<talvo::test_support::ContourCase> CasesWithFeed() {
  std::vector<talvo::test_support::ContourCase> cases;
  for (const auto& c : talvo::test_support::ContourCases()) {
    if (ReadCutInputs(c.kind, c.fields).inputs.Feed != 0) cases.push_back(c);
  }
  return cases;
}

class GeneratedAgainstRs274 : public ::testing::TestWithParam<talvo::test_support::ContourCase> {};

TEST_P(GeneratedAgainstRs274, FindsTheSameMoves) {
  const auto& c = GetParam();
  talvo::test_support::TempRoot scratch;
  const fs::path file = scratch.Path() / "ALANTEMIZLEME.TXT";
  talvo::test_support::WriteBytes(file, StrippedLines(PlanProgram(c.kind, c.fields).program) + "\r\n");
  ExpectSameMoves(file);
}

INSTANTIATE_TEST_SUITE_P(Cuts, GeneratedAgainstRs274, ::testing::ValuesIn(CasesWithFeed()),
                         [](const auto& info) { return std::string(info.param.name); });

class HandWrittenAgainstRs274 : public ::testing::TestWithParam<std::string> {};

TEST_P(HandWrittenAgainstRs274, FindsTheSameMoves) { ExpectSameMoves(fs::path(TALVO_PLOT_CORPUS) / GetParam()); }

INSTANTIATE_TEST_SUITE_P(Corpus, HandWrittenAgainstRs274,
                         ::testing::Values("r_arcs.ngc", "incremental.ngc", "words_and_comments.ngc", "inch_helix.ngc",
                                           "nest.ngc"));

}  // namespace
}  // namespace talvo::plot
