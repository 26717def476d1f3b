// SPDX-License-Identifier: MIT
#include "arc_geometry.h"

#include <cmath>
#include <numbers>

namespace talvo::plot {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

bool SamePoint(const PlotPoint& a, const PlotPoint& b) {
  return std::abs(a.x - b.x) <= 1e-9 && std::abs(a.y - b.y) <= 1e-9;
}

// True when the angle a (radians) lies on the arc that starts at angle a0 and sweeps s.
bool AngleOnArc(double a, double a0, double s) {
  double d = a - a0;
  if (s >= 0) {
    d = std::fmod(d, kTwoPi);
    if (d < 0) d += kTwoPi;
    return d <= s;
  }
  d = std::fmod(-d, kTwoPi);
  if (d < 0) d += kTwoPi;
  return d <= -s;
}

double SegmentDistance(double ax, double ay, double bx, double by, double x, double y) {
  const double dx = bx - ax, dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(ax + t * dx - x, ay + t * dy - y);
}

}  // namespace

double ArcRadius(const PlotMove& move) {
  return std::hypot(move.start.x - move.centreX, move.start.y - move.centreY);
}

double ArcSweep(const PlotMove& move) {
  const bool ccw = move.kind == MoveKind::ArcCcw;
  if (SamePoint(move.start, move.end)) return ccw ? kTwoPi : -kTwoPi;
  const double a0 = std::atan2(move.start.y - move.centreY, move.start.x - move.centreX);
  const double a1 = std::atan2(move.end.y - move.centreY, move.end.x - move.centreX);
  double d = a1 - a0;
  if (ccw) {
    while (d <= 0) d += kTwoPi;
    while (d > kTwoPi) d -= kTwoPi;
  } else {
    while (d >= 0) d -= kTwoPi;
    while (d < -kTwoPi) d += kTwoPi;
  }
  return d;
}

double MoveLength(const PlotMove& move) {
  const double dz = move.end.z - move.start.z;
  if (!move.IsArc()) {
    return std::sqrt(std::pow(move.end.x - move.start.x, 2) +
                     std::pow(move.end.y - move.start.y, 2) + dz * dz);
  }
  const double flat = std::abs(ArcSweep(move)) * ArcRadius(move);
  return std::sqrt(flat * flat + dz * dz);
}

PlotExtents MoveBox(const PlotMove& move) {
  PlotExtents box;
  box.Add(move.start.x, move.start.y);
  box.Add(move.end.x, move.end.y);
  if (!move.IsArc()) return box;
  const double r = ArcRadius(move);
  const double a0 = std::atan2(move.start.y - move.centreY, move.start.x - move.centreX);
  const double s = ArcSweep(move);
  for (int q = 0; q < 4; ++q) {
    const double a = q * std::numbers::pi / 2;
    if (AngleOnArc(a, a0, s)) box.Add(move.centreX + r * std::cos(a), move.centreY + r * std::sin(a));
  }
  return box;
}

void MovePointAt(const PlotMove& move, double t, double& x, double& y) {
  if (!move.IsArc()) {
    x = move.start.x + t * (move.end.x - move.start.x);
    y = move.start.y + t * (move.end.y - move.start.y);
    return;
  }
  const double r = ArcRadius(move);
  const double a = std::atan2(move.start.y - move.centreY, move.start.x - move.centreX) +
                   t * ArcSweep(move);
  x = move.centreX + r * std::cos(a);
  y = move.centreY + r * std::sin(a);
}

double DistanceToMove(const PlotMove& move, double x, double y) {
  if (!move.IsArc()) return SegmentDistance(move.start.x, move.start.y, move.end.x, move.end.y, x, y);
  const double r = ArcRadius(move);
  const double a0 = std::atan2(move.start.y - move.centreY, move.start.x - move.centreX);
  const double a = std::atan2(y - move.centreY, x - move.centreX);
  if (AngleOnArc(a, a0, ArcSweep(move))) {
    return std::abs(std::hypot(x - move.centreX, y - move.centreY) - r);
  }
  return std::min(std::hypot(x - move.start.x, y - move.start.y),
                  std::hypot(x - move.end.x, y - move.end.y));
}

}  // namespace talvo::plot
