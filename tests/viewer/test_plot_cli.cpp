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
#include <vector>

#include "flat_json.h"
#include "gcode_reader.h"
#include "plot_messages.h"
#include "reading_report.h"
#include "run_command.h"
#include "temp_root.h"

namespace talvo::plot {
namespace {

using test_support::ParseFlatJson;
using test_support::Ran;
using test_support::RunCommand;
using test_support::TempRoot;
using test_support::WriteBytes;
using ::testing::HasSubstr;
using ::testing::Not;

// Runs talvo-plot with no display at all: no X, no Wayland, no platform chosen; `environment`
// adds NAME='value' settings.
Ran RunPlot(const std::string& args, const std::string& environment = "") {
  TempRoot scratch;
  std::filesystem::permissions(scratch.Path(), std::filesystem::perms::owner_all);
  return RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR='" + scratch.Path().string() +
                    "' " + environment + " '" TALVO_PLOT "' " + args);
}

// As RunPlot, with the settings kept in a scratch folder holding `kept` (the [General] lines).
Ran RunPlotWithSettings(const std::string& kept, const std::string& args) {
  TempRoot config;
  std::filesystem::create_directories(config.Path() / "TALVO-ZAVODO");
  WriteBytes(config.Path() / "TALVO-ZAVODO" / "talvo-plot.conf", "[General]\n" + kept);
  return RunPlot(args, "XDG_CONFIG_HOME='" + config.Path().string() + "'");
}

// A plain program: a rapid of 100, a pierce, a cut of 100 at F300.
std::string PlainProgram(const TempRoot& scratch) {
  const auto file = scratch.Path() / "plain.ngc";
  WriteBytes(file, "G0X0Y0\nG0X100\nG1X200F300\n");
  return file.string();
}

TEST(PlotCli, KeptSettingsThatCannotBeUsedFallBackToTheirDefaults) {
  const struct {
    const char* kept;
    const char* field;  // in the JSON summary
    const char* used;   // the default, as the JSON writes it
    const char* named;  // the note on standard error
  } cases[] = {
      {"rapidRate=0", "rapid_rate", "10000.000", "BOŞ HAREKET HIZI: 0 (İLK DEĞER 10000"},
      {"rapidRate=-5", "rapid_rate", "10000.000", "BOŞ HAREKET HIZI: -5 ("},
      {"rapidRate=inf", "rapid_rate", "10000.000", "BOŞ HAREKET HIZI: inf ("},
      {"rapidRate=1e308", "rapid_rate", "10000.000", "BOŞ HAREKET HIZI: 1e308 ("},
      {"pierceDelay=nan", "pierce_delay_s", "0.500", "DELME BEKLEMESİ: nan (İLK DEĞER 0.5"},
      {"pierceDelay=-1", "pierce_delay_s", "0.500", "DELME BEKLEMESİ: -1 ("},
      {"sheetX=0", "sheet_x", "3000.000", "SAC X: 0 (İLK DEĞER 3000"},
      {"sheetY=abc", "sheet_y", "1500.000", "SAC Y: abc ("},
      {"sheetOriginX=-inf", "sheet_origin_x", "0.000", "SIFIR X: -inf ("},
      {"sheetOriginY=1e300", "sheet_origin_y", "0.000", "SIFIR Y: 1e300 ("},
  };
  TempRoot scratch;
  const std::string file = PlainProgram(scratch);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kept);
    const Ran ran = RunPlotWithSettings(std::string(c.kept) + "\n", "--summary --json '" + file + "'");
    EXPECT_EQ(ran.exitCode, 0) << ran.err;
    EXPECT_THAT(ran.err, HasSubstr(std::string("talvo-plot: SAKLANAN AYAR YOK SAYILDI: ") + c.named));
    const auto json = ParseFlatJson(ran.out);
    ASSERT_TRUE(json) << ran.out;
    EXPECT_EQ(json->at(c.field), c.used);
  }
  // Good kept values are used, and nothing is said of them.
  const Ran good = RunPlotWithSettings("rapidRate=6000\npierceDelay=2\n", "--summary --json '" + file + "'");
  EXPECT_EQ(good.err, "");
  const auto json = ParseFlatJson(good.out);
  ASSERT_TRUE(json) << good.out;
  EXPECT_EQ(json->at("rapid_rate"), "6000.000");
  EXPECT_EQ(json->at("pierce_time_s"), "2.0");
  // A bad kept value never stops the picture either.
  const Ran picture = RunPlotWithSettings(
      "rapidRate=0\n", "--export '" + (scratch.Path() / "p.png").string() + "' --size 100x100 '" + file + "'");
  EXPECT_EQ(picture.exitCode, 0) << picture.err;
}

TEST(PlotCli, EachOptionReachesTheJson) {
  const struct {
    const char* options;
    const char* field;
    const char* value;
  } cases[] = {
      {"--rapid-rate 3800", "rapid_rate", "3800.000"},    {"--rapid-rate=0.001", "rapid_rate", "0.001"},
      {"--rapid-rate 1e6", "rapid_rate", "1000000.000"},  {"--rapid-rate 0.001", "rapid_time_s", "6000000.0"},
      {"--pierce-delay 0", "pierce_time_s", "0.0"},       {"--pierce-delay 3600", "pierce_delay_s", "3600.000"},
      {"--pierce-delay 2.5", "estimated_time_s", "23.1"},
  };
  TempRoot scratch;
  const std::string file = PlainProgram(scratch);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    const Ran ran = RunPlotWithSettings("", "--summary --json " + std::string(c.options) + " '" + file + "'");
    EXPECT_EQ(ran.exitCode, 0) << ran.err;
    const auto json = ParseFlatJson(ran.out);
    ASSERT_TRUE(json) << ran.out;
    EXPECT_EQ(json->at(c.field), c.value);
  }
}

TEST(PlotCli, RefusesAnOptionValueNamingBoth) {
  const struct {
    const char* option;
    const char* value;
  } cases[] = {{"--rapid-rate", "0"},     {"--rapid-rate", "inf"},    {"--rapid-rate", "1e308"},
               {"--rapid-rate", "-1"},    {"--pierce-delay", "-0.5"}, {"--pierce-delay", "nan"},
               {"--pierce-delay", "1e9"}, {"--pierce-delay", "x"}};
  TempRoot scratch;
  const std::string file = PlainProgram(scratch);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.option) + " " + c.value);
    const Ran ran =
        RunPlotWithSettings("", "--summary --json " + std::string(c.option) + " " + c.value + " '" + file + "'");
    EXPECT_EQ(ran.exitCode, 2);
    EXPECT_EQ(ran.err, std::string("talvo-plot: ") + c.option + ": SAYI GEÇERSİZ: " + c.value + "\n");
    EXPECT_EQ(ran.out, "");
  }
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

// Progress is shown only where standard error is a terminal: under script(1) the reading's share,
// and for --export the drawing, are there; run as the other tests run, nothing is.
TEST(PlotCli, ShowsProgressOnATerminalOnly) {
  const TempRoot scratch;
  const std::string file = (scratch.Path() / "p.ngc").string();
  WriteBytes(file, "G0X0Y0\nG1X10F300\nG2I-5J0\nM30\n");
  const struct {
    const char* name;
    std::string args;
    std::vector<std::string> shown;
  } cases[] = {
      {"summary", "--summary '" + file + "'", {"talvo-plot: OKUNUYOR "}},
      {"export",
       "--export '" + (scratch.Path() / "p.png").string() + "' '" + file + "'",
       {"talvo-plot: OKUNUYOR ", "talvo-plot: ÇİZİLİYOR"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Ran quiet = RunPlot(c.args);
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.err, "");
    const Ran onTerminal =
        RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM script -qec \"'" TALVO_PLOT "' " + c.args +
                   "\" /dev/null");
    EXPECT_EQ(onTerminal.exitCode, 0) << onTerminal.out;
    for (const std::string& text : c.shown) EXPECT_THAT(onTerminal.out, HasSubstr("\r" + text)) << onTerminal.out;
  }
}

}  // namespace
}  // namespace talvo::plot
