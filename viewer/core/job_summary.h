// SPDX-License-Identifier: MIT
// The numbers an operator needs to quote a job: its size, how far the torch cuts and travels,
// how often it pierces, and how long the table will take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "plot_extents.h"
#include "plot_program.h"

namespace talvo::plot {

/// How the table moves where the program does not say.
struct JobSettings {
  /// Speed of rapids, in the program's unit per minute (a plasma table's traverse, 10 m/min).
  double rapidRate = 10000;
  /// Seconds the torch waits at each pierce before it moves.
  double pierceDelay = 0.5;
  /// The sheet on the table, in millimetres.
  double sheetX = 3000;
  double sheetY = 1500;
  /// Where the program's origin lies on the sheet, in millimetres from its lower left corner:
  /// where the operator sets the torch's zero. At (0, 0) the sheet lies from the origin towards
  /// +X and +Y; a program drawn about its origin, as a hole is, needs it inside the sheet.
  double sheetOriginX = 0;
  double sheetOriginY = 0;
};

struct JobSummary {
  PlotUnits units = PlotUnits::Millimetre;
  PlotExtents extents;
  double cutLength = 0;
  double rapidLength = 0;
  std::size_t pierces = 0;  ///< rapids followed by a cut
  /// Cuts that cannot be timed: no F before them, F0, or an F the reader cannot evaluate. The
  /// first one's line (zero-based) and what is wrong with it.
  std::size_t cutsWithoutFeed = 0;
  std::size_t cutsAtFeedZero = 0;
  std::size_t cutsAtUnknownFeed = 0;
  std::uint32_t firstFeedProblemLine = 0;
  const char* firstFeedProblem = nullptr;
  double cutSeconds = 0;    ///< the cuts that can be timed
  double rapidSeconds = 0;  ///< 0 when the rapid rate is not above 0
  double pierceSeconds = 0;
  /// Why the whole job cannot be timed; empty when totalSeconds holds the estimate.
  std::string timeProblem;
  double totalSeconds = 0;
  bool fitsSheet = false;      ///< the job lies on the sheet, its origin where the settings place it
  bool fitsSheetSize = false;  ///< the job is no larger than the sheet, so some origin would fit it

  bool TimeKnown() const { return timeProblem.empty(); }
};

JobSummary SummarizeJob(const PlotProgram& program, const JobSettings& settings);

/// What a selected move costs: its length (arcs along the arc) and its time at its own feed
/// or the rapid rate; seconds is negative when the move cannot be timed.
struct MoveFacts {
  double length = 0;
  double seconds = -1;
};
MoveFacts FactsOfMove(const PlotMove& move, const JobSettings& settings);

/// One "name: value" a line, for the command line.
std::string SummaryText(const JobSummary& summary, const JobSettings& settings);
/// The same as one JSON object.
std::string SummaryJson(const JobSummary& summary, const JobSettings& settings);

}  // namespace talvo::plot
