// SPDX-License-Identifier: MIT
// talvo-plot as a script sees it: what --export writes on standard error and the exit status,
// and --help where there is no display.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "gcode_reader.h"
#include "plot_messages.h"
#include "reading_report.h"
#include "run_command.h"
#include "temp_root.h"

namespace talvo::plot {
namespace {

using test_support::Ran;
using test_support::RunCommand;
using test_support::TempRoot;
using test_support::WriteBytes;
using ::testing::HasSubstr;
using ::testing::Not;

// Runs talvo-plot with no display at all: no X, no Wayland, no platform chosen.
Ran RunPlot(const std::string& args) {
  TempRoot scratch;
  std::filesystem::permissions(scratch.Path(), std::filesystem::perms::owner_all);
  return RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR='" + scratch.Path().string() +
                    "' '" TALVO_PLOT "' " + args);
}

TEST(PlotCli, ExportExitsOneWhenALineWasRefusedAndStillWritesThePicture) {
  const struct {
    const char* name;
    std::string program;
    int exitCode;
    std::vector<std::string> said;  // on standard error, after "FILE:"
  } cases[] = {
      {"an R arc that cannot reach its end", "G0X0Y0\nG2X10Y0R4F100\n", 1, {"2: YARIÇAP UCA ULAŞMIYOR"}},
      {"an exponent and a word with no use",
       "G0X0Y0\nG1X1e3Y5F100\nG1X5Q1F100\nG1Y5\n",
       1,
       {std::string("2: ") + msg::kExponent, std::string("3: ") + msg::kWordNoUse}},
      {"machine words only passed over",
       "(plate)\nG0X0Y0\nM3 $0 S1\nG1X5F300\nM5 $0\n",
       0,
       {std::string("1: ") + msg::kPassedOver + ": " + msg::kPassedComment + " (1 satır)",
        std::string("3: ") + msg::kPassedOver + ": M3 (1 satır)",
        std::string("5: ") + msg::kPassedOver + ": M5 (1 satır)"}},
      {"plain moves", "G0X0Y0\nG1X5F300\nM30\n", 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempRoot scratch;
    const auto file = scratch.Path() / "program.ngc";
    const auto picture = scratch.Path() / "program.png";
    WriteBytes(file, c.program);
    const Ran ran = RunPlot("--export '" + picture.string() + "' --size 200x100 '" + file.string() + "'");
    EXPECT_EQ(ran.exitCode, c.exitCode) << ran.err;
    EXPECT_TRUE(std::filesystem::exists(picture)) << "the picture of what could be read is written";
    for (const auto& said : c.said) EXPECT_THAT(ran.err, HasSubstr(file.string() + ":" + said + "\n"));
    if (c.said.empty()) {
      EXPECT_THAT(ran.err, Not(HasSubstr(file.string())));
    }
  }
}

TEST(PlotCli, OurPlasmaProgramIsDrawnInFullAndExitsZero) {
  TempRoot scratch;
  const std::string file = std::string(TALVO_PLOT_CORPUS) + "/plasma.ngc";
  const Ran ran = RunPlot("--export '" + (scratch.Path() / "p.png").string() + "' '" + file + "'");
  EXPECT_EQ(ran.exitCode, 0) << ran.err;
  for (const char* word : {"M190", "M159", "M52", "G64", "$", "S", msg::kPassedAssignment, msg::kPassedFeedExpression})
    EXPECT_THAT(ran.err, HasSubstr(std::string(msg::kPassedOver) + ": " + word + " ("));
}

TEST(PlotCli, HelpAndVersionNeedNoDisplay) {
  const Ran help = RunPlot("--help");
  EXPECT_EQ(help.exitCode, 0) << help.err;
  EXPECT_THAT(help.out, HasSubstr("--export"));
  const Ran version = RunPlot("--version");
  EXPECT_EQ(version.exitCode, 0) << version.err;
  EXPECT_THAT(version.out, HasSubstr("1.0"));
  const Ran wrong = RunPlot("--no-such-option x");
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_THAT(wrong.err, HasSubstr("no-such-option"));
}

TEST(ReadingReport, TheExitStatusAndTheLines) {
  const PlotProgram refused = ReadProgram("G0X1\nG2X9R3F1\n(note)\n");
  EXPECT_EQ(ReadingExitStatus(refused), 1);
  EXPECT_EQ(ReadingReport(refused, "p.ngc"), std::string("p.ngc:2: ") + msg::kArcRadiusSmall + "\np.ngc:3: " +
                                                 msg::kPassedOver + ": " + msg::kPassedComment + " (1 satır)\n");
  const PlotProgram passed = ReadProgram("G0X1\nM3S1\n");
  EXPECT_EQ(ReadingExitStatus(passed), 0);
  EXPECT_EQ(ReadingExitStatus(ReadProgram("G0X1\n")), 0);
  EXPECT_EQ(ReadingReport(ReadProgram("G0X1\n"), "p.ngc"), "");
}

}  // namespace
}  // namespace talvo::plot
