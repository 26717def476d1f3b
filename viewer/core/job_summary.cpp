// SPDX-License-Identifier: MIT
#include "job_summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "arc_geometry.h"
#include "job_messages.h"
#include "short_number.h"

namespace talvo::plot {

namespace {

constexpr double kMillimetresPerInch = 25.4;

// Fixed decimals where they stay short; beyond, the shortest text that reads back the same, so a
// huge time is "3.6e+305" rather than 306 digits. Not a number at all is "null", as JSON has it.
std::string Number(double value, int decimals = 3) {
  constexpr double kLongestFixed = 1e15;
  if (!std::isfinite(value)) return "null";
  if (std::fabs(value) >= kLongestFixed) return ShortNumber(value);
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// The fields in the order they are printed: name, value, and whether JSON writes it as text.
struct Field {
  const char* name;
  std::string value;
  bool text = false;
};

std::vector<Field> Fields(const JobSummary& s, const JobSettings& settings) {
  const bool any = !s.extents.Empty();
  const auto extent = [&](double v) { return any ? Number(v) : std::string("null"); };
  std::vector<Field> fields = {
      {"units", s.units == PlotUnits::Inch ? "inch" : "mm", true},
      {"min_x", extent(s.extents.minX)},
      {"min_y", extent(s.extents.minY)},
      {"max_x", extent(s.extents.maxX)},
      {"max_y", extent(s.extents.maxY)},
      {"width", any ? Number(s.extents.maxX - s.extents.minX) : "null"},
      {"height", any ? Number(s.extents.maxY - s.extents.minY) : "null"},
      {"cut_length", Number(s.cutLength)},
      {"rapid_length", Number(s.rapidLength)},
      {"pierces", std::to_string(s.pierces)},
      {"cuts_without_feed", std::to_string(s.cutsWithoutFeed)},
      {"cuts_at_feed_zero", std::to_string(s.cutsAtFeedZero)},
      {"cuts_at_unknown_feed", std::to_string(s.cutsAtUnknownFeed)},
      {"rapid_rate", Number(settings.rapidRate)},
      {"pierce_delay_s", Number(settings.pierceDelay)},
      {"cut_time_s", Number(s.cutSeconds, 1)},
      {"rapid_time_s", Number(s.rapidSeconds, 1)},
      {"pierce_time_s", Number(s.pierceSeconds, 1)},
      {"estimated_time_s", s.TimeKnown() ? Number(s.totalSeconds, 1) : "null"},
      {"time_problem", s.timeProblem, true},
      {"sheet_x", Number(settings.sheetX)},
      {"sheet_y", Number(settings.sheetY)},
      {"sheet_origin_x", Number(settings.sheetOriginX)},
      {"sheet_origin_y", Number(settings.sheetOriginY)},
      {"fits_sheet", s.fitsSheet ? "true" : "false"},
      {"fits_sheet_size", s.fitsSheetSize ? "true" : "false"},
  };
  return fields;
}

std::string JsonText(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

}  // namespace

MoveFacts FactsOfMove(const PlotMove& move, const JobSettings& settings) {
  MoveFacts facts;
  facts.length = MoveLength(move);
  const double rate = move.IsCut() ? move.feed : settings.rapidRate;
  if (rate > 0) facts.seconds = facts.length / rate * 60;
  return facts;
}

JobSummary SummarizeJob(const PlotProgram& program, const JobSettings& settings) {
  JobSummary s;
  s.units = program.units;
  s.extents = program.extents;
  s.cutLength = program.cutLength;
  s.rapidLength = program.rapidLength;
  s.pierces = program.pierces.size();
  const CutTiming& cuts = program.cutTiming;
  s.cutSeconds = cuts.seconds;
  s.cutsWithoutFeed = cuts.withoutFeed;
  s.cutsAtFeedZero = cuts.atFeedZero;
  s.cutsAtUnknownFeed = cuts.atUnknownFeed;
  if (!cuts.AllTimed()) {
    s.firstFeedProblem = cuts.firstUntimedFeed == kNoFeed        ? msg::kNoFeed
                         : cuts.firstUntimedFeed == kUnknownFeed ? msg::kFeedUnknown
                                                                 : msg::kFeedZero;
    s.firstFeedProblemLine = cuts.firstUntimedLine;
  }
  if (settings.rapidRate > 0) s.rapidSeconds = s.rapidLength / settings.rapidRate * 60;
  s.pierceSeconds = static_cast<double>(s.pierces) * std::max(settings.pierceDelay, 0.0);
  if (s.firstFeedProblem) {
    s.timeProblem = std::string(s.firstFeedProblem) + " (" + msg::kLineWord + " " +
                    std::to_string(s.firstFeedProblemLine + 1) + ")";
  } else if (!(settings.rapidRate > 0) && s.rapidLength > 0) {
    s.timeProblem = msg::kNoRapidRate;
  } else {
    s.totalSeconds = s.cutSeconds + s.rapidSeconds + s.pierceSeconds;
  }
  // The sheet's sizes are in millimetres whatever the program's unit.
  const double toMm = program.units == PlotUnits::Inch ? kMillimetresPerInch : 1;
  const PlotExtents& e = program.extents;
  constexpr double kSlack = 1e-6;
  const double left = e.minX * toMm + settings.sheetOriginX, bottom = e.minY * toMm + settings.sheetOriginY;
  const double right = e.maxX * toMm + settings.sheetOriginX, top = e.maxY * toMm + settings.sheetOriginY;
  s.fitsSheet = !e.Empty() && left >= -kSlack && bottom >= -kSlack && right <= settings.sheetX + kSlack &&
                top <= settings.sheetY + kSlack;
  s.fitsSheetSize = !e.Empty() && right - left <= settings.sheetX + kSlack && top - bottom <= settings.sheetY + kSlack;
  return s;
}

std::string SummaryText(const JobSummary& summary, const JobSettings& settings) {
  std::string out;
  for (const Field& f : Fields(summary, settings)) {
    if (f.value == "null" || (f.text && f.value.empty())) continue;
    out.append(f.name).append(": ").append(f.value).append("\n");
  }
  return out;
}

std::string SummaryJson(const JobSummary& summary, const JobSettings& settings) {
  std::string out = "{";
  for (const Field& f : Fields(summary, settings)) {
    if (out.size() > 1) out += ", ";
    out += JsonText(f.name) + ": ";
    if (f.text)
      out += f.value.empty() ? "null" : JsonText(f.value);
    else
      out += f.value;
  }
  return out + "}\n";
}

}  // namespace talvo::plot
