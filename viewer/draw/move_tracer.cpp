// SPDX-License-Identifier: MIT
#include "move_tracer.h"

#include <limits>
#include <numbers>

namespace talvo::plot {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

}  // namespace

std::vector<std::pair<double, double>> DrawnSpans(const PlotMove& m, const ViewMapping& view) {
  const double sweep = ArcSweep(m);
  const double a0 = std::atan2(m.start.y - m.centreY, m.start.x - m.centreX);
  const double lo = sweep >= 0 ? a0 : a0 + sweep;
  const double hi = lo + std::abs(sweep);
  const double r = ArcRadius(m);
  if (r * view.scale * std::abs(sweep) < kWholeArcPixels) return {{lo, hi}};

  const PlotExtents v = view.Visible();
  const double corners[4][2] = {{v.minX, v.minY}, {v.maxX, v.minY}, {v.maxX, v.maxY}, {v.minX, v.maxY}};
  double far = 0, near = std::numeric_limits<double>::infinity();
  for (const auto& c : corners) far = std::max(far, std::hypot(c[0] - m.centreX, c[1] - m.centreY));
  const bool centreInView = m.centreX >= v.minX && m.centreX <= v.maxX && m.centreY >= v.minY && m.centreY <= v.maxY;
  if (centreInView) {
    if (far < r) return {};  // the circle passes round the whole view
    return {{lo, hi}};       // then r is within the view's diagonal: few chords
  }
  // The nearest point of the view to the centre: a circle beyond the farthest corner or
  // inside the nearest point misses the view.
  const double nx = std::clamp(m.centreX, v.minX, v.maxX), ny = std::clamp(m.centreY, v.minY, v.maxY);
  near = std::hypot(nx - m.centreX, ny - m.centreY);
  if (r < near || r > far) return {};
  const double mid = std::atan2((v.minY + v.maxY) / 2 - m.centreY, (v.minX + v.maxX) / 2 - m.centreX);
  double w0 = 0, w1 = 0;
  for (int i = 0; i < 4; ++i) {
    double d = std::atan2(corners[i][1] - m.centreY, corners[i][0] - m.centreX) - mid;
    d = std::remainder(d, kTwoPi);
    w0 = i == 0 ? d : std::min(w0, d);
    w1 = i == 0 ? d : std::max(w1, d);
  }
  w0 += mid;
  w1 += mid;
  std::vector<std::pair<double, double>> spans;
  // Bring the wedge into the arc's turn, and try the turn before and after.
  const double shift = std::floor((w0 - lo) / kTwoPi) * kTwoPi;
  for (int k = -1; k <= 1; ++k) {
    const double a = std::max(lo, w0 - shift + k * kTwoPi);
    const double b = std::min(hi, w1 - shift + k * kTwoPi);
    if (a < b) spans.emplace_back(a, b);
  }
  return spans;
}

}  // namespace talvo::plot
