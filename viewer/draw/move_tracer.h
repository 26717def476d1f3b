// SPDX-License-Identifier: MIT
// Turns moves into screen strokes for a picture: straight moves as one segment, arcs walked
// pixel by pixel where the sink can (else, and for spirals, as chords of a few pixels stepped
// by rotation), moves within a pixel as a dot. The cost of a move is bounded by the pixels it
// covers: arcs far larger than the view are cut to the part in view, and a large move that
// lands on exactly the pixels of one already traced is traced once.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "arc_geometry.h"
#include "arc_walk.h"
#include "move_list.h"
#include "view_mapping.h"

namespace talvo::plot {

/// The angles [from, to] (counter-clockwise, radians) of the part of an arc worth drawing: all
/// of it, or for an arc much larger than the view the wedge of the view seen from its centre.
std::vector<std::pair<double, double>> DrawnSpans(const PlotMove& m, const ViewMapping& view);

/// Arcs shorter than this many pixels are traced whole; longer ones only where they cross the view.
inline constexpr double kWholeArcPixels = 4000;

/// Remembers the screen shapes of large moves traced lately, so a pile of moves on the same
/// pixels costs one trace. A shape forgotten is only traced again: the picture stays exact.
class TracedShapes {
 public:
  /// False when a shape with these rounded screen numbers was traced lately.
  bool First(bool cut, std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d, std::int64_t e = 0,
             std::int64_t f = 0) {
    const Key key{{cut ? 1 : 0, a, b, c, d, e, f}};
    // Each number by its own odd constant, the products independent of each other, and the
    // top bits of their mix pick the slot: no division, and no chain of multiplications.
    constexpr std::uint64_t kOdd[7] = {0x9e3779b97f4a7c15ull, 0xc2b2ae3d27d4eb4full, 0x165667b19e3779f9ull,
                                       0xd6e8feb86659fd93ull, 0xff51afd7ed558ccdull, 0xc4ceb9fe1a85ec53ull,
                                       0x94d049bb133111ebull};
    std::uint64_t h = 0;
    for (int k = 0; k < 7; ++k) h += static_cast<std::uint64_t>(key.v[k]) * kOdd[k];
    h ^= h >> 29;
    Key& slot = slots_[(h * kOdd[0]) >> (64 - kSlotBits)];
    if (slot == key) return false;
    slot = key;
    return true;
  }

 private:
  struct Key {
    std::int64_t v[7];
    bool operator==(const Key&) const = default;
  };
  static constexpr int kSlotBits = 12;
  static constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;
  std::vector<Key> slots_ = std::vector<Key>(kSlots, Key{{-1, 0, 0, 0, 0, 0, 0}});
};

/// Moves whose screen size is at least this many pixels are checked against those traced.
inline constexpr double kTracedShapePixels = 16;

/// Arcs are walked pixel by pixel up to this radius; beyond, the square roots lose the pixel.
inline constexpr double kWalkedRadiusPixels = 1e9;

/// An arc whose end lies this much off its start's radius is a spiral, drawn as chords.
inline constexpr double kSpiralPixels = 0.25;

/// The arc of move m on screen, for a sink that walks arcs itself; false for a spiral or a
/// radius too large to walk, which are drawn as chords. `skip` when the shape was traced lately.
inline bool WalkedArc(const PlotMove& m, double rPixels, const ScreenMap& map, TracedShapes& traced, bool& skip,
                      ScreenArc& arc) {
  if (rPixels > kWalkedRadiusPixels) return false;
  const double cx = map.X(m.centreX), cy = map.Y(m.centreY);
  const double sx = map.X(m.start.x) - cx, sy = cy - map.Y(m.start.y);
  const double ex = map.X(m.end.x) - cx, ey = cy - map.Y(m.end.y);
  const double endRadius = std::sqrt(ex * ex + ey * ey);  // within kWalkedRadiusPixels: no overflow
  if (std::abs(endRadius - rPixels) > kSpiralPixels) return false;
  const bool ccw = m.kind == MoveKind::ArcCcw;
  const auto round = [](double v) { return static_cast<std::int64_t>(std::floor(std::clamp(v, -4e15, 4e15))); };
  skip = 2 * rPixels >= kTracedShapePixels &&
         !traced.First(true, round(cx), round(cy), round(rPixels * 4), round(cx + sx), round(cy - sy),
                       round(cx + ex) * 8 + round(cy - ey) * 1000003 + ccw);
  // Counter-clockwise with Y up: a clockwise arc is the same pixels walked from its end, which
  // is brought onto the radius the walk keeps.
  const bool whole = WholeTurn(m);
  const double toRadius = rPixels / endRadius;
  arc = ccw ? ScreenArc{cx, cy, rPixels, sx, sy, ex, ey, whole}
            : ScreenArc{cx, cy, rPixels, ex * toRadius, ey * toRadius, sx, sy, whole};
  return true;
}

/// Calls sink.Segment(cut, x0, y0, x1, y1) and sink.Dot(cut, x, y) in screen pixels for move i.
template <typename Sink>
void TraceMove(const MoveList& moves, std::size_t i, const ViewMapping& view, const ScreenMap& map,
               TracedShapes& traced, Sink& sink) {
  // Chords stray at most this far from the arc, so arcs stay round at every zoom while a
  // large one takes a few long chords instead of many short ones.
  constexpr double kArcErrorPixels = 0.25;
  constexpr int kMaxArcSteps = 1 << 14;
  const bool cut = moves.IsCut(i);
  const double ax = map.X(moves.StartX(i)), ay = map.Y(moves.StartY(i));
  const auto round = [](double v) { return static_cast<std::int64_t>(std::floor(std::clamp(v, -4e15, 4e15))); };
  if (!moves.IsArc(i)) {
    const double bx = map.X(moves.EndX(i)), by = map.Y(moves.EndY(i));
    const double dx = std::abs(ax - bx), dy = std::abs(ay - by);
    if (dx < 1 && dy < 1) {
      sink.Dot(cut, ax, ay);
      return;
    }
    if (std::max(dx, dy) >= kTracedShapePixels) {
      // The same pixels whichever way the torch went.
      auto p = std::pair(round(ax), round(ay)), q = std::pair(round(bx), round(by));
      if (q < p) std::swap(p, q);
      if (!traced.First(cut, p.first, p.second, q.first, q.second)) return;
    }
    sink.Segment(cut, ax, ay, bx, by);
    return;
  }
  const PlotMove m = moves.Geometry(i);
  const double r = ArcRadius(m);
  const double rPixels = r * map.s;
  if (rPixels < 0.75) {
    sink.Dot(cut, ax, ay);
    return;
  }
  if constexpr (requires(ScreenArc a) { sink.Arc(cut, a); }) {
    ScreenArc arc;
    bool skip = false;
    if (WalkedArc(m, rPixels, map, traced, skip, arc)) {
      if (!skip) sink.Arc(cut, arc);
      return;
    }
  }
  const double sweep = ArcSweep(m);
  if (rPixels * std::abs(sweep) >= kTracedShapePixels &&
      !traced.First(cut, round(map.X(m.centreX)), round(map.Y(m.centreY)), round(rPixels * 4), round(ax), round(ay),
                    round(map.X(m.end.x)) * 8 + round(map.Y(m.end.y)) * 1000003 + (sweep > 0))) {
    return;
  }
  const double chordAngle = 2 * std::acos(std::max(1 - kArcErrorPixels / rPixels, 0.0));
  // Chords from (dx, dy) about the centre, turning by `sweep` in all.
  const auto chords = [&](double dx, double dy, double sweep) {
    // Never chords shorter than two pixels: a huge arc seen from close by is nearly straight.
    const double turn = std::abs(sweep);
    const double wanted = std::min(std::ceil(turn / chordAngle), std::ceil(turn * rPixels / 2));
    const int steps = static_cast<int>(std::clamp(wanted, 2.0, static_cast<double>(kMaxArcSteps)));
    const double step = sweep / steps;
    const double c = std::cos(step), s = std::sin(step);
    double px = map.X(m.centreX + dx), py = map.Y(m.centreY + dy);
    for (int k = 1; k <= steps; ++k) {
      const double nx = dx * c - dy * s;
      dy = dx * s + dy * c;
      dx = nx;
      const double qx = map.X(m.centreX + dx), qy = map.Y(m.centreY + dy);
      sink.Segment(cut, px, py, qx, qy);
      px = qx;
      py = qy;
    }
  };
  if (rPixels * std::abs(sweep) < kWholeArcPixels) {
    chords(m.start.x - m.centreX, m.start.y - m.centreY, sweep);  // from the start, no angles needed
    return;
  }
  for (const auto& [from, to] : DrawnSpans(m, view)) chords(r * std::cos(from), r * std::sin(from), to - from);
}

}  // namespace talvo::plot
