// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>
#include <QSize>

#include "plot_extents.h"
#include "view_mapping.h"

namespace talvo::plot {

/// The view mapping in Qt's types, for the widget and its painter: where the program lies on a
/// picture of `size` pixels. The numbers are ViewMapping's, so the painter's marks and the
/// pixels written directly land on the same spots.
struct PlotViewport {
  QSize size;
  double scale = 1;
  double centreX = 0;
  double centreY = 0;

  ViewMapping Mapping() const { return {size.width(), size.height(), scale, centreX, centreY}; }
  static PlotViewport Of(const ViewMapping& m) { return {QSize(m.width, m.height), m.scale, m.centreX, m.centreY}; }

  QPointF ToScreen(double x, double y) const {
    const ScreenMap map(Mapping());
    return {map.X(x), map.Y(y)};
  }
  double ProgramX(double sx) const { return Mapping().ProgramX(sx); }
  double ProgramY(double sy) const { return Mapping().ProgramY(sy); }

  /// The program area the picture shows.
  PlotExtents Visible() const { return Mapping().Visible(); }

  /// The same view after zooming by `factor` about the screen point `anchor`, which keeps
  /// the program point under it; the scale stays within what doubles draw cleanly.
  PlotViewport ZoomedAbout(QPointF anchor, double factor) const {
    return Of(Mapping().ZoomedAbout(anchor.x(), anchor.y(), factor));
  }

  /// The view that shows `extents` whole with `margin` pixels free around it.
  static PlotViewport Fit(const PlotExtents& extents, QSize size, int margin) {
    return Of(ViewMapping::Fit(extents, size.width(), size.height(), margin));
  }

  bool operator==(const PlotViewport&) const = default;
};

}  // namespace talvo::plot
