// SPDX-License-Identifier: MIT
#include "view_mapping.h"

#include <algorithm>
#include <cmath>

namespace talvo::plot {

namespace {

// Past these, one pixel spans less than the last digits a program writes, or the whole
// machine table shrinks below a pixel.
constexpr double kMinScale = 1e-6;
constexpr double kMaxScale = 1e5;

}  // namespace

PlotExtents ViewMapping::Visible() const {
  PlotExtents box;
  box.Add(ProgramX(0), ProgramY(0));
  box.Add(ProgramX(width), ProgramY(height));
  return box;
}

ViewMapping ViewMapping::ZoomedAbout(double anchorX, double anchorY, double factor) const {
  ViewMapping next = *this;
  next.scale = std::clamp(scale * factor, kMinScale, kMaxScale);
  const double x = ProgramX(anchorX);
  const double y = ProgramY(anchorY);
  next.centreX = x - (anchorX - width / 2.0) / next.scale;
  next.centreY = y + (anchorY - height / 2.0) / next.scale;
  return next;
}

ViewMapping ViewMapping::Fit(const PlotExtents& extents, int width, int height, int margin) {
  ViewMapping view;
  view.width = width;
  view.height = height;
  if (extents.Empty()) return view;
  const double w = extents.maxX - extents.minX;
  const double h = extents.maxY - extents.minY;
  const double roomX = std::max(1, width - 2 * margin);
  const double roomY = std::max(1, height - 2 * margin);
  double scale = std::min(w > 0 ? roomX / w : kMaxScale, h > 0 ? roomY / h : kMaxScale);
  if (!std::isfinite(scale)) scale = 1;
  view.scale = std::clamp(scale, kMinScale, std::min(kMaxScale, 1000.0));
  view.centreX = (extents.minX + extents.maxX) / 2;
  view.centreY = (extents.minY + extents.maxY) / 2;
  return view;
}

}  // namespace talvo::plot
