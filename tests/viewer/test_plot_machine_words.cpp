// SPDX-License-Identifier: MIT
// Words for the machine rather than the path (tool changes and offsets, probing, outputs, a
// return home) against LinuxCNC's interpreter, and LinuxCNC's own plasma samples, which carry
// them: each draws in full.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "gcode_reader.h"
#include "plot_messages.h"
#include "program_file.h"
#include "rs274.h"
#include "rs274_comparison.h"

namespace talvo::plot {
namespace {

namespace fs = std::filesystem;

// Both read the program to its end with the same moves, Z too when asked.
void ExpectSameMoves(const std::string& text, bool withZ) {
  const PlotProgram ours = ReadProgram(text);
  for (const PlotError& e : ours.errors) ADD_FAILURE() << "line " << e.line + 1 << ": " << e.reason;
  ExpectMovesAsRs274(ours, talvo::test_support::RunRs274(text), withZ);
}

// G28 and G30 go through the point their axis words give to the stored position of those axes,
// all of them without any, which is 0 with a fresh parameter file; G92 names the height anew,
// and so moves where home is. Where a probe stops only the machine knows: a move with Z follows.
TEST(PlotReaderAgainstRs274, PassesOverMachineWordsAndGoesHomeAsLinuxCncDoes) {
  ExpectSameMoves(
      "G21 G90\nG0 X10 Y10 Z5\nM6 T1\nG43\nG43 H1\nG43.1 Z1\nG49\nT2\nG28\nG0 X20 Y5\nG28 X5\nG30\nG30 Y3\n"
      "G0 X1 Y1 Z2\nG92 Z0\nG0 Z1 X4\nG91 G28 Z2\nG90\nM62 P1\nM63 P1\nM64 P2\nM65 P2\nM66 P0 L0\nM67 E0 Q5\n"
      "M68 E1 Q3\nG38.2 Z-10 F100\nG0 X3 Z5\nG1 X6 Y2 F500\nG92 Z3\nG30 Z1\nM2\n",
      true);
}

// LinuxCNC's plasma samples that compute nothing (those with loops are read with the language).
// rs274 cannot know the feed the machine's HAL gives, run the user code M190 or select a second
// spindle, so it reads a copy with a plain feed, M190 as a comment and spindle 0; the reader
// reads the file itself. Z is not compared: G43 takes the tool's length from a tool table,
// which the reader does not have, so it draws the heights as the program writes them.
class PlasmaSample : public ::testing::TestWithParam<std::string> {};

TEST_P(PlasmaSample, DrawsInFullAsLinuxCncRunsIt) {
  const fs::path file = fs::path("/usr/share/doc/linuxcnc/examples/nc_files/plasmac") / GetParam();
  const ProgramFile original = LoadProgramFile(file.string());
  ASSERT_EQ(original.problem, "") << file;
  const PlotProgram ours = ReadProgram(original.text);
  EXPECT_EQ(ours.errorCount, 0u);
  EXPECT_FALSE(ours.moves.empty());

  std::string plain = std::regex_replace(original.text, std::regex(R"(F#<_hal\[[^\]]*\]>)"), "F1000");
  plain = std::regex_replace(plain, std::regex(R"(M190 P\d+)"), "(M190)");
  plain = std::regex_replace(plain, std::regex(R"(\$1)"), "$$0");
  ExpectSameMoves(plain, false);
}

INSTANTIATE_TEST_SUITE_P(LinuxCnc, PlasmaSample,
                         ::testing::Values("metric_air_scribe.ngc", "imperial_air_scribe.ngc",
                                           "metric_ihs_skip_thc_off.ngc", "imperial_ihs_skip_thc_off.ngc",
                                           "metric_ihs_skip_thc_on.ngc", "imperial_ihs_skip_thc_on.ngc",
                                           "metric_line.ngc", "imperial_line.ngc", "metric_material_change.ngc",
                                           "imperial_material_change.ngc", "metric_temporary_materials.ngc",
                                           "imperial_temporary_materials.ngc", "metric_wrench.ngc",
                                           "imperial_wrench.ngc"),
                         [](const auto& info) {
                           std::string name = info.param.substr(0, info.param.find('.'));
                           return name;
                         });

// A job that turns the work about an axis (a pipe) is refused by the axis's name.
TEST(PlotReader, RefusesARotaryJobByTheAxisName) {
  const PlotProgram p = ReadProgram("G21 G90\nG0 X0 Y0 A0\nG1 X100 A360 F1000\nM2\n");
  ASSERT_EQ(p.errors.size(), 2u);
  EXPECT_EQ(p.errors[0].reason, msg::kRotaryA);
  EXPECT_EQ(p.errors[1].line, 2u);
  EXPECT_EQ(p.errors[1].reason, msg::kRotaryA);
}

}  // namespace
}  // namespace talvo::plot
