// SPDX-License-Identifier: MIT
#include "menu_picture_painter.h"

#include <QString>

#include <cmath>

#include "palette.h"
#include "pixel_canvas.h"

namespace talvo::assets {

namespace {

// Widths of the rings round the field: {left and right, top, bottom}.
struct Ring {
  int side;
  int top;
  int bottom;
};
constexpr Ring kMargin{2, 2, 2};
constexpr Ring kFrame{2, 3, 3};
constexpr Ring kBand{4, 4, 5};

constexpr int kTitleFirstBaseline = 16;  // rows below the field's top edge
constexpr int kTitleLineStep = 16;
constexpr int kDotDiameter = 7;
constexpr int kArrowLength = 7;
constexpr int kArrowHalfWidth = 3;

QRect Inset(QRect r, Ring ring) { return r.adjusted(ring.side, ring.top, -ring.side, -ring.bottom); }

void Rings(PixelCanvas& canvas, QSize size) {
  const QRect frame = Inset(QRect(QPoint(0, 0), size), kMargin);
  const QRect band = Inset(frame, kFrame);
  canvas.Fill(frame, kBlack);
  canvas.Fill(band, kRed);
  canvas.Fill(Inset(band, kBand), kYellow);
}

QRect Field(QSize size) { return Inset(Inset(Inset(QRect(QPoint(0, 0), size), kMargin), kFrame), kBand); }

void Title(PixelCanvas& canvas, const MenuPictureLayout& layout, const QFont& font) {
  const QRect field = Field(layout.size);
  int baseline = field.top() + kTitleFirstBaseline;
  for (const char* line : layout.title) {
    canvas.Text(field.left(), field.right(), baseline, QString::fromUtf8(line), font, kBlack);
    baseline += kTitleLineStep;
  }
}

// A quarter ellipse round the circle's centre through the start dot and the head's middle,
// ending in an arrowhead along it.
void ArcArrow(PixelCanvas& canvas, const MenuPictureLayout& layout) {
  const QRect& c = layout.contourBox;
  const double cx = (c.left() + c.right()) / 2.0;
  const double cy = (c.top() + c.bottom()) / 2.0;
  // Radii reaching the outer edge of the pixels passed through, as PixelCanvas::Ellipse counts.
  const double b = layout.startDot.y() - cy + 0.5;
  const QPointF head = layout.arrowEnd;
  const double sinT = (head.y() - cy) / b;
  const double cosT = std::sqrt(1.0 - sinT * sinT);
  const double a = (head.x() - cx) / cosT + 0.5;
  const QPointF along(a * sinT, -b * cosT);
  const QPointF unit = along / std::hypot(along.x(), along.y());
  const QPointF across(-unit.y(), unit.x());
  const QPointF tip = head + unit * (kArrowLength / 2.0);
  const QPointF base = head - unit * (kArrowLength / 2.0);

  const int dotEdge = layout.startDot.x() + kDotDiameter / 2 + 1;
  canvas.Shape(
      QRect(QPoint(dotEdge, static_cast<int>(cy)), QPoint(static_cast<int>(std::floor(base.x())), c.bottom() + 10)),
      InsideEllipse(cx, cy, a, b), kBlack);
  canvas.Triangle(tip, base + across * kArrowHalfWidth, base - across * kArrowHalfWidth, kBlack);
}

void StraightArrow(PixelCanvas& canvas, const MenuPictureLayout& layout) {
  const QPoint dot = layout.startDot;
  canvas.HLine(dot.y(), dot.x() + kDotDiameter / 2 + 1, layout.arrowEnd.x(), kBlack);
  canvas.ArrowHead(layout.arrowEnd, {1, 0}, kArrowLength, kArrowHalfWidth, kBlack);
}

void Sheet(PixelCanvas& canvas, const MenuPictureLayout& layout) {
  canvas.Fill(layout.sheet, kSilver);
  canvas.Frame(layout.sheet, kBlack);
  if (layout.contour == MenuPictureLayout::Contour::kCircle) {
    canvas.Ellipse(layout.contourBox, kBlack);
  } else {
    canvas.Frame(layout.contourBox, kBlack);
  }
  if (layout.arrow == MenuPictureLayout::Arrow::kStraight) {
    StraightArrow(canvas, layout);
  } else {
    ArcArrow(canvas, layout);
  }
  canvas.VLine(layout.startDot.x(), layout.startDot.y(), layout.pierceDot.y(), kBlack);
  canvas.Disc(layout.startDot, kDotDiameter, kRed, kBlack);
  canvas.Disc(layout.pierceDot, kDotDiameter, kYellow, kBlack);
}

}  // namespace

QImage DrawMenuPicture(const MenuPictureLayout& layout, const QFont& titleFont) {
  PixelCanvas canvas(layout.size, kWhite);
  Rings(canvas, layout.size);
  Title(canvas, layout, titleFont);
  Sheet(canvas, layout);
  return canvas.Image();
}

}  // namespace talvo::assets
