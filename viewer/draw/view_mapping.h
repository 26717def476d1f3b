// SPDX-License-Identifier: MIT
#pragma once

#include "plot_extents.h"

namespace talvo::plot {

/// Free pixels around a fitted program, so the marks at its edges stay whole.
inline constexpr int kPlotFitMargin = 16;

class ScreenMap;

/// Where the program lies on a picture of width × height pixels: how many pixels one program
/// unit takes and which program point sits at the picture's centre. Y grows upward in the
/// program, downward on screen.
struct ViewMapping {
  int width = 0;
  int height = 0;
  double scale = 1;
  double centreX = 0;
  double centreY = 0;

  inline double ScreenX(double x) const;
  inline double ScreenY(double y) const;
  double ProgramX(double sx) const { return centreX + (sx - width / 2.0) / scale; }
  double ProgramY(double sy) const { return centreY - (sy - height / 2.0) / scale; }

  /// The program area the picture shows.
  PlotExtents Visible() const;

  /// The same view after zooming by `factor` about the screen point (anchorX, anchorY), which
  /// keeps the program point under it; the scale stays within what doubles draw cleanly.
  ViewMapping ZoomedAbout(double anchorX, double anchorY, double factor) const;

  /// The view that shows `extents` whole with `margin` pixels free around it.
  static ViewMapping Fit(const PlotExtents& extents, int width, int height, int margin);

  bool operator==(const ViewMapping&) const = default;
};

/// The screen position of program points, with the offsets worked out once for a view: the
/// tracer maps millions of points with it, and everything else through ViewMapping maps the
/// same way, so a mark and a stroke at one point land on the same pixel.
class ScreenMap {
 public:
  explicit ScreenMap(const ViewMapping& v)
      : ox(v.width / 2.0 - v.centreX * v.scale), oy(v.height / 2.0 + v.centreY * v.scale), s(v.scale) {}
  double X(double x) const { return ox + x * s; }
  double Y(double y) const { return oy - y * s; }
  double ox, oy, s;
};

double ViewMapping::ScreenX(double x) const { return ScreenMap(*this).X(x); }
double ViewMapping::ScreenY(double y) const { return ScreenMap(*this).Y(y); }

}  // namespace talvo::plot
