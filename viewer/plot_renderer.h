// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <cstddef>
#include <utility>

#include "loaded_plot.h"
#include "plot_viewport.h"

class QPainter;

namespace talvo::plot {

/// Draws a program's moves: cuts solid, rapids dashed, arcs as arcs, the origin, the pierce
/// points and arrows along the cuts. Moves that shrink below a pixel become one pixel, and
/// only moves in view are looked at, so a million-line program still draws quickly.
class PlotRenderer {
 public:
  static inline const QColor kBackground{255, 255, 255};
  static inline const QColor kCut{0, 51, 204};
  static inline const QColor kRapid{208, 0, 0};
  static inline const QColor kPierce{255, 140, 0};
  static inline const QColor kOrigin{0, 160, 0};
  static inline const QColor kHighlight{255, 0, 255};

  explicit PlotRenderer(const LoadedPlot& plot) : plot_(plot) {}

  /// The whole picture: background, moves, marks.
  void Paint(QPainter& painter, const PlotViewport& view) const;

  /// Moves [first, last) drawn over the picture in the highlight colour.
  void PaintHighlight(QPainter& painter, const PlotViewport& view, std::pair<std::size_t, std::size_t> range) const;

 private:
  const LoadedPlot& plot_;
};

}  // namespace talvo::plot
