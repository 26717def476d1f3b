// SPDX-License-Identifier: MIT
#include "pixel_canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>
#include <QString>

#include <cmath>

namespace talvo::assets {

std::function<bool(int, int)> InsideEllipse(double cx, double cy, double a, double b) {
  return [=](int x, int y) {
    const double u = (x - cx) / a;
    const double v = (y - cy) / b;
    return u * u + v * v <= 1.0;
  };
}

PixelCanvas::PixelCanvas(QSize size, QColor background) : image_(size, QImage::Format_RGB32) {
  image_.fill(background);
}

void PixelCanvas::Fill(QRect area, QColor colour) {
  QPainter painter(&image_);
  painter.fillRect(area, colour);
}

void PixelCanvas::Frame(QRect area, QColor colour) {
  HLine(area.top(), area.left(), area.right(), colour);
  HLine(area.bottom(), area.left(), area.right(), colour);
  VLine(area.left(), area.top(), area.bottom(), colour);
  VLine(area.right(), area.top(), area.bottom(), colour);
}

void PixelCanvas::HLine(int y, int x1, int x2, QColor colour) {
  Fill(QRect(QPoint(std::min(x1, x2), y), QPoint(std::max(x1, x2), y)), colour);
}

void PixelCanvas::VLine(int x, int y1, int y2, QColor colour) {
  Fill(QRect(QPoint(x, std::min(y1, y2)), QPoint(x, std::max(y1, y2))), colour);
}

void PixelCanvas::Line(QPoint from, QPoint to, QColor colour) {
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(colour, 1));
  painter.drawLine(from, to);
  // Qt leaves out the last pixel of some aliased lines; the descriptions count both ends.
  image_.setPixelColor(to, colour);
}

void PixelCanvas::Shape(QRect bounds, const std::function<bool(int, int)>& inside, QColor outline,
                        std::optional<QColor> fill) {
  bounds &= image_.rect();
  for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
    for (int x = bounds.left(); x <= bounds.right(); ++x) {
      if (!inside(x, y)) continue;
      const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      if (edge) {
        image_.setPixelColor(x, y, outline);
      } else if (fill) {
        image_.setPixelColor(x, y, *fill);
      }
    }
  }
}

void PixelCanvas::Ellipse(QRect box, QColor outline, std::optional<QColor> fill) {
  // Radii reach the outer edges of the end pixels, so the ellipse spans `box` exactly.
  const double cx = (box.left() + box.right()) / 2.0;
  const double cy = (box.top() + box.bottom()) / 2.0;
  const double a = box.width() / 2.0;
  const double b = box.height() / 2.0;
  Shape(box, InsideEllipse(cx, cy, a, b), outline, fill);
}

void PixelCanvas::Disc(QPoint centre, int diameter, QColor fill, QColor outline) {
  const int r = diameter / 2;
  Ellipse(QRect(centre - QPoint(r, r), centre + QPoint(r, r)), outline, fill);
}

void PixelCanvas::ArrowHead(QPoint tip, QPoint direction, int length, int halfWidth, QColor colour) {
  const QPoint across(-direction.y(), direction.x());
  for (int k = 0; k < length; ++k) {
    // The half width grows evenly from the tip to the base, rounded to whole pixels.
    const int half = (2 * k * halfWidth + (length - 1)) / (2 * (length - 1));
    const QPoint centre = tip - k * direction;
    for (int s = -half; s <= half; ++s) image_.setPixelColor(centre + s * across, colour);
  }
}

void PixelCanvas::Triangle(QPointF a, QPointF b, QPointF c, QColor colour) {
  // A pixel belongs to the triangle when its centre does (pixel centres sit on whole numbers).
  const auto side = [](QPointF p, QPointF q, QPointF r) {
    return (q.x() - p.x()) * (r.y() - p.y()) - (q.y() - p.y()) * (r.x() - p.x());
  };
  const QRectF bounds = QPolygonF({a, b, c}).boundingRect();
  const QRect pixels(QPoint(int(std::floor(bounds.left())), int(std::floor(bounds.top()))),
                     QPoint(int(std::ceil(bounds.right())), int(std::ceil(bounds.bottom()))));
  for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
    for (int x = pixels.left(); x <= pixels.right(); ++x) {
      const QPointF p(x, y);
      const double s1 = side(a, b, p);
      const double s2 = side(b, c, p);
      const double s3 = side(c, a, p);
      const bool inside = (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
      if (inside && image_.rect().contains(x, y)) image_.setPixelColor(x, y, colour);
    }
  }
}

void PixelCanvas::Text(int left, int right, int baseline, const QString& text, const QFont& font, QColor colour) {
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setFont(font);
  painter.setPen(colour);
  const QRect ink = QFontMetrics(font).tightBoundingRect(text);
  const int x = left + (right - left + 1 - ink.width()) / 2 - ink.left();
  painter.drawText(QPoint(x, baseline + 1), text);
}

QImage PixelCanvas::Image() const { return image_.convertToFormat(QImage::Format_RGB888); }

}  // namespace talvo::assets
