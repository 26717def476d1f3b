// SPDX-License-Identifier: MIT
#include "playback_controller.h"

#include <algorithm>

namespace talvo::plot {

void PlaybackController::Load(const PlotProgram& program, const JobSettings& job) {
  program_ = &program;
  clock_ = std::make_unique<PlaybackClock>(program, job);
  seconds_ = 0;
  move_ = 0;
  playing_ = false;
}

std::optional<PlaybackController::Position> PlaybackController::PlayTo(double seconds) {
  if (Empty()) return std::nullopt;
  seconds_ = std::clamp(seconds, 0.0, clock_->TotalSeconds());
  const Position at = clock_->At(seconds_);
  move_ = at.done ? program_->moves.size() : at.move;
  return at;
}

std::optional<PlaybackController::Position> PlaybackController::FromMove(std::size_t move) {
  if (Empty()) return std::nullopt;
  playing_ = false;
  // Not by its time: a move that takes none, such as a rapid to where the torch stands,
  // would be passed over.
  const MoveList& moves = program_->moves;
  if (move >= moves.size()) return PlayTo(clock_->TotalSeconds());
  seconds_ = clock_->StartOf(move);
  Position at;
  at.move = move;
  at.x = moves.StartX(move);
  at.y = moves.StartY(move);
  move_ = move;
  return at;
}

std::optional<PlaybackController::Position> PlaybackController::Step(std::ptrdiff_t by) {
  if (!program_) return std::nullopt;
  const auto count = static_cast<std::ptrdiff_t>(program_->moves.size());
  return FromMove(
      static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(move_) + by, 0, count)));
}

std::optional<PlaybackController::Position> PlaybackController::End() {
  return PlayTo(clock_ ? clock_->TotalSeconds() : 0);
}

std::optional<PlaybackController::Position> PlaybackController::PlayOrPause() {
  if (playing_) {
    playing_ = false;
    return std::nullopt;
  }
  std::optional<Position> at;
  if (clock_ && seconds_ >= clock_->TotalSeconds()) at = Home();
  playing_ = true;
  return at;
}

std::optional<PlaybackController::Position> PlaybackController::Tick(double elapsed) {
  const std::optional<Position> at = PlayTo(seconds_ + elapsed * speed_);
  if (!clock_ || seconds_ >= clock_->TotalSeconds()) playing_ = false;
  return at;
}

}  // namespace talvo::plot
