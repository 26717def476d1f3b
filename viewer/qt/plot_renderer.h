// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <cstddef>
#include <utility>

#include "loaded_plot.h"
#include "plot_palette.h"
#include "plot_viewport.h"

class QPainter;

namespace talvo::plot {

/// What the operator chose to see beside the moves, in program units; 0 leaves it out.
struct PlotStyle {
  double sheetX = 0, sheetY = 0;          ///< the sheet's size
  double sheetLeft = 0, sheetBottom = 0;  ///< its lower left corner
  double kerf = 0;                        ///< cuts drawn as a band this wide under their lines
};

/// Draws a program's moves: cuts solid, rapids dashed, arcs as arcs, the origin, the pierce
/// points and arrows along the cuts. The pixels of a crowded view, the kerf band and the done
/// moves come from the toolkit-free drawing (move_pixels.h); the painter adds what needs
/// smoothing: an uncrowded view's strokes, marks, arrows, the sheet and the origin.
class PlotRenderer {
 public:
  static inline const QColor kBackground{palette::kBackground};
  static inline const QColor kCut{palette::kCut};
  static inline const QColor kRapid{palette::kRapid};
  static inline const QColor kPierce{palette::kPierce};
  static inline const QColor kOrigin{palette::kOrigin};
  static inline const QColor kHighlight{palette::kHighlight};
  static inline const QColor kSheet{palette::kSheet};
  static inline const QColor kKerf{palette::kKerf};

  explicit PlotRenderer(const LoadedPlot& plot, const PlotStyle& style = {}) : plot_(plot), style_(style) {}

  /// The whole picture at `view` into `image` (RGB32, view.size pixels): background, pierce
  /// marks, moves, arrows, origin.
  void Render(QImage& image, const PlotViewport& view) const;

  static inline const QColor kDone{palette::kDone};
  static inline const QColor kTorch{palette::kTorch};

  /// Moves [first, last) written into `overlay` (ARGB32, view.size, transparent where
  /// nothing is): the part of the job playback has done, drawn over the picture.
  void WriteDone(QImage& overlay, const PlotViewport& view, std::size_t first, std::size_t last) const;

  /// Moves [first, last) drawn over the picture in the highlight colour.
  void PaintHighlight(QPainter& painter, const PlotViewport& view, std::pair<std::size_t, std::size_t> range) const;

 private:
  void PaintPierces(QPainter& painter, const PlotViewport& view) const;
  void PaintSmooth(QPainter& painter, const PlotViewport& view) const;
  void PaintOrigin(QPainter& painter, const PlotViewport& view) const;
  void PaintSheet(QPainter& painter, const PlotViewport& view) const;

  const LoadedPlot& plot_;
  PlotStyle style_;
};

}  // namespace talvo::plot
