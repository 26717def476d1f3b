// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <functional>
#include <optional>

class QFont;
class QString;

namespace talvo::assets {

/// The pixels inside the ellipse with centre (cx, cy) and radii a and b, for PixelCanvas::Shape.
std::function<bool(int, int)> InsideEllipse(double cx, double cy, double a, double b);

/// An image drawn on whole pixels. Every rectangle is inclusive: QRect(QPoint(x1, y1),
/// QPoint(x2, y2)) covers the pixels x1..x2 and y1..y2, as the picture descriptions count them.
/// Nothing is anti-aliased, so the same calls always give the same pixels.
class PixelCanvas {
 public:
  PixelCanvas(QSize size, QColor background);

  void Fill(QRect area, QColor colour);
  void Frame(QRect area, QColor colour);
  void HLine(int y, int x1, int x2, QColor colour);
  void VLine(int x, int y1, int y2, QColor colour);
  /// A 1-pixel straight line between two pixel centres, both ends included.
  void Line(QPoint from, QPoint to, QColor colour);

  /// The pixels for which `inside` holds within `bounds`: those with a 4-neighbour outside
  /// become the outline, the others the fill (left as they are when there is none).
  void Shape(QRect bounds, const std::function<bool(int, int)>& inside, QColor outline,
             std::optional<QColor> fill = std::nullopt);
  /// An ellipse that spans exactly `box`.
  void Ellipse(QRect box, QColor outline, std::optional<QColor> fill = std::nullopt);
  /// A disc `diameter` pixels across centred on a pixel (odd diameters).
  void Disc(QPoint centre, int diameter, QColor fill, QColor outline);
  /// A filled triangle whose tip is at `tip`, pointing along the unit step `direction`;
  /// `length` pixels long including the tip, 2 × `halfWidth` + 1 pixels across at its base.
  void ArrowHead(QPoint tip, QPoint direction, int length, int halfWidth, QColor colour);
  /// A filled triangle with corners anywhere (for the curved arrows).
  void Triangle(QPointF a, QPointF b, QPointF c, QColor colour);
  /// One line of text without anti-aliasing, its ink centred between the columns `left` and
  /// `right`, standing on the row `baseline`.
  void Text(int left, int right, int baseline, const QString& text, const QFont& font, QColor colour);

  QColor At(QPoint p) const { return image_.pixelColor(p); }
  /// The picture as saved: 24-bit colour, no alpha channel.
  QImage Image() const;

 private:
  QImage image_;
};

}  // namespace talvo::assets
