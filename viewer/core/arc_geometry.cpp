// SPDX-License-Identifier: MIT
#include "arc_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

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

// An I J arc may end off its circle within LinuxCNC's allowance; the machine then moves on a
// spiral whose radius changes evenly with the angle turned, from the start's to the end's.
double EndRadius(const PlotMove& move) {
  const double dx = move.end.x - move.centreX, dy = move.end.y - move.centreY;
  return std::sqrt(dx * dx + dy * dy);
}

// A difference below this share of the radius is rounding, not a spiral.
bool IsSpiral(double r0, double r1) { return std::abs(r1 - r0) > 1e-9 * r0; }

// The spiral's radius toward the angle a: the share of the sweep turned to reach a, clamped.
double RadiusToward(const PlotMove& move, double r0, double r1, double a) {
  const double sweep = ArcSweep(move);
  const double a0 = std::atan2(move.start.y - move.centreY, move.start.x - move.centreX);
  double turned = std::fmod(sweep >= 0 ? a - a0 : a0 - a, kTwoPi);
  if (turned < 0) turned += kTwoPi;
  return r0 + (r1 - r0) * std::clamp(turned / std::abs(sweep), 0.0, 1.0);
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
  const double dx = move.start.x - move.centreX, dy = move.start.y - move.centreY;
  return std::sqrt(dx * dx + dy * dy);
}

bool WholeTurn(const PlotMove& move) {
  if (SamePoint(move.start, move.end)) return true;
  const double sx = move.start.x - move.centreX, sy = move.start.y - move.centreY;
  const double ex = move.end.x - move.centreX, ey = move.end.y - move.centreY;
  return sx * ey - sy * ex == 0 && sx * ex + sy * ey > 0;
}

double ArcSweep(const PlotMove& move) {
  const bool ccw = move.kind == MoveKind::ArcCcw;
  if (SamePoint(move.start, move.end)) return ccw ? kTwoPi : -kTwoPi;
  const double sx = move.start.x - move.centreX, sy = move.start.y - move.centreY;
  const double ex = move.end.x - move.centreX, ey = move.end.y - move.centreY;
  double d = std::atan2(sx * ey - sy * ex, sx * ex + sy * ey);  // in (-π, π]
  if (ccw && d <= 0) d += kTwoPi;
  if (!ccw && d >= 0) d -= kTwoPi;
  return d;
}

double MoveLength(const PlotMove& move) {
  const double dz = move.end.z - move.start.z;
  if (!move.IsArc()) {
    const double dx = move.end.x - move.start.x, dy = move.end.y - move.start.y;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
  }
  // A full circle, the commonest arc of a sheet, needs no angle.
  return ArcLength(ArcRadius(move), EndRadius(move), WholeTurn(move) ? kTwoPi : std::abs(ArcSweep(move)), dz);
}

double ArcLength(double r0, double r1, double turn, double dz) {
  // On a spiral the mean radius, and the radial speed's share, which stays under a millionth
  // within the allowance.
  const double mean = (r0 + r1) / 2, radial = (r1 - r0) / turn;
  const double flat = turn * (mean + (mean > 0 ? radial * radial / (2 * mean) : 0));
  return std::sqrt(flat * flat + dz * dz);
}

PlotExtents MoveBox(const PlotMove& move) {
  PlotExtents box;
  box.Add(move.start.x, move.start.y);
  box.Add(move.end.x, move.end.y);
  if (!move.IsArc()) return box;
  const double r = ArcRadius(move), rEnd = EndRadius(move);
  const double cx = move.centreX, cy = move.centreY;
  if (WholeTurn(move)) {  // a whole turn of a spiral reaches its larger radius on every side
    const double reach = std::max(r, rEnd);
    box.Add(cx - reach, cy - reach);
    box.Add(cx + reach, cy + reach);
    return box;
  }
  // Without angles, as this runs for every arc of a large program: an extreme point of the
  // circle lies on the arc when it comes between start and end counter-clockwise.
  double sx = move.start.x - cx, sy = move.start.y - cy;
  double ex = move.end.x - cx, ey = move.end.y - cy;
  if (move.kind == MoveKind::ArcCw) {
    std::swap(sx, ex);
    std::swap(sy, ey);
  }
  const auto cross = [](double ax, double ay, double bx, double by) { return ax * by - ay * bx; };
  const bool shortWay = cross(sx, sy, ex, ey) >= 0;
  const double axes[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  for (const auto& d : axes) {
    const bool on = shortWay ? cross(sx, sy, d[0], d[1]) >= 0 && cross(d[0], d[1], ex, ey) >= 0
                             : !(cross(ex, ey, d[0], d[1]) > 0 && cross(d[0], d[1], sx, sy) > 0);
    if (!on) continue;
    const double reach = IsSpiral(r, rEnd) ? RadiusToward(move, r, rEnd, std::atan2(d[1], d[0])) : r;
    box.Add(cx + reach * d[0], cy + reach * d[1]);
  }
  return box;
}

void MovePointAt(const PlotMove& move, double t, double& x, double& y) {
  if (!move.IsArc()) {
    x = move.start.x + t * (move.end.x - move.start.x);
    y = move.start.y + t * (move.end.y - move.start.y);
    return;
  }
  const double r = ArcRadius(move) + t * (EndRadius(move) - ArcRadius(move));
  const double a = std::atan2(move.start.y - move.centreY, move.start.x - move.centreX) + t * ArcSweep(move);
  x = move.centreX + r * std::cos(a);
  y = move.centreY + r * std::sin(a);
}

double DistanceToMove(const PlotMove& move, double x, double y) {
  if (!move.IsArc()) return SegmentDistance(move.start.x, move.start.y, move.end.x, move.end.y, x, y);
  const double r0 = ArcRadius(move), r1 = EndRadius(move);
  const double a0 = std::atan2(move.start.y - move.centreY, move.start.x - move.centreX);
  const double a = std::atan2(y - move.centreY, x - move.centreX);
  if (AngleOnArc(a, a0, ArcSweep(move))) {
    const double r = IsSpiral(r0, r1) ? RadiusToward(move, r0, r1, a) : r0;
    return std::abs(std::hypot(x - move.centreX, y - move.centreY) - r);
  }
  return std::min(std::hypot(x - move.start.x, y - move.start.y), std::hypot(x - move.end.x, y - move.end.y));
}

}  // namespace talvo::plot
