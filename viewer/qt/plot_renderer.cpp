// SPDX-License-Identifier: MIT
#include "plot_renderer.h"

#include <QLineF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "arc_geometry.h"
#include "cell_mask.h"
#include "clip_segment.h"
#include "image_pixels.h"
#include "move_pixels.h"
#include "move_tracer.h"
#include "pierce_marks.h"

namespace talvo::plot {

namespace {

constexpr double kArrowMinPixels = 40;      // cuts shorter than this carry no arrow
constexpr std::size_t kMaxArrows = 2000;    // more would only clutter
constexpr std::size_t kBatchLines = 16384;  // strokes handed to the painter at once

// Strokes gathered for the painter, handed over in batches so no view holds them all.
class PainterSink {
 public:
  PainterSink(QPainter& painter, QSize size, bool smooth, const QColor& cut, const QColor& rapid)
      : painter_(painter),
        dots_(size.width(), size.height(), 1),
        smooth_(smooth),
        rapidPen_(rapid, smooth ? 2 : 1, Qt::CustomDashLine),
        cutPen_(cut, smooth ? 2 : 1),
        rapidDotPen_(rapid, 1),
        cutDotPen_(cut, 1) {
    rapidPen_.setDashPattern({4, 3});  // in pen widths
    rapidPen_.setCosmetic(true);
    cutPen_.setCosmetic(true);
  }
  ~PainterSink() { Flush(); }
  PainterSink(const PainterSink&) = delete;
  PainterSink& operator=(const PainterSink&) = delete;

  /// All strokes in one colour, e.g. the highlight.
  void UsePen(const QPen& pen) { rapidPen_ = cutPen_ = rapidDotPen_ = cutDotPen_ = pen; }

  void Dot(bool cut, double x, double y) {
    if (dots_.Claim(x, y)) (cut ? cutDots_ : rapidDots_).emplace_back(x, y);
  }
  void Segment(bool cut, double x0, double y0, double x1, double y1) {
    // Only the part near the picture: the painter would walk a long rapid's dashes all the
    // way, in view or not.
    if (!ClipSegment(x0, y0, x1, y1, -4, width_ + 4, -4, height_ + 4)) return;
    std::vector<QLineF>& lines = cut ? cuts_ : rapids_;
    lines.emplace_back(x0, y0, x1, y1);
    if (lines.size() >= kBatchLines) Flush();
  }
  void SetArea(QSize size) {
    width_ = size.width();
    height_ = size.height();
  }

  void Flush() {
    painter_.setRenderHint(QPainter::Antialiasing, smooth_);
    painter_.setPen(rapidPen_);
    painter_.drawLines(rapids_.data(), static_cast<int>(rapids_.size()));
    painter_.setPen(rapidDotPen_);
    painter_.drawPoints(rapidDots_.data(), static_cast<int>(rapidDots_.size()));
    painter_.setPen(cutPen_);
    painter_.drawLines(cuts_.data(), static_cast<int>(cuts_.size()));
    painter_.setPen(cutDotPen_);
    painter_.drawPoints(cutDots_.data(), static_cast<int>(cutDots_.size()));
    rapids_.clear();
    cuts_.clear();
    rapidDots_.clear();
    cutDots_.clear();
  }

 private:
  QPainter& painter_;
  CellMask dots_;
  bool smooth_;
  double width_ = 0, height_ = 0;
  QPen rapidPen_, cutPen_, rapidDotPen_, cutDotPen_;
  std::vector<QLineF> cuts_, rapids_;
  std::vector<QPointF> cutDots_, rapidDots_;
};

// Two short strokes at the middle of a cut, pointing the way the torch travels.
void AddArrow(const PlotMove& m, const PlotViewport& view, std::vector<QLineF>& lines) {
  double x = 0, y = 0;
  MovePointAt(m, 0.5, x, y);
  double dx = m.end.x - m.start.x, dy = m.end.y - m.start.y;
  if (m.IsArc()) {
    const double sign = m.kind == MoveKind::ArcCcw ? 1 : -1;
    dx = -(y - m.centreY) * sign;
    dy = (x - m.centreX) * sign;
  }
  const double length = std::hypot(dx, dy);
  if (length == 0) return;
  const QPointF tip = view.ToScreen(x, y);
  const double angle = std::atan2(-dy, dx);  // screen Y points down
  for (const double side : {0.45, -0.45}) {
    const double back = angle + std::numbers::pi + side;
    lines.emplace_back(tip, tip + QPointF(8 * std::cos(back), 8 * std::sin(back)));
  }
}

}  // namespace

void PlotRenderer::Render(QImage& image, const PlotViewport& view) const {
  const PixelBuffer pixels = PixelsOf(image);
  const ViewMapping mapping = view.Mapping();
  const auto underneath = [&] {
    image.fill(kBackground);
    {
      QPainter painter(&image);
      PaintSheet(painter, view);
      PaintPierces(painter, view);
    }
    WriteKerfBand(pixels, plot_, mapping, style_.kerf * view.scale);
  };
  if (!CrowdedView(plot_, mapping)) {
    underneath();
    QPainter painter(&image);
    PaintSmooth(painter, view);
    PaintOrigin(painter, view);
    return;
  }
  WriteMovePixels(pixels, plot_, mapping, underneath);
  QPainter painter(&image);
  PaintOrigin(painter, view);
}

void PlotRenderer::PaintSheet(QPainter& painter, const PlotViewport& view) const {
  if (!(style_.sheetX > 0 && style_.sheetY > 0)) return;
  painter.save();
  painter.setPen(QPen(kSheet, 1, Qt::DashLine));
  painter.setBrush(Qt::NoBrush);
  // Through the painter's own clipping only when near the view: a sheet seen from very close
  // would give it numbers past what it draws well.
  const QRectF sheet(view.ToScreen(style_.sheetLeft, style_.sheetBottom + style_.sheetY),
                     view.ToScreen(style_.sheetLeft + style_.sheetX, style_.sheetBottom));
  const QRectF around(-10, -10, view.size.width() + 20, view.size.height() + 20);
  const QRectF drawn = sheet.intersected(around);
  if (!drawn.isEmpty()) {
    if (sheet.left() >= around.left()) painter.drawLine(drawn.topLeft(), drawn.bottomLeft());
    if (sheet.right() <= around.right()) painter.drawLine(drawn.topRight(), drawn.bottomRight());
    if (sheet.top() >= around.top()) painter.drawLine(drawn.topLeft(), drawn.topRight());
    if (sheet.bottom() <= around.bottom()) painter.drawLine(drawn.bottomLeft(), drawn.bottomRight());
  }
  painter.restore();
}

void PlotRenderer::PaintPierces(QPainter& painter, const PlotViewport& view) const {
  const std::vector<ScreenPoint> marks = PierceMarks(plot_.program, view.Mapping());
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kPierce);
  for (const ScreenPoint& p : marks) painter.drawEllipse(QPointF(p.x, p.y), kPierceRadiusPixels, kPierceRadiusPixels);
  painter.restore();
}

void PlotRenderer::PaintSmooth(QPainter& painter, const PlotViewport& view) const {
  const MoveList& moves = plot_.program.moves;
  const ViewMapping mapping = view.Mapping();
  const ScreenMap map(mapping);
  TracedShapes traced;
  std::vector<std::uint32_t> arrowed;
  {
    PainterSink sink(painter, view.size, true, kCut, kRapid);
    sink.SetArea(view.size);
    plot_.Index().ForEachIn(moves, view.Visible(), [&](std::uint32_t i) {
      TraceMove(moves, i, mapping, map, traced, sink);
      if (moves.IsCut(i) && arrowed.size() < kMaxArrows) {
        const PlotExtents box = BoxOfMove(moves, i);
        if (std::max(box.maxX - box.minX, box.maxY - box.minY) * view.scale >= kArrowMinPixels) arrowed.push_back(i);
      }
    });
  }
  std::vector<QLineF> arrows;
  for (const std::uint32_t i : arrowed) AddArrow(moves[i], view, arrows);
  QPen pen(kCut, 2);
  pen.setCosmetic(true);
  painter.setPen(pen);
  painter.drawLines(arrows.data(), static_cast<int>(arrows.size()));
}

void PlotRenderer::WriteDone(QImage& overlay, const PlotViewport& view, std::size_t first, std::size_t last) const {
  WriteDoneMoves(PixelsOf(overlay), plot_, view.Mapping(), first, last);
}

void PlotRenderer::PaintOrigin(QPainter& painter, const PlotViewport& view) const {
  // A cross in a circle.
  const QPointF o = view.ToScreen(0, 0);
  if (!QRectF(-12, -12, view.size.width() + 24, view.size.height() + 24).contains(o)) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(kOrigin, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(o, 5, 5);
  painter.drawLine(o - QPointF(10, 0), o + QPointF(10, 0));
  painter.drawLine(o - QPointF(0, 10), o + QPointF(0, 10));
  painter.restore();
}

void PlotRenderer::PaintHighlight(QPainter& painter, const PlotViewport& view,
                                  std::pair<std::size_t, std::size_t> range) const {
  const MoveList& moves = plot_.program.moves;
  if (range.first >= range.second) return;
  painter.save();
  const ViewMapping mapping = view.Mapping();
  const ScreenMap map(mapping);
  TracedShapes traced;
  {
    PainterSink sink(painter, view.size, true, kHighlight, kHighlight);
    sink.SetArea(view.size);
    QPen pen(kHighlight, 4);
    pen.setCapStyle(Qt::RoundCap);
    sink.UsePen(pen);
    for (std::size_t i = range.first; i < range.second && i < moves.size(); ++i) {
      TraceMove(moves, i, mapping, map, traced, sink);
    }
  }
  painter.restore();
}

}  // namespace talvo::plot
