// SPDX-License-Identifier: MIT
#include "playback_clock.h"

#include <algorithm>

#include "arc_geometry.h"

namespace talvo::plot {

PlaybackClock::PlaybackClock(const PlotProgram& program, const JobSettings& settings)
    : program_(program), pierceDelay_(std::max(settings.pierceDelay, 0.0)) {
  const MoveList& moves = program.moves;
  ends_.reserve(moves.size());
  double t = 0;
  const double rapid = settings.rapidRate > 0 ? settings.rapidRate : 1;
  for (const PlotMove& m : moves) {
    if (m.pierce) t += pierceDelay_;
    const double rate = m.IsCut() && m.feed > 0 ? m.feed : rapid;
    t += MoveLength(m) / rate * 60;
    ends_.push_back(t);
  }
}

PlaybackClock::Position PlaybackClock::At(double seconds) const {
  Position p;
  const MoveList& moves = program_.moves;
  if (moves.empty()) return p;
  const auto after = std::upper_bound(ends_.begin(), ends_.end(), seconds);
  if (after == ends_.end()) {
    p.move = moves.size() - 1;
    p.fraction = 1;
    p.done = true;
  } else {
    p.move = static_cast<std::size_t>(after - ends_.begin());
    const PlotMove m = moves[p.move];
    const double start = StartOf(p.move) + (m.pierce ? pierceDelay_ : 0);
    const double span = ends_[p.move] - start;
    p.fraction = span > 0 ? std::clamp((seconds - start) / span, 0.0, 1.0) : 1;
  }
  MovePointAt(moves[p.move], p.fraction, p.x, p.y);
  return p;
}

}  // namespace talvo::plot
