// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cmath>

namespace talvo::plot {

/// Liang–Barsky: cuts the segment to the box [minX, maxX] × [minY, maxY], in floating point so
/// that far-off ends never reach integer stepping. False when nothing of it is in the box.
inline bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double minX, double maxX, double minY,
                        double maxY) {
  const double dx = x1 - x0, dy = y1 - y0;
  const auto inside = [&](double x, double y) { return x >= minX && x <= maxX && y >= minY && y <= maxY; };
  if (inside(x0, y0) && inside(x1, y1)) {
    // Nothing to cut, and no division: the far end as the cut below gives it, x0 + 1·dx.
    x1 = std::clamp(x0 + dx, minX, maxX);
    y1 = std::clamp(y0 + dy, minY, maxY);
    return true;
  }
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - minX, maxX - x0, y0 - minY, maxY - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      if (t > t0) t0 = t;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t;
    }
  }
  const double ax = x0 + t0 * dx, ay = y0 + t0 * dy;
  x1 = std::clamp(x0 + t1 * dx, minX, maxX);
  y1 = std::clamp(y0 + t1 * dy, minY, maxY);
  x0 = std::clamp(ax, minX, maxX);
  y0 = std::clamp(ay, minY, maxY);
  return !(std::isnan(x0) || std::isnan(y0) || std::isnan(x1) || std::isnan(y1));
}

}  // namespace talvo::plot
