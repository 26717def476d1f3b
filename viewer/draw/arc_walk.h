// SPDX-License-Identifier: MIT
// Arcs written pixel by pixel instead of as chords: the circle is cut into its eight octants,
// in each of which it runs steadily one way, so it is walked one row (near the X axis) or one
// column (near the Y axis) at a time, with one square root a step. Which octants an arc
// crosses follows from sign tests on its start and end vectors, with no angle taken, and each
// octant's walk is cut to the rows or columns in view, so a huge arc costs what the view shows.
#pragma once

#include <algorithm>
#include <cmath>

namespace talvo::plot {

/// An arc on screen, in pixels: its centre, radius, and start and end as vectors from the
/// centre with Y up (as in the program), turning counter-clockwise from start to end. The end
/// only gives a direction; `whole` arcs are full circles.
struct ScreenArc {
  double cx = 0, cy = 0, r = 0;
  double sx = 0, sy = 0, ex = 0, ey = 0;
  bool whole = false;
};

/// The octant k of a vector (Y up) holds the angles [k·45°, (k+1)·45°).
inline int OctantOf(double x, double y) {
  if (y > 0 || (y == 0 && x > 0)) {
    if (x > 0) return y < x ? 0 : 1;
    return y > -x ? 2 : 3;
  }
  return 4 + OctantOf(-x, -y);
}

namespace arc_walk {

inline constexpr double kHalfRoot2 = 0.70710678118654752440;
// Where each octant starts, as unit vectors.
inline constexpr double kStartX[8] = {1, kHalfRoot2, 0, -kHalfRoot2, -1, -kHalfRoot2, 0, kHalfRoot2};
inline constexpr double kStartY[8] = {0, kHalfRoot2, 1, kHalfRoot2, 0, -kHalfRoot2, -1, -kHalfRoot2};

// The steps [from, to] of the pixels between screen coordinates a and b, cut to [low, high).
inline bool StepRange(double a, double b, int low, int high, double& lo, double& hi, int& from, int& to) {
  lo = std::min(a, b);
  hi = std::max(a, b);
  if (!(hi >= low && lo < high)) return false;
  from = static_cast<int>(std::max(std::floor(lo), static_cast<double>(low)));
  to = static_cast<int>(std::min(std::floor(hi), static_cast<double>(high - 1)));
  return true;
}

// The part of octant k between the vectors (px, py) and (qx, qy), both of length r. Each row
// (or column) gets the pixel where the circle crosses its middle, the ends where the part ends.
template <typename Put, typename Done>
void WalkOctant(const ScreenArc& a, int k, double px, double py, double qx, double qy, int width, int top, int bottom,
                Put& put, Done& done) {
  // Within an octant the circle runs one way in X and in Y, so its ends bound it.
  if (done(a.cx + std::min(px, qx), a.cy - std::max(py, qy), a.cx + std::max(px, qx), a.cy - std::min(py, qy))) return;
  const double r2 = a.r * a.r;
  double lo = 0, hi = 0;
  int from = 0, to = 0;
  if (k == 0 || k == 3 || k == 4 || k == 7) {
    // Near the X axis: one pixel a row, the column from the circle.
    const double left = a.cx + std::min(px, qx), right = a.cx + std::max(px, qx);
    if (!(right >= 0 && left < width)) return;
    if (!StepRange(a.cy - py, a.cy - qy, top, bottom, lo, hi, from, to)) return;
    const double side = k == 0 || k == 7 ? 1 : -1;
    for (int y = from; y <= to; ++y) {
      const double dy = std::clamp(y + 0.5, lo, hi) - a.cy;
      const double x = a.cx + side * std::sqrt(std::max(r2 - dy * dy, 0.0));
      if (x >= 0 && x < width) put(static_cast<int>(x), y);
    }
    return;
  }
  // Near the Y axis: one pixel a column, the row from the circle (screen Y grows downward).
  const double upper = a.cy - std::max(py, qy), lower = a.cy - std::min(py, qy);
  if (!(lower >= top && upper < bottom)) return;
  if (!StepRange(a.cx + px, a.cx + qx, 0, width, lo, hi, from, to)) return;
  const double side = k == 1 || k == 2 ? -1 : 1;
  for (int x = from; x <= to; ++x) {
    const double dx = std::clamp(x + 0.5, lo, hi) - a.cx;
    const double y = a.cy + side * std::sqrt(std::max(r2 - dx * dx, 0.0));
    if (y >= top && y < bottom) put(x, static_cast<int>(y));
  }
}

}  // namespace arc_walk

/// Calls put(x, y) for the pixels of the arc within columns [0, width) and rows [top, bottom):
/// an unbroken line, one pixel a row or a column as the circle runs there. Parts of the arc
/// whose screen box (left, top, right, bottom) `done` finds already drawn are left out.
template <typename Put, typename Done>
void WalkArc(const ScreenArc& a, int width, int top, int bottom, Put&& put, Done&& done) {
  using arc_walk::kStartX, arc_walk::kStartY;
  const auto part = [&](int k, double px, double py, double qx, double qy) {
    arc_walk::WalkOctant(a, k, px, py, qx, qy, width, top, bottom, put, done);
  };
  const auto whole = [&](int k) {
    part(k, a.r * kStartX[k], a.r * kStartY[k], a.r * kStartX[(k + 1) & 7], a.r * kStartY[(k + 1) & 7]);
  };
  if (a.whole) {
    for (int k = 0; k < 8; ++k) whole(k);
    return;
  }
  const double toRadius = a.r / std::sqrt(a.ex * a.ex + a.ey * a.ey);  // no overflow on screen
  const double ex = a.ex * toRadius, ey = a.ey * toRadius;
  const int first = OctantOf(a.sx, a.sy), last = OctantOf(ex, ey);
  if (first == last && a.sx * ey - a.sy * ex > 0) {  // within one octant
    part(first, a.sx, a.sy, ex, ey);
    return;
  }
  part(first, a.sx, a.sy, a.r * kStartX[(first + 1) & 7], a.r * kStartY[(first + 1) & 7]);
  for (int k = (first + 1) & 7; k != last; k = (k + 1) & 7) whole(k);
  part(last, a.r * kStartX[last], a.r * kStartY[last], ex, ey);
}

template <typename Put>
void WalkArc(const ScreenArc& a, int width, int top, int bottom, Put&& put) {
  WalkArc(a, width, top, bottom, put, [](double, double, double, double) { return false; });
}

}  // namespace talvo::plot
