// SPDX-License-Identifier: MIT
// One motion of the tool as the program commands it.
#pragma once

#include <cstdint>

namespace talvo::plot {

enum class MoveKind : std::uint8_t { Rapid, Feed, ArcCw, ArcCcw };

struct PlotPoint {
  double x = 0;
  double y = 0;
  double z = 0;
};

/// The feed of a move when no F word came before it.
inline constexpr double kNoFeed = -1;
/// The feed of a move whose F word was an expression the reader cannot evaluate.
inline constexpr double kUnknownFeed = -2;

/// A straight move uses start and end; an arc also its centre in the XY plane. An arc whose
/// end equals its start is a full circle.
struct PlotMove {
  PlotPoint start;
  PlotPoint end;
  double centreX = 0;
  double centreY = 0;
  double feed = kNoFeed;   ///< the F word in effect, in the program's unit per minute
  std::uint32_t line = 0;  ///< zero-based index of the source line
  MoveKind kind = MoveKind::Rapid;
  bool pierce = false;  ///< a cut that follows a rapid: the torch pierces at its start

  bool IsArc() const { return kind == MoveKind::ArcCw || kind == MoveKind::ArcCcw; }
  bool IsCut() const { return kind != MoveKind::Rapid; }
};

}  // namespace talvo::plot
