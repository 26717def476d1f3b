// SPDX-License-Identifier: MIT
#include "window_texts.h"

#include <cmath>
#include <cstdio>

#include "plot_texts.h"

namespace talvo::plot {

std::string FixedNumber(double value, int decimals) {
  // As the window has always shown it: an exact zero is "0.000" even when negative.
  if (value == 0) value = 0;
  char text[400];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string DurationText(double seconds) {
  const auto whole = static_cast<long long>(std::llround(seconds));
  char text[64];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
  return text;
}

std::string WindowTitle(const std::string& fileName) { return std::string(plot_text::kTitle) + " - " + fileName; }

std::string CursorText(double x, double y) {
  return std::string(plot_text::kCursorX) + " " + FixedNumber(x) + "   " + plot_text::kCursorY + " " + FixedNumber(y);
}

std::string UnitsText(PlotUnits units) { return units == PlotUnits::Inch ? plot_text::kInch : plot_text::kMillimetre; }

std::string ExtentsText(const PlotExtents& e) {
  if (e.Empty()) return {};
  return std::string(plot_text::kExtents) + "  X " + FixedNumber(e.minX) + " … " + FixedNumber(e.maxX) + "   Y " +
         FixedNumber(e.minY) + " … " + FixedNumber(e.maxY);
}

std::string LengthsText(const PlotProgram& program) {
  return std::string(plot_text::kCut) + " " + FixedNumber(program.cutLength) + "   " + plot_text::kRapid + " " +
         FixedNumber(program.rapidLength);
}

std::string ErrorLineText(const PlotError& error) {
  return std::string(plot_text::kLine) + " " + std::to_string(error.line + 1) + ": " + error.reason;
}

std::string MoreErrorsText(std::size_t notKept) {
  return "… " + std::to_string(notKept) + " " + plot_text::kMoreErrors;
}

std::string JobSummaryText(const PlotProgram& program, const JobSettings& job) {
  const JobSummary s = SummarizeJob(program, job);
  const std::string time =
      s.TimeKnown() ? DurationText(s.totalSeconds) : std::string(plot_text::kNoTime) + ": " + s.timeProblem;
  const char* fits = s.fitsSheet       ? plot_text::kFits
                     : s.fitsSheetSize ? plot_text::kFitsElsewhere
                                       : plot_text::kDoesNotFit;
  return std::string(plot_text::kSize) + "  " + FixedNumber(s.extents.maxX - s.extents.minX) + " x " +
         FixedNumber(s.extents.maxY - s.extents.minY) + "\n" + plot_text::kCut + "  " + FixedNumber(s.cutLength) +
         "\n" + plot_text::kRapid + "  " + FixedNumber(s.rapidLength) + "\n" + plot_text::kPierces + "  " +
         std::to_string(s.pierces) + "\n" + plot_text::kTime + "  " + time + "\n" + fits;
}

std::string MoveFactsText(const PlotMove& m, const JobSettings& job) {
  const MoveFacts facts = FactsOfMove(m, job);
  const char* kind = m.IsArc() ? plot_text::kArc : m.IsCut() ? plot_text::kCut : plot_text::kRapid;
  const std::string feed = m.IsCut() ? (m.feed == kNoFeed ? "-" : FixedNumber(m.feed)) : FixedNumber(job.rapidRate);
  const std::string time = facts.seconds >= 0 ? FixedNumber(facts.seconds, 2) + " s" : plot_text::kNoTime;
  return std::string(plot_text::kLine) + " " + std::to_string(m.line + 1) + "  " + kind + "  " + plot_text::kLength +
         " " + FixedNumber(facts.length) + "  " + plot_text::kFeed + " " + feed + "  " + time;
}

std::string DistanceText(double fromX, double fromY, double toX, double toY) {
  const double dx = toX - fromX, dy = toY - fromY;
  return std::string(plot_text::kDistance) + " " + FixedNumber(std::hypot(dx, dy)) + "   ΔX " + FixedNumber(dx) +
         "   ΔY " + FixedNumber(dy);
}

}  // namespace talvo::plot
