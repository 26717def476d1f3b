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

namespace talvo::plot {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kArcStepPixels = 3;            // chord length when an arc becomes lines
constexpr double kArrowMinPixels = 40;          // cuts shorter than this carry no arrow
constexpr std::size_t kMaxArrows = 2000;        // more would only clutter
constexpr std::size_t kAntialiasBelow = 20000;  // moves in view; above, speed wins

// Marks pixels that already hold a dot, so a crowd of tiny moves costs one dot a pixel.
class PixelMask {
 public:
  PixelMask(QSize size, int cell)
      : w_(size.width() / cell + 1), h_(size.height() / cell + 1), cell_(cell), bits_(std::size_t(w_) * h_) {}
  bool Claim(QPointF p) {
    const int x = static_cast<int>(p.x()) / cell_, y = static_cast<int>(p.y()) / cell_;
    if (p.x() < 0 || p.y() < 0 || x >= w_ || y >= h_) return false;
    const std::size_t k = std::size_t(y) * w_ + x;
    if (bits_[k]) return false;
    bits_[k] = 1;
    return true;
  }

 private:
  int w_, h_, cell_;
  std::vector<unsigned char> bits_;
};

// The angles [from, to] (counter-clockwise, radians) of the arc's part worth drawing. A huge
// arc seen from close by is cut to the wedge of the view as seen from its centre, so its
// drawing costs what the screen shows, not what the whole circle would.
std::vector<std::pair<double, double>> DrawnSpans(const PlotMove& m, const PlotViewport& view) {
  const double sweep = ArcSweep(m);
  const double a0 = std::atan2(m.start.y - m.centreY, m.start.x - m.centreX);
  const double lo = sweep >= 0 ? a0 : a0 + sweep;
  const double hi = lo + std::abs(sweep);
  const double r = ArcRadius(m);
  if (r * view.scale * std::abs(sweep) < 4000) return {{lo, hi}};

  const PlotExtents v = view.Visible();
  const double corners[4][2] = {{v.minX, v.minY}, {v.maxX, v.minY}, {v.maxX, v.maxY}, {v.minX, v.maxY}};
  double far = 0;
  for (const auto& c : corners) far = std::max(far, std::hypot(c[0] - m.centreX, c[1] - m.centreY));
  const bool centreInView = m.centreX >= v.minX && m.centreX <= v.maxX && m.centreY >= v.minY && m.centreY <= v.maxY;
  if (centreInView) {
    if (far < r) return {};  // the circle passes round the whole view
    return {{lo, hi}};       // then r is within the view's diagonal: few chords
  }
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

struct Batches {
  std::vector<QLineF> cuts, rapids;
  std::vector<QPointF> cutDots, rapidDots;
};

void AddMove(const PlotMove& m, const PlotViewport& view, Batches& out, PixelMask& dots, const QRectF& screen) {
  const bool cut = m.IsCut();
  std::vector<QLineF>& lines = cut ? out.cuts : out.rapids;
  const QPointF a = view.ToScreen(m.start.x, m.start.y);
  if (!m.IsArc()) {
    const QPointF b = view.ToScreen(m.end.x, m.end.y);
    if (std::abs(a.x() - b.x()) < 1 && std::abs(a.y() - b.y()) < 1) {
      if (dots.Claim(a)) (cut ? out.cutDots : out.rapidDots).push_back(a);
      return;
    }
    lines.emplace_back(a, b);
    return;
  }
  const double r = ArcRadius(m);
  const double rPixels = r * view.scale;
  if (rPixels < 0.75) {
    if (dots.Claim(a)) (cut ? out.cutDots : out.rapidDots).push_back(a);
    return;
  }
  for (const auto& [from, to] : DrawnSpans(m, view)) {
    const int steps = std::clamp(static_cast<int>(std::ceil((to - from) * rPixels / kArcStepPixels)), 2, 20000);
    const double step = (to - from) / steps;
    QPointF previous = view.ToScreen(m.centreX + r * std::cos(from), m.centreY + r * std::sin(from));
    for (int i = 1; i <= steps; ++i) {
      const double angle = from + i * step;
      const QPointF next = view.ToScreen(m.centreX + r * std::cos(angle), m.centreY + r * std::sin(angle));
      if (screen.contains(previous) || screen.contains(next) ||
          QRectF(previous, next).normalized().intersects(screen)) {
        lines.emplace_back(previous, next);
      }
      previous = next;
    }
  }
}

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

void PlotRenderer::Paint(QPainter& painter, const PlotViewport& view) const {
  painter.save();
  painter.fillRect(QRect(QPoint(0, 0), view.size), kBackground);
  const QRectF screen(-2, -2, view.size.width() + 4, view.size.height() + 4);
  const PlotExtents visible = view.Visible();
  const auto& moves = plot_.program.moves;

  Batches batches;
  PixelMask dots(view.size, 1);
  std::vector<std::uint32_t> arrowed;
  std::vector<QPointF> pierces;
  PixelMask pierceMask(view.size, 4);  // one mark for each spot of a few pixels, however many lie there
  plot_.index.ForEachIn(visible, [&](std::uint32_t i) {
    const PlotMove& m = moves[i];
    AddMove(m, view, batches, dots, screen);
    if (m.pierce) {
      const QPointF p = view.ToScreen(m.start.x, m.start.y);
      if (pierceMask.Claim(p)) pierces.push_back(p);
    }
    if (m.IsCut() && arrowed.size() < kMaxArrows) {
      const auto& box = plot_.index.BoxOf(i);
      if (std::max(box.maxX - box.minX, box.maxY - box.minY) * view.scale >= kArrowMinPixels) arrowed.push_back(i);
    }
  });
  for (const std::uint32_t i : arrowed) AddArrow(moves[i], view, batches.cuts);

  const bool smooth = batches.cuts.size() + batches.rapids.size() < kAntialiasBelow;
  painter.setRenderHint(QPainter::Antialiasing, smooth);
  QPen rapidPen(kRapid, smooth ? 2 : 1, Qt::CustomDashLine);
  rapidPen.setDashPattern({4, 3});  // in pen widths
  rapidPen.setCosmetic(true);
  painter.setPen(rapidPen);
  painter.drawLines(batches.rapids.data(), static_cast<int>(batches.rapids.size()));
  painter.setPen(QPen(kRapid, 1));
  painter.drawPoints(batches.rapidDots.data(), static_cast<int>(batches.rapidDots.size()));
  QPen cutPen(kCut, smooth ? 2 : 1);
  cutPen.setCosmetic(true);
  painter.setPen(cutPen);
  painter.drawLines(batches.cuts.data(), static_cast<int>(batches.cuts.size()));
  painter.setPen(QPen(kCut, 1));
  painter.drawPoints(batches.cutDots.data(), static_cast<int>(batches.cutDots.size()));

  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(kPierce);
  for (const QPointF& p : pierces) painter.drawEllipse(p, 3.5, 3.5);

  // The origin: a cross in a circle.
  const QPointF o = view.ToScreen(0, 0);
  if (screen.adjusted(-10, -10, 10, 10).contains(o)) {
    painter.setPen(QPen(kOrigin, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(o, 5, 5);
    painter.drawLine(o - QPointF(10, 0), o + QPointF(10, 0));
    painter.drawLine(o - QPointF(0, 10), o + QPointF(0, 10));
  }
  painter.restore();
}

void PlotRenderer::PaintHighlight(QPainter& painter, const PlotViewport& view,
                                  std::pair<std::size_t, std::size_t> range) const {
  if (range.first >= range.second) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QRectF screen(-2, -2, view.size.width() + 4, view.size.height() + 4);
  Batches batches;
  PixelMask dots(view.size, 1);
  for (std::size_t i = range.first; i < range.second && i < plot_.program.moves.size(); ++i) {
    AddMove(plot_.program.moves[i], view, batches, dots, screen);
  }
  QPen pen(kHighlight, 4);
  pen.setCapStyle(Qt::RoundCap);
  painter.setPen(pen);
  painter.drawLines(batches.cuts.data(), static_cast<int>(batches.cuts.size()));
  painter.drawLines(batches.rapids.data(), static_cast<int>(batches.rapids.size()));
  painter.drawPoints(batches.cutDots.data(), static_cast<int>(batches.cutDots.size()));
  painter.drawPoints(batches.rapidDots.data(), static_cast<int>(batches.rapidDots.size()));
  painter.restore();
}

}  // namespace talvo::plot
