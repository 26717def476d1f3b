// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <cstddef>
#include <utility>

#include "loaded_plot.h"
#include "plot_viewport.h"

class QPainter;

namespace talvo::plot {

/// Draws a program's moves: cuts solid, rapids dashed, arcs as arcs, the origin, the pierce
/// points and arrows along the cuts. Only moves in view are looked at, and each costs at most
/// the pixels it covers; a crowded view is written straight into the pixels on both cores, so
/// a million-line program draws in a fraction of a second.
/// What the operator chose to see beside the moves, in program units; 0 leaves it out.
struct PlotStyle {
  double sheetX = 0, sheetY = 0;          ///< the sheet's size
  double sheetLeft = 0, sheetBottom = 0;  ///< its lower left corner
  double kerf = 0;                        ///< cuts drawn as a band this wide under their lines
};

class PlotRenderer {
 public:
  static inline const QColor kBackground{255, 255, 255};
  static inline const QColor kCut{0, 51, 204};
  static inline const QColor kRapid{208, 0, 0};
  static inline const QColor kPierce{255, 140, 0};
  static inline const QColor kOrigin{0, 160, 0};
  static inline const QColor kHighlight{255, 0, 255};
  static inline const QColor kSheet{150, 150, 150};
  static inline const QColor kKerf{120, 160, 255};

  /// One pierce mark for each spot of this many pixels, drawn under the cuts, so marks never
  /// bury the cuts of a dense sheet.
  static constexpr int kPierceSpot = 12;
  static constexpr double kPierceRadius = 3;

  explicit PlotRenderer(const LoadedPlot& plot, const PlotStyle& style = {}) : plot_(plot), style_(style) {}

  /// The whole picture at `view` into `image` (RGB32, view.size pixels): background, pierce
  /// marks, moves, arrows, origin.
  void Render(QImage& image, const PlotViewport& view) const;

  static inline const QColor kDone{140, 140, 140};
  static inline const QColor kTorch{255, 0, 0};

  /// Moves [first, last) written into `overlay` (ARGB32, view.size, transparent where
  /// nothing is): the part of the job playback has done, drawn over the picture.
  void WriteDone(QImage& overlay, const PlotViewport& view, std::size_t first, std::size_t last) const;

  /// Moves [first, last) drawn over the picture in the highlight colour.
  void PaintHighlight(QPainter& painter, const PlotViewport& view, std::pair<std::size_t, std::size_t> range) const;

 private:
  void PaintPierces(QPainter& painter, const PlotViewport& view) const;
  void PaintSmooth(QPainter& painter, const PlotViewport& view) const;
  void WritePixels(QImage& image, const PlotViewport& view) const;
  void PaintOrigin(QPainter& painter, const PlotViewport& view) const;
  void PaintSheet(QPainter& painter, const PlotViewport& view) const;
  /// The kerf band under the cuts, written straight into the pixels at every zoom.
  void WriteKerf(QImage& image, const PlotViewport& view) const;

  const LoadedPlot& plot_;
  PlotStyle style_;
};

}  // namespace talvo::plot
