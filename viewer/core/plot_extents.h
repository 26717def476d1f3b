// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <limits>

namespace talvo::plot {

/// The smallest XY box that holds everything added to it; empty until the first point.
struct PlotExtents {
  double minX = std::numeric_limits<double>::infinity();
  double minY = std::numeric_limits<double>::infinity();
  double maxX = -std::numeric_limits<double>::infinity();
  double maxY = -std::numeric_limits<double>::infinity();

  bool Empty() const { return minX > maxX; }
  void Add(double x, double y) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  void Add(const PlotExtents& other) {
    if (other.Empty()) return;
    Add(other.minX, other.minY);
    Add(other.maxX, other.maxY);
  }
};

}  // namespace talvo::plot
