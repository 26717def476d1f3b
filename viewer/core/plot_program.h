// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "move_list.h"
#include "plot_error.h"
#include "plot_extents.h"
#include "plot_move.h"

namespace talvo::plot {

enum class PlotUnits : std::uint8_t { Millimetre, Inch };

/// A kind of word the reader read and passed over because it does not change the drawn path
/// (an M code, S, a comment, a parameter assignment, ...): where it first came and how often.
struct PassedOver {
  std::string word;
  std::uint32_t firstLine = 0;  ///< zero-based index of the source line
  std::uint32_t lines = 0;      ///< how many lines carried it
};

/// The cuts' time at their own feeds, tallied as the moves are read: a summary, made again
/// whenever the operator changes a job setting, needs no second pass over the moves.
struct CutTiming {
  double seconds = 0;  ///< the cuts at a feed above 0
  /// Cuts that cannot be timed: no F before them, F0, or an F the reader cannot evaluate.
  std::size_t withoutFeed = 0;
  std::size_t atFeedZero = 0;
  std::size_t atUnknownFeed = 0;
  /// The first cut that cannot be timed: its feed (kNoFeed, kUnknownFeed or 0) and its line.
  double firstUntimedFeed = 0;
  std::uint32_t firstUntimedLine = 0;

  bool AllTimed() const { return withoutFeed + atFeedZero + atUnknownFeed == 0; }
  /// A cut `length` long at `feed` (units per minute), commanded by source line `line`.
  void Add(double length, double feed, std::uint32_t line) {
    if (feed > 0) {
      seconds += length / feed * 60;
      return;
    }
    if (AllTimed()) {
      firstUntimedFeed = feed;
      firstUntimedLine = line;
    }
    ++(feed == kNoFeed ? withoutFeed : feed == kUnknownFeed ? atUnknownFeed : atFeedZero);
  }
};

/// Everything the reader found in one program text.
struct PlotProgram {
  MoveList moves;                         ///< in program order; a loop or a call repeats lines
  std::vector<PlotError> errors;          ///< the first kMaxKeptErrors unreadable lines
  std::size_t errorCount = 0;             ///< all unreadable lines, also those not kept
  std::vector<PassedOver> passedOver;     ///< in the order first met
  std::vector<std::uint32_t> lineStarts;  ///< offset of each source line in the text
  std::vector<std::uint32_t> pierces;     ///< indices of cutting moves that follow a rapid
  PlotUnits units = PlotUnits::Millimetre;
  PlotExtents extents;
  double cutLength = 0;
  double rapidLength = 0;
  CutTiming cutTiming;
  /// Some cut ran at a feed given as an expression the reader cannot evaluate, so the job's time
  /// cannot be estimated; the path is drawn all the same.
  bool feedUnknown = false;

  static constexpr std::size_t kMaxKeptErrors = 10000;

  /// Half-open range of indices into moves of the moves that source line `line` commands: all
  /// of them when lines never repeat, else those of the first time the line ran.
  std::pair<std::size_t, std::size_t> MovesOfLine(std::uint32_t line) const;
  /// Every run of consecutive moves that source line `line` commands, in program order: one
  /// for each time a loop or a call ran it.
  std::vector<std::pair<std::size_t, std::size_t>> MoveRunsOfLine(std::uint32_t line) const;
  /// Finds the moves of each line once the moves are all read, when a line ran more than once;
  /// lines in program order need no index.
  void IndexRepeatedLines();

 private:
  // When lines repeat: the moves of line l are movesByLine_[lineMovesFrom_[l] .. lineMovesFrom_[l + 1]).
  std::vector<std::uint32_t> lineMovesFrom_;
  std::vector<std::uint32_t> movesByLine_;
};

}  // namespace talvo::plot
