// SPDX-License-Identifier: MIT
#include "plot_renderer.h"

#include <QLineF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <thread>
#include <vector>

#include "arc_geometry.h"
#include "move_tracer.h"
#include "pixel_sink.h"

namespace talvo::plot {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kArrowMinPixels = 40;      // cuts shorter than this carry no arrow
constexpr std::size_t kMaxArrows = 2000;    // more would only clutter
constexpr std::size_t kSmoothBelow = 3000;  // moves in view drawn smoothly; above, pixels direct
constexpr std::size_t kBatchLines = 16384;  // strokes handed to the painter at once

// Marks cells that already hold something, so a crowd of marks or dots costs one a cell.
class CellMask {
 public:
  CellMask(QSize size, int cell)
      : w_(size.width() / cell + 1), h_(size.height() / cell + 1), cell_(cell), bits_(std::size_t(w_) * h_) {}
  bool Claim(double x, double y) {
    if (!(x >= 0 && y >= 0)) return false;
    const int cx = static_cast<int>(x) / cell_, cy = static_cast<int>(y) / cell_;
    if (cx >= w_ || cy >= h_) return false;
    const std::size_t k = std::size_t(cy) * w_ + cx;
    if (bits_[k]) return false;
    bits_[k] = 1;
    return true;
  }

 private:
  int w_, h_, cell_;
  std::vector<unsigned char> bits_;
};

// Strokes gathered for the painter, handed over in batches so no view holds them all.
class PainterSink {
 public:
  PainterSink(QPainter& painter, QSize size, bool smooth, const QColor& cut, const QColor& rapid)
      : painter_(painter),
        dots_(size, 1),
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

std::vector<std::pair<double, double>> DrawnSpans(const PlotMove& m, const PlotViewport& view) {
  const double sweep = ArcSweep(m);
  const double a0 = std::atan2(m.start.y - m.centreY, m.start.x - m.centreX);
  const double lo = sweep >= 0 ? a0 : a0 + sweep;
  const double hi = lo + std::abs(sweep);
  const double r = ArcRadius(m);
  if (r * view.scale * std::abs(sweep) < kWholeArcPixels) return {{lo, hi}};

  const PlotExtents v = view.Visible();
  const double corners[4][2] = {{v.minX, v.minY}, {v.maxX, v.minY}, {v.maxX, v.maxY}, {v.minX, v.maxY}};
  double far = 0, near = std::numeric_limits<double>::infinity();
  for (const auto& c : corners) far = std::max(far, std::hypot(c[0] - m.centreX, c[1] - m.centreY));
  const bool centreInView = m.centreX >= v.minX && m.centreX <= v.maxX && m.centreY >= v.minY && m.centreY <= v.maxY;
  if (centreInView) {
    if (far < r) return {};  // the circle passes round the whole view
    return {{lo, hi}};       // then r is within the view's diagonal: few chords
  }
  // The nearest point of the view to the centre: a circle beyond the farthest corner or
  // inside the nearest point misses the view.
  const double nx = std::clamp(m.centreX, v.minX, v.maxX), ny = std::clamp(m.centreY, v.minY, v.maxY);
  near = std::hypot(nx - m.centreX, ny - m.centreY);
  if (r < near || r > far) return {};
  const double mid = std::atan2((v.minY + v.maxY) / 2 - m.centreY, (v.minX + v.maxX) / 2 - m.centreX);
  double w0 = 0, w1 = 0;
  for (int i = 0; i < 4; ++i) {
    double d = std::atan2(corners[i][1] - m.centreY, corners[i][0] - m.centreX) - mid;
    d = std::remainder(d, kTwoPi);
    w0 = i == 0 ? d : std::min(w0, d);
    w1 = i == 0 ? d : std::max(w1, d);
  }
  w0 += mid;
  w1 += mid;
  std::vector<std::pair<double, double>> spans;
  // Bring the wedge into the arc's turn, and try the turn before and after.
  const double shift = std::floor((w0 - lo) / kTwoPi) * kTwoPi;
  for (int k = -1; k <= 1; ++k) {
    const double a = std::max(lo, w0 - shift + k * kTwoPi);
    const double b = std::min(hi, w1 - shift + k * kTwoPi);
    if (a < b) spans.emplace_back(a, b);
  }
  return spans;
}

void PlotRenderer::Render(QImage& image, const PlotViewport& view) const {
  image.fill(kBackground);
  {
    QPainter painter(&image);
    PaintSheet(painter, view);
    PaintPierces(painter, view);
  }
  WriteKerf(image, view);
  if (plot_.index.CountNear(view.Visible()) < kSmoothBelow) {
    QPainter painter(&image);
    PaintSmooth(painter, view);
    PaintOrigin(painter, view);
    return;
  }
  WritePixels(image, view);
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
  const MoveList& moves = plot_.program.moves;
  const ScreenMap map(view);
  CellMask spots(view.size, kPierceSpot);
  std::vector<QPointF> marks;
  for (const std::uint32_t i : plot_.program.pierces) {
    const double x = map.X(moves.StartX(i)), y = map.Y(moves.StartY(i));
    if (spots.Claim(x, y)) marks.emplace_back(x, y);
  }
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kPierce);
  for (const QPointF& p : marks) painter.drawEllipse(p, kPierceRadius, kPierceRadius);
  painter.restore();
}

void PlotRenderer::PaintSmooth(QPainter& painter, const PlotViewport& view) const {
  const MoveList& moves = plot_.program.moves;
  const ScreenMap map(view);
  TracedShapes traced;
  std::vector<std::uint32_t> arrowed;
  {
    PainterSink sink(painter, view.size, true, kCut, kRapid);
    sink.SetArea(view.size);
    plot_.index.ForEachIn(moves, view.Visible(), [&](std::uint32_t i) {
      TraceMove(moves, i, view, map, traced, sink);
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

namespace {

// The part of the program within `pixels` of the view.
PlotExtents Around(const PlotViewport& view, double pixels) {
  PlotExtents area;
  area.Add(view.ProgramX(-pixels), view.ProgramY(-pixels));
  area.Add(view.ProgramX(view.size.width() + pixels), view.ProgramY(view.size.height() + pixels));
  return area;
}

// Calls write(target, part) for the two halves of a view's moves at once: part 0 into `image`,
// part 1 on a second core into a transparent layer, which is then laid over `image` by the
// pixel sinks' rule (cuts over everything, rapids on free and band pixels only).
template <typename Write>
void OnTwoCores(QImage& image, QRgb cut, QRgb rapid, QRgb background, QRgb kerf, Write&& write) {
  QImage layer(image.size(), QImage::Format_ARGB32);
  layer.fill(Qt::transparent);
  std::thread second([&] { write(layer, std::size_t{1}); });
  write(image, std::size_t{0});
  second.join();
  LayOver(layer, image, cut, rapid, background, kerf);
}

}  // namespace

void PlotRenderer::WriteKerf(QImage& image, const PlotViewport& view) const {
  const double kerf = style_.kerf * view.scale;
  if (!(kerf >= 1)) return;  // thinner than the line itself
  const MoveList& moves = plot_.program.moves;
  const ScreenMap map(view);
  const PlotExtents area = Around(view, kerf / 2 + 1);
  // Under everything drawn after it, on both cores: a band pixel is a band pixel whoever wrote
  // it, so with every colour the band's, each band pixel of the layer lands.
  const QRgb band = kKerf.rgb();
  OnTwoCores(image, band, band, band, band, [&](QImage& target, std::size_t part) {
    KerfSink sink(target, 0, target.height(), kerf, band);
    TracedShapes traced;
    plot_.index.ForEachIn(
        moves, area,
        [&](std::uint32_t i) {
          if (moves.IsCut(i)) TraceMove(moves, i, view, map, traced, sink);
        },
        part, 2);
  });
}

void PlotRenderer::WritePixels(QImage& image, const PlotViewport& view) const {
  const MoveList& moves = plot_.program.moves;
  const ScreenMap map(view);
  // Each core traces half the moves in view. Cuts win over rapids and rapids take only free
  // pixels whichever stroke comes first, so the picture is the one a single pass gives. Halving
  // the moves rather than the rows keeps both cores busy when the moves pile up in a few rows.
  const PlotExtents area = Around(view, 1);
  const QRgb cut = kCut.rgb(), rapid = kRapid.rgb(), background = kBackground.rgb(), band = kKerf.rgb();
  OnTwoCores(image, cut, rapid, background, band, [&](QImage& target, std::size_t part) {
    // The layer's free pixels are the transparent ones.
    PixelSink sink(target, 0, target.height(), cut, rapid, part == 0 ? background : 0, band);
    TracedShapes traced;
    plot_.index.ForEachIn(
        moves, area, [&](std::uint32_t i) { TraceMove(moves, i, view, map, traced, sink); }, part, 2);
  });
}

void PlotRenderer::WriteDone(QImage& overlay, const PlotViewport& view, std::size_t first, std::size_t last) const {
  const MoveList& moves = plot_.program.moves;
  const ScreenMap map(view);
  TracedShapes traced;
  // Transparent pixels are the free ones; done rapids dashed, done cuts solid, in one grey.
  PixelSink sink(overlay, 0, overlay.height(), kDone.rgb(), kDone.rgb(), 0);
  for (std::size_t i = first; i < last && i < moves.size(); ++i) TraceMove(moves, i, view, map, traced, sink);
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
  const ScreenMap map(view);
  TracedShapes traced;
  {
    PainterSink sink(painter, view.size, true, kHighlight, kHighlight);
    sink.SetArea(view.size);
    QPen pen(kHighlight, 4);
    pen.setCapStyle(Qt::RoundCap);
    sink.UsePen(pen);
    for (std::size_t i = range.first; i < range.second && i < moves.size(); ++i) {
      TraceMove(moves, i, view, map, traced, sink);
    }
  }
  painter.restore();
}

}  // namespace talvo::plot
