// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>
#include <QSize>

#include "plot_extents.h"

namespace talvo::plot {

/// Free pixels around a fitted program, so the marks at its edges stay whole.
inline constexpr int kPlotFitMargin = 16;

/// Where the program lies on a picture: how many pixels one program unit takes and which
/// program point sits at the picture's centre. Y grows upward in the program, downward on screen.
struct PlotViewport {
  QSize size;
  double scale = 1;
  double centreX = 0;
  double centreY = 0;

  QPointF ToScreen(double x, double y) const {
    return {size.width() / 2.0 + (x - centreX) * scale, size.height() / 2.0 - (y - centreY) * scale};
  }
  double ProgramX(double sx) const { return centreX + (sx - size.width() / 2.0) / scale; }
  double ProgramY(double sy) const { return centreY - (sy - size.height() / 2.0) / scale; }

  /// The program area the picture shows.
  PlotExtents Visible() const;

  /// The same view after zooming by `factor` about the screen point `anchor`, which keeps
  /// the program point under it; the scale stays within what doubles draw cleanly.
  PlotViewport ZoomedAbout(QPointF anchor, double factor) const;

  /// The view that shows `extents` whole with `margin` pixels free around it.
  static PlotViewport Fit(const PlotExtents& extents, QSize size, int margin);

  bool operator==(const PlotViewport&) const = default;
};

}  // namespace talvo::plot
