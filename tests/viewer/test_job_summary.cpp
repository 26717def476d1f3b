// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "gcode_reader.h"
#include "job_messages.h"
#include "job_summary.h"

namespace talvo::plot {
namespace {

constexpr double kPi = std::numbers::pi;

struct SummaryCase {
  const char* name;
  const char* text;
  double minX, minY, maxX, maxY;
  double cut, rapid;
  std::size_t pierces;
  double seconds;       // at 6000 a minute for rapids and 1 s a pierce; ignored with a problem
  const char* problem;  // the start of timeProblem, "" when the job can be timed
  bool fits;            // on a 3000 x 1500 sheet lying from the origin
};

// How far the centre of an arc of radius 5 on a chord of 9.9999 lies off the chord.
const double kNearHalfLeg = std::sqrt(25 - 4.99995 * 4.99995);

TEST(JobSummary, CountsLengthsPiercesAndTime) {
  const SummaryCase cases[] = {
      {"line and full circle", "G0X10Y0\nG1X20F600\nG3X20Y0I5J0\nM30\n", 0, -5, 30, 5, 10 + 10 * kPi, 10, 1,
       0.1 + 1 + kPi + 1, "", false},
      {"incremental, two feeds, two pierces", "G91G0X10Y10\nG1X10F1200\nY10\nG0X-20\nG1Y-10F600\n", 0, 0, 20, 20, 30,
       std::sqrt(200.0) + 20, 2, 0.5 + 0.5 + 1 + (std::sqrt(200.0) + 20) / 100 + 2, "", true},
      {"R arc over the top", "G0X0Y0\nG2X10Y0R5F300\n", 0, 0, 10, 5, 5 * kPi, 0, 1, 5 * kPi / 5 + 1, "", true},
      // A chord of 6 on a radius of 5: the centre lies 4 off the chord's middle.
      {"R arc the short way", "G0X0Y0\nG2X6Y0R5F300\n", 0, 0, 6, 1, 10 * std::atan2(3, 4), 0, 1,
       10 * std::atan2(3, 4) / 5 + 1, "", true},
      {"R arc the long way", "G0X0Y0\nG2X6Y0R-5F300\n", -2, 0, 8, 9, 5 * (2 * kPi - 2 * std::atan2(3, 4)), 0, 1,
       5 * (2 * kPi - 2 * std::atan2(3, 4)) / 5 + 1, "", false},
      // A rounding short of a half circle, as a slot's end written to three decimals is.
      {"R arc nearly a half circle", "G0X0Y0\nG2X9.9999Y0R5F300\n", 0, 0, 9.9999, 5 - kNearHalfLeg,
       10 * std::atan2(4.99995, kNearHalfLeg), 0, 1, 10 * std::atan2(4.99995, kNearHalfLeg) / 5 + 1, "", true},
      // Drawn as the whole circle, as its ends are a rounding apart: timed as it is drawn.
      {"R arc ending a rounding off its start", "G0X1Y0\nG2X1.0000000000000002Y0R1F300\n", 0, -2, 2, 0, 2 * kPi, 1, 1,
       0.01 + 2 * kPi / 5 + 1, "", false},
      {"R half circle rising", "G0X0Y0\nG3X10Y0Z3R5F300\n", 0, -5, 10, 0, std::hypot(5 * kPi, 3), 0, 1,
       std::hypot(5 * kPi, 3) / 5 + 1, "", false},
      {"feed kept across lines and rapids, first cut pierced too", "G1X10F300\nG0X20\nG1X30\n", 0, 0, 30, 0, 20, 10, 2,
       2 + 2 + 0.1 + 2, "", true},
      {"no feed", "G0X5\nG1X10\n", 0, 0, 10, 0, 5, 5, 1, 0, msg::kNoFeed, true},
      {"F0", "G0X5\nG1X10F0\nG1X20F100\n", 0, 0, 20, 0, 15, 5, 1, 0, msg::kFeedZero, true},
      {"feed as an expression", "G0X5\nG1X10F#<_hal[plasmac.cut-feed-rate]>\n", 0, 0, 10, 0, 5, 5, 1, 0,
       msg::kFeedUnknown, true},
      {"plain feed after an expression", "G0X5\nG1X10F#<_hal[x]>\nG1X20F600\n", 0, 0, 20, 0, 15, 5, 1, 0,
       msg::kFeedUnknown, true},
      {"inch job fits by millimetres", "G20G0X1Y1\nG1X100F50\n", 0, 0, 100, 1, 99, std::sqrt(2.0), 1,
       99.0 / 50 * 60 + std::sqrt(2.0) / 100 + 1, "", true},
  };
  JobSettings settings;
  settings.rapidRate = 6000;
  settings.pierceDelay = 1;
  for (const SummaryCase& c : cases) {
    SCOPED_TRACE(c.name);
    const JobSummary s = SummarizeJob(ReadProgram(c.text), settings);
    EXPECT_NEAR(s.extents.minX, c.minX, 1e-9);
    EXPECT_NEAR(s.extents.minY, c.minY, 1e-9);
    EXPECT_NEAR(s.extents.maxX, c.maxX, 1e-9);
    EXPECT_NEAR(s.extents.maxY, c.maxY, 1e-9);
    EXPECT_NEAR(s.cutLength, c.cut, 1e-9);
    EXPECT_NEAR(s.rapidLength, c.rapid, 1e-9);
    EXPECT_EQ(s.pierces, c.pierces);
    EXPECT_EQ(s.timeProblem.rfind(c.problem, 0), 0u) << s.timeProblem;
    EXPECT_EQ(s.TimeKnown(), std::string(c.problem).empty());
    if (s.TimeKnown()) {
      EXPECT_NEAR(s.totalSeconds, c.seconds, 1e-9);
    }
    EXPECT_EQ(s.fitsSheet, c.fits);
  }
}

// The operator sets the torch's zero somewhere on the sheet: a hole of radius 48 drawn about its
// centre fits once its centre is far enough inside, and a job larger than the sheet never does.
TEST(JobSummary, FitsTheSheetWhereItsOriginIsPlaced) {
  const char* const hole = "G0X0Y-38\nG1Y-48F300\nG2J48\n";
  const char* const wide = "G0X0Y0\nG1X3100F1000\n";
  const char* const inchHole = "G20G0X0Y-1.5\nG1Y-2F10\nG2J2\n";  // radius 50.8 mm
  const struct {
    const char* name;
    const char* text;
    double originX, originY;
    bool fits, fitsSize;
  } cases[] = {
      {"hole, origin at the sheet's corner", hole, 0, 0, false, true},
      {"hole, origin inside", hole, 100, 100, true, true},
      {"hole, touching the left and bottom edges", hole, 48, 48, true, true},
      {"hole, past the right edge", hole, 2960, 100, false, true},
      {"hole, past the top edge", hole, 100, 1460, false, true},
      {"inch hole, origin inside by millimetres", inchHole, 51, 51, true, true},
      {"inch hole, too near the corner in millimetres", inchHole, 49, 49, false, true},
      {"longer than the sheet", wide, 0, 0, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    JobSettings settings;
    settings.sheetOriginX = c.originX;
    settings.sheetOriginY = c.originY;
    const JobSummary s = SummarizeJob(ReadProgram(c.text), settings);
    EXPECT_EQ(s.fitsSheet, c.fits);
    EXPECT_EQ(s.fitsSheetSize, c.fitsSize);
  }
}

TEST(JobSummary, NamesTheFirstLineThatCannotBeTimed) {
  const JobSummary s = SummarizeJob(ReadProgram("G0X5\nG1X10F100\nG1X20F0\nG1X30\n"), JobSettings{});
  EXPECT_EQ(s.cutsAtFeedZero, 2u);
  EXPECT_EQ(s.firstFeedProblemLine, 2u);
  EXPECT_EQ(s.timeProblem, std::string(msg::kFeedZero) + " (SATIR 3)");
}

TEST(JobSummary, TimesASelectedMoveAtItsOwnFeed) {
  const PlotProgram p = ReadProgram("G0X60\nG2X60Y0I-60J0F120\nG1X0F0\n");
  JobSettings settings;
  settings.rapidRate = 3600;
  struct Case {
    std::size_t move;
    double length, seconds;
  } cases[] = {{0, 60, 1}, {1, 120 * kPi, 60 * kPi}, {2, 60, -1}};
  for (const Case& c : cases) {
    const MoveFacts f = FactsOfMove(p.moves[c.move], settings);
    EXPECT_NEAR(f.length, c.length, 1e-9) << c.move;
    EXPECT_NEAR(f.seconds, c.seconds, 1e-9) << c.move;
  }
}

TEST(JobSummary, WritesNameValueLinesAndJson) {
  JobSettings settings;
  settings.rapidRate = 6000;
  settings.pierceDelay = 1;
  const JobSummary s = SummarizeJob(ReadProgram("G0X10\nG1X20F600\n"), settings);
  EXPECT_EQ(SummaryText(s, settings),
            "units: mm\nmin_x: 0.000\nmin_y: 0.000\nmax_x: 20.000\nmax_y: 0.000\nwidth: 20.000\nheight: 0.000\n"
            "cut_length: 10.000\nrapid_length: 10.000\npierces: 1\ncuts_without_feed: 0\ncuts_at_feed_zero: 0\n"
            "cuts_at_unknown_feed: 0\n"
            "rapid_rate: 6000.000\npierce_delay_s: 1.000\ncut_time_s: 1.0\nrapid_time_s: 0.1\npierce_time_s: 1.0\n"
            "estimated_time_s: 2.1\nsheet_x: 3000.000\nsheet_y: 1500.000\nsheet_origin_x: 0.000\n"
            "sheet_origin_y: 0.000\nfits_sheet: true\nfits_sheet_size: true\n");
  const std::string json = SummaryJson(s, settings);
  EXPECT_EQ(json.front(), '{');
  EXPECT_NE(json.find("\"pierces\": 1, "), std::string::npos);
  EXPECT_NE(json.find("\"time_problem\": null"), std::string::npos);
  EXPECT_NE(json.find("\"units\": \"mm\""), std::string::npos);
}

}  // namespace
}  // namespace talvo::plot
