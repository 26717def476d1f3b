// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <vector>

#include "job_summary.h"
#include "plot_program.h"

namespace talvo::plot {

/// Where the torch is at a time into the job, each move taking the time the estimate gives it:
/// cuts at their own feed, rapids at the rapid rate, and the pierce delay spent standing at the
/// start of a pierce. A cut that cannot be timed (no feed, F0) is walked at the rapid rate, so
/// playback still passes over it.
class PlaybackClock {
 public:
  PlaybackClock(const PlotProgram& program, const JobSettings& settings);

  struct Position {
    std::size_t move = 0;  ///< the move under way; those before it are done
    double fraction = 0;   ///< how much of it is done, 0..1
    double x = 0, y = 0;   ///< the torch
    bool done = false;     ///< the whole program is done
  };

  double TotalSeconds() const { return ends_.empty() ? 0 : ends_.back(); }
  /// When move i begins (its pierce delay included).
  double StartOf(std::size_t move) const { return move == 0 ? 0 : ends_[move - 1]; }
  Position At(double seconds) const;

 private:
  const PlotProgram& program_;
  std::vector<double> ends_;    // when each move ends
  std::vector<double> delays_;  // the standing time at each pierce, by move; empty when none
  double pierceDelay_ = 0;
};

}  // namespace talvo::plot
