// SPDX-License-Identifier: MIT
// talvo-plot's command line and settings' limits, read without any toolkit, and the summary's
// JSON for extreme settings.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "flat_json.h"
#include "gcode_reader.h"
#include "job_summary.h"
#include "plot_command_line.h"
#include "setting_limits.h"
#include "short_number.h"

namespace talvo::plot {
namespace {

using Ask = PlotCommandLine::Ask;

TEST(PlotCommandLine, ReadsWhatWasAskedAsQtsParserDid) {
  const struct {
    std::vector<std::string> args;
    Ask ask;
    int exitCode;
    std::string message;
  } cases[] = {
      {{"f.ngc"}, Ask::Run, 0, ""},
      {{"--summary", "--json", "f.ngc", "--rapid-rate=3800", "--pierce-delay", "1"}, Ask::Run, 0, ""},
      {{"--help"}, Ask::Help, 0, ""},
      {{"--h"}, Ask::Help, 0, ""},
      {{"--help-all"}, Ask::Help, 0, ""},
      {{"-vh"}, Ask::Version, 0, ""},
      {{"--version", "--rapid-rate", "0"}, Ask::Version, 0, ""},
      {{"--no-such-option", "x"}, Ask::Refused, 1, "Unknown option 'no-such-option'."},
      {{"-help"}, Ask::Refused, 1, "Unknown options: e, l, p."},
      {{"--=x"}, Ask::Refused, 1, "Unknown option ''."},
      {{"--summary=1", "x"}, Ask::Refused, 1, "Unexpected value after '--summary'."},
      {{"-h=1"}, Ask::Refused, 1, "Unexpected value after '-h'."},
      {{"x", "--export"}, Ask::Refused, 1, "Missing value after '--export'."},
      {{"--help", "--nope"}, Ask::Refused, 1, "Unknown option 'nope'."},
      {{}, Ask::Refused, 1, "DOSYA VERİLMEDİ"},
      {{"a", "b"}, Ask::Refused, 1, "DOSYA VERİLMEDİ"},
      {{"--", "-dash.ngc"}, Ask::Run, 0, ""},
  };
  for (const auto& c : cases) {
    const PlotCommandLine asked = ReadPlotCommandLine(c.args);
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    SCOPED_TRACE(joined);
    EXPECT_EQ(asked.ask, c.ask);
    EXPECT_EQ(asked.exitCode, c.exitCode);
    EXPECT_EQ(asked.message, c.message);
  }
  const PlotCommandLine all =
      ReadPlotCommandLine({"--summary", "--json", "f.ngc", "--rapid-rate=3800", "--pierce-delay", "1", "--export",
                           "a.png", "--size", "20x30", "--rapid-rate", "+4e3"});
  EXPECT_EQ(all.file, "f.ngc");
  EXPECT_EQ(all.exportTo, "a.png");
  EXPECT_EQ(all.size, "20x30");
  EXPECT_TRUE(all.summary && all.json);
  EXPECT_EQ(all.rapidRate, 4000.0);  // the last one given counts
  EXPECT_EQ(all.pierceDelay, 1.0);
  EXPECT_EQ(ReadPlotCommandLine({"--", "-dash.ngc"}).file, "-dash.ngc");
}

// A value no setting may take is a usage error: exit 2, the option and the value named.
TEST(PlotCommandLine, RefusesValuesTheSettingsCannotTake) {
  const struct {
    const char* option;
    const char* value;
  } cases[] = {
      {"--rapid-rate", "0"},      {"--rapid-rate", "-5"},     {"--rapid-rate", "inf"},   {"--rapid-rate", "nan"},
      {"--rapid-rate", "1e308"},  {"--rapid-rate", "0x10"},   {"--rapid-rate", ""},      {"--rapid-rate", "5,"},
      {"--pierce-delay", "-0.1"}, {"--pierce-delay", "-inf"}, {"--pierce-delay", "1e9"}, {"--pierce-delay", "abc"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.option) + " " + c.value);
    const PlotCommandLine asked = ReadPlotCommandLine({"f.ngc", c.option, c.value});
    EXPECT_EQ(asked.ask, Ask::Refused);
    EXPECT_EQ(asked.exitCode, 2);
    EXPECT_EQ(asked.message, std::string(c.option) + ": SAYI GEÇERSİZ: " + c.value);
  }
}

// The text Qt's parser printed, kept byte for byte.
TEST(PlotCommandLine, HelpIsTheSameAsBefore) {
  EXPECT_EQ(PlotHelpText("bin/talvo-plot"),
            "Usage: bin/talvo-plot [options] DOSYA\n"
            "\n"
            "Options:\n"
            "  -h, --help           Displays help on commandline options.\n"
            "  --help-all           Displays help including Qt specific options.\n"
            "  -v, --version        Displays version information.\n"
            "  --export <OUT.png>   Çizimi pencere açmadan bu PNG dosyasına yaz ve çık.\n"
            "  --size <WxH>         Resmin boyu, GENİŞLİKxYÜKSEKLİK (ilk değer 1200x800).\n"
            "  --summary            İş özetini (ölçüler, boylar, delmeler, süre) yaz ve çık.\n"
            "  --json               Özeti tek bir JSON nesnesi olarak yaz.\n"
            "  --rapid-rate <RATE>  Boş hareket hızı, programın biriminde dakikada (ilk\n"
            "                       değer 10000; saklanan ayar).\n"
            "  --pierce-delay <S>   Delme başına bekleme, saniye (ilk değer 0.5; saklanan\n"
            "                       ayar).\n"
            "\n"
            "Arguments:\n"
            "  DOSYA                Çizilecek G kodu programı.\n");
  EXPECT_EQ(PlotVersionText(), "talvo-plot 1.0\n");
}

TEST(PlotCommandLine, ExportSize) {
  const struct {
    const char* text;
    int width, height;  // 0: refused
  } cases[] = {{"1200x800", 1200, 800}, {"16X16384", 16, 16384}, {"15x100", 0, 0},  {"100x16385", 0, 0},
               {"100x", 0, 0},          {"x100", 0, 0},          {"1e3x100", 0, 0}, {"100x100x1", 0, 0},
               {"123456x100", 0, 0},    {" 100x100", 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto size = ExportSizeOf(c.text);
    EXPECT_EQ(size.has_value(), c.width > 0);
    if (size) {
      EXPECT_EQ(std::pair(size->width, size->height), std::pair(c.width, c.height));
    }
  }
}

TEST(SettingLimits, KeptTextIsReadInFullAndInRange) {
  const struct {
    const SettingLimits* limits;
    const char* text;
    std::optional<double> value;
  } cases[] = {
      {&kRapidRateLimits, "10000", 10000.0},
      {&kRapidRateLimits, " 3800 ", 3800.0},
      {&kRapidRateLimits, "0", {}},
      {&kRapidRateLimits, "1e6", 1e6},
      {&kRapidRateLimits, "1000001", {}},
      {&kRapidRateLimits, "abc", {}},
      {&kPierceDelayLimits, "0", 0.0},
      {&kPierceDelayLimits, "-1", {}},
      {&kPierceDelayLimits, "nan", {}},
      {&kSheetXLimits, "0", {}},
      {&kSheetYLimits, "-3000", {}},
      {&kSheetOriginXLimits, "inf", {}},
      {&kSheetOriginYLimits, "50", 50.0},
      {&kKerfLimits, "101", {}},
      {&kKerfLimits, "1.5", 1.5},
      {&kKerfLimits, "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.limits->key) + "=" + c.text);
    EXPECT_EQ(CheckedSetting(*c.limits, c.text), c.value);
  }
  EXPECT_EQ(kRapidRateLimits.BoxLeast(), 1);  // a box of whole numbers cannot show 0.001
  EXPECT_EQ(kKerfLimits.BoxLeast(), 0);
  EXPECT_EQ(CheckedSwitch("true"), true);
  EXPECT_EQ(CheckedSwitch("0"), false);
  EXPECT_EQ(CheckedSwitch("yes"), std::nullopt);
  EXPECT_EQ(IgnoredSettingNote("BOŞ HAREKET HIZI", "0", "10000"),
            "SAKLANAN AYAR YOK SAYILDI: BOŞ HAREKET HIZI: 0 (İLK DEĞER 10000 KULLANILDI)");
  EXPECT_EQ(IgnoredSettingNote("KERF", std::string(38, 'x') + "çç", "1.5"),
            "SAKLANAN AYAR YOK SAYILDI: KERF: " + std::string(38, 'x') + "ç… (İLK DEĞER 1.5 KULLANILDI)");
}

TEST(ShortNumber, ShortestTextThatReadsBack) {
  EXPECT_EQ(ShortNumber(1e308), "1e+308");
  EXPECT_EQ(ShortNumber(0.1), "0.1");
  EXPECT_EQ(ShortNumber(10000), "10000");
  EXPECT_EQ(ShortNumber(1.0 / 3), "0.3333333333333333");
}

// Whatever the settings, the summary is JSON a reader takes, each value as it was given.
TEST(JobSummary, JsonStaysValidForExtremeValues) {
  const PlotProgram program = ReadProgram("G0X0Y0\nG0X100\nG1X200F300\n");
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double rapidRate, pierceDelay;
    const char* rapidRateText;
    const char* rapidTimeText;
  } cases[] = {
      {10000, 0.5, "10000.000", "0.6"}, {1e-300, 0.5, "0.000", "6e+303"},   {1e300, 1e300, "1e+300", "0.0"},
      {inf, 0.5, "null", "0.0"},        {std::nan(""), 0.5, "null", "0.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rapidRate);
    JobSettings settings;
    settings.rapidRate = c.rapidRate;
    settings.pierceDelay = c.pierceDelay;
    const std::string json = SummaryJson(SummarizeJob(program, settings), settings);
    const auto members = test_support::ParseFlatJson(json);
    ASSERT_TRUE(members) << json;
    EXPECT_EQ(members->at("rapid_rate"), c.rapidRateText);
    EXPECT_EQ(members->at("rapid_time_s"), c.rapidTimeText);
    EXPECT_EQ(members->size(), 26u);
  }
  EXPECT_FALSE(test_support::ParseFlatJson("{\"a\": inf}\n"));
  EXPECT_FALSE(test_support::ParseFlatJson("{\"a\": 01}\n"));
}

}  // namespace
}  // namespace talvo::plot
