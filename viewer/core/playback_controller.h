// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <memory>
#include <optional>

#include "job_summary.h"
#include "playback_clock.h"
#include "plot_program.h"

namespace talvo::plot {

/// Playback's state and steps, without a window: where the torch stands, whether it is playing
/// and how fast. Each step returns the position the window shows, or nothing when there is
/// nothing to show; the window's timer calls Tick while Playing().
class PlaybackController {
 public:
  using Position = PlaybackClock::Position;

  /// Playback of `program` (kept by the caller) at the job's rates, stopped at the start.
  void Load(const PlotProgram& program, const JobSettings& job);

  bool Playing() const { return playing_; }
  void Stop() { playing_ = false; }
  /// Job time played through, seconds.
  double Seconds() const { return seconds_; }
  /// The move under way; the number of moves once all are done.
  std::size_t CurrentMove() const { return move_; }
  /// Times the estimated real time that playing runs at.
  void SetSpeed(double times) { speed_ = times; }

  /// The torch after `seconds` of the job as estimated.
  std::optional<Position> PlayTo(double seconds);
  /// Stopped at the start of `move`; past the last: the end.
  std::optional<Position> FromMove(std::size_t move);
  /// Stopped where a move starts: forward finishes the move under way, back undoes one.
  std::optional<Position> Step(std::ptrdiff_t by);
  std::optional<Position> Home() { return FromMove(0); }
  std::optional<Position> End();
  /// Pauses while playing; otherwise plays, from the start when at the end.
  std::optional<Position> PlayOrPause();
  /// `elapsed` real seconds of playing; stops at the end.
  std::optional<Position> Tick(double elapsed);

 private:
  bool Empty() const { return !clock_ || program_->moves.empty(); }

  const PlotProgram* program_ = nullptr;
  std::unique_ptr<PlaybackClock> clock_;
  double seconds_ = 0;
  std::size_t move_ = 0;
  double speed_ = 10;
  bool playing_ = false;
};

}  // namespace talvo::plot
