// SPDX-License-Identifier: MIT
#include "plot_viewport.h"

#include <algorithm>
#include <cmath>

namespace talvo::plot {

namespace {

// Past these, one pixel spans less than the last digits a program writes, or the whole
// machine table shrinks below a pixel.
constexpr double kMinScale = 1e-6;
constexpr double kMaxScale = 1e5;

}  // namespace

PlotExtents PlotViewport::Visible() const {
  PlotExtents box;
  box.Add(ProgramX(0), ProgramY(0));
  box.Add(ProgramX(size.width()), ProgramY(size.height()));
  return box;
}

PlotViewport PlotViewport::ZoomedAbout(QPointF anchor, double factor) const {
  PlotViewport next = *this;
  next.scale = std::clamp(scale * factor, kMinScale, kMaxScale);
  const double x = ProgramX(anchor.x());
  const double y = ProgramY(anchor.y());
  next.centreX = x - (anchor.x() - size.width() / 2.0) / next.scale;
  next.centreY = y + (anchor.y() - size.height() / 2.0) / next.scale;
  return next;
}

PlotViewport PlotViewport::Fit(const PlotExtents& extents, QSize size, int margin) {
  PlotViewport view;
  view.size = size;
  if (extents.Empty()) return view;
  const double w = extents.maxX - extents.minX;
  const double h = extents.maxY - extents.minY;
  const double roomX = std::max(1, size.width() - 2 * margin);
  const double roomY = std::max(1, size.height() - 2 * margin);
  double scale = std::min(w > 0 ? roomX / w : kMaxScale, h > 0 ? roomY / h : kMaxScale);
  if (!std::isfinite(scale)) scale = 1;
  view.scale = std::clamp(scale, kMinScale, std::min(kMaxScale, 1000.0));
  view.centreX = (extents.minX + extents.maxX) / 2;
  view.centreY = (extents.minY + extents.maxY) / 2;
  return view;
}

}  // namespace talvo::plot
