// SPDX-License-Identifier: MIT
#include "illustration_painter.h"

#include <array>

#include "palette.h"
#include "pixel_canvas.h"

namespace talvo::assets {

namespace {

QRect Box(int x1, int y1, int x2, int y2) { return QRect(QPoint(x1, y1), QPoint(x2, y2)); }

const std::array kPanels = {Box(3, 3, 425, 190), Box(428, 3, 687, 190), Box(3, 193, 425, 351), Box(428, 193, 687, 351)};

// Torch panel.
const QRect kTorchPanelCap = Box(550, 36, 593, 49);
constexpr int kTorchPanelTip = 121;
const QRect kTorchPanelSheet = Box(509, 127, 616, 148);

// Feed panel.
const QRect kFeedPanelCap = Box(71, 232, 114, 245);
constexpr int kFeedPanelTip = 317;
constexpr int kFeedArrowY = 286;
constexpr int kFeedArrowFrom = 105;
constexpr int kFeedArrowTip = 165;
const QRect kFeedZigzag = Box(146, 261, 162, 269);
constexpr int kFeedZigzagPeaks = 4;

// Flame panel.
const QRect kFlamePanelCap = Box(584, 212, 627, 225);
constexpr int kFlamePanelTip = 297;
constexpr int kFlameArrowsY = 255;
constexpr int kFlameLeftArrowFrom = 549;
constexpr int kFlameLeftArrowTip = 598;
constexpr int kFlameRightArrowFrom = 638;
constexpr int kFlameRightArrowTip = 613;

// Recurring elements.
constexpr int kTorchBodyWidth = 16;
constexpr int kZeroMarkDiameter = 13;
constexpr int kMarkerDiameter = 11;
constexpr int kArrowLength = 13;
constexpr int kArrowHalfWidth = 4;
constexpr int kExtensionOvershoot = 6;  // how far extension lines run past a size dimension

void Torch(PixelCanvas& canvas, QRect cap, int tipY) {
  canvas.Fill(cap, kWhite);
  canvas.Frame(cap, kBlack);
  const int left = cap.left() + (cap.width() - kTorchBodyWidth) / 2;
  const int right = left + kTorchBodyWidth - 1;
  // The body hangs from the cap's lower edge (which it shares) and ends in a half disc.
  const double cx = (left + right) / 2.0;
  const double cy = tipY - (kTorchBodyWidth - 1) / 2.0;
  const double r = kTorchBodyWidth / 2.0;
  canvas.Shape(
      Box(left, cap.bottom(), right, tipY),
      [=](int x, int y) {
        if (x < left || x > right || y < cap.bottom() || y > tipY) return false;
        return y <= cy || (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
      },
      kBlack, kRed);
}

void ZeroMark(PixelCanvas& canvas, QPoint centre) {
  const double r = kZeroMarkDiameter / 2.0;
  const QRect bounds(centre - QPoint(6, 6), centre + QPoint(6, 6));
  auto inCircle = [=](int x, int y) {
    const int dx = x - centre.x();
    const int dy = y - centre.y();
    return dx * dx + dy * dy <= r * r;
  };
  canvas.Shape(bounds, inCircle, kBlack);
  // Upper-right and lower-left quarters black; the other two keep what lies beneath.
  canvas.Shape(
      bounds,
      [=](int x, int y) {
        const int dx = x - centre.x();
        const int dy = y - centre.y();
        return inCircle(x, y) && ((dx >= 0 && dy <= 0) || (dx <= 0 && dy >= 0));
      },
      kBlack, kBlack);
}

void Sheet(PixelCanvas& canvas, QRect sheet) {
  canvas.Fill(sheet, kSilver);
  canvas.Frame(sheet, kBlack);
}

void TorchPanel(PixelCanvas& canvas) {
  Sheet(canvas, kTorchPanelSheet);
  Torch(canvas, kTorchPanelCap, kTorchPanelTip);
  ZeroMark(canvas, kTorchPanelSheet.topLeft());
}

void FeedPanel(PixelCanvas& canvas) {
  Torch(canvas, kFeedPanelCap, kFeedPanelTip);
  canvas.HLine(kFeedArrowY, kFeedArrowFrom, kFeedArrowTip, kBlack);
  canvas.ArrowHead({kFeedArrowTip, kFeedArrowY}, {1, 0}, kArrowLength, kArrowHalfWidth, kBlack);
  // The zigzag runs from a low point through alternating peaks and low points.
  const int steps = 2 * kFeedZigzagPeaks;
  QPoint previous = kFeedZigzag.bottomLeft();
  for (int i = 1; i <= steps; ++i) {
    const int x = kFeedZigzag.left() + i * (kFeedZigzag.width() - 1) / steps;
    const QPoint next(x, i % 2 == 1 ? kFeedZigzag.top() : kFeedZigzag.bottom());
    canvas.Line(previous, next, kBlack);
    previous = next;
  }
}

void FlamePanel(PixelCanvas& canvas) {
  Torch(canvas, kFlamePanelCap, kFlamePanelTip);
  canvas.HLine(kFlameArrowsY, kFlameLeftArrowFrom, kFlameLeftArrowTip, kBlack);
  canvas.ArrowHead({kFlameLeftArrowTip, kFlameArrowsY}, {1, 0}, kArrowLength, kArrowHalfWidth, kBlack);
  canvas.HLine(kFlameArrowsY, kFlameRightArrowTip, kFlameRightArrowFrom, kBlack);
  canvas.ArrowHead({kFlameRightArrowTip, kFlameArrowsY}, {-1, 0}, kArrowLength, kArrowHalfWidth, kBlack);
}

// The first contour pixel met when walking from `from` in steps of `step` inside the sheet.
QPoint FirstBlack(const PixelCanvas& canvas, QPoint from, QPoint step) {
  QPoint p = from;
  while (canvas.At(p) != kBlack) p += step;
  return p;
}

void SizeDimension(PixelCanvas& canvas, const IllustrationLayout& layout,
                   const IllustrationLayout::SizeDimension& dimension) {
  const bool vertical = dimension.from.x() == dimension.to.x();
  // Vertical dimensions stand left of the sheet, horizontal ones above it.
  const QPoint along = vertical ? QPoint(0, 1) : QPoint(1, 0);
  const QPoint across = vertical ? QPoint(1, 0) : QPoint(0, 1);
  for (const QPoint end : {dimension.from, dimension.to}) {
    const QPoint inSheet =
        vertical ? QPoint(layout.sheet.left() + 1, end.y()) : QPoint(end.x(), layout.sheet.top() + 1);
    const QPoint contour = FirstBlack(canvas, inSheet, across);
    canvas.Line(end - kExtensionOvershoot * across, contour, kBlack);
  }
  canvas.Line(dimension.from, dimension.to, kBlack);
  canvas.ArrowHead(dimension.from, -along, kArrowLength, kArrowHalfWidth, kBlack);
  canvas.ArrowHead(dimension.to, along, kArrowLength, kArrowHalfWidth, kBlack);
}

void StartDimension(PixelCanvas& canvas, const IllustrationLayout::StartDimension& d) {
  canvas.HLine(d.upperTip, d.upperExtensionFrom, d.extensionTo, kBlack);
  canvas.HLine(d.lowerTip, d.lowerExtensionFrom, d.extensionTo, kBlack);
  canvas.VLine(d.x, d.top, d.bottom, kBlack);
  canvas.ArrowHead({d.x, d.upperTip}, {0, 1}, kArrowLength, kArrowHalfWidth, kBlack);
  canvas.ArrowHead({d.x, d.lowerTip}, {0, -1}, kArrowLength, kArrowHalfWidth, kBlack);
}

void MainPanel(PixelCanvas& canvas, const IllustrationLayout& layout) {
  Sheet(canvas, layout.sheet);
  if (layout.contour == IllustrationLayout::Contour::kCircle) {
    canvas.Ellipse(layout.contourBox, kBlack);
  } else {
    canvas.Frame(layout.contourBox, kBlack);
  }
  for (const auto& dimension : layout.sizeDimensions) SizeDimension(canvas, layout, dimension);
  StartDimension(canvas, layout.startDimension);
  canvas.VLine(layout.pierceMarker.x(), layout.pierceMarker.y(), layout.startMarker.y(), kRed);
  canvas.Disc(layout.pierceMarker, kMarkerDiameter, kRed, kBlack);
  canvas.Disc(layout.startMarker, kMarkerDiameter, kRed, kBlack);
  ZeroMark(canvas, layout.zeroMark);
}

}  // namespace

QImage DrawIllustration(const IllustrationLayout& layout) {
  PixelCanvas canvas(kIllustrationSize, kWhite);
  for (const QRect& panel : kPanels) canvas.Frame(panel, kBlue);
  MainPanel(canvas, layout);
  TorchPanel(canvas);
  FeedPanel(canvas);
  FlamePanel(canvas);
  return canvas.Image();
}

}  // namespace talvo::assets
