// SPDX-License-Identifier: MIT
// Strokes written straight into an image's pixels: one pixel wide, cuts solid over everything,
// rapids dashed and only on free pixels, so a crowded view costs one store per pixel touched
// instead of one painter call per stroke.
#pragma once

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace talvo::plot {

/// Liang–Barsky: cuts the segment to the box [minX, maxX] × [minY, maxY], in floating point so
/// that far-off ends never reach integer stepping. False when nothing of it is in the box.
inline bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double minX, double maxX, double minY,
                        double maxY) {
  const double dx = x1 - x0, dy = y1 - y0;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - minX, maxX - x0, y0 - minY, maxY - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      if (t > t0) t0 = t;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t;
    }
  }
  const double ax = x0 + t0 * dx, ay = y0 + t0 * dy;
  x1 = std::clamp(x0 + t1 * dx, minX, maxX);
  y1 = std::clamp(y0 + t1 * dy, minY, maxY);
  x0 = std::clamp(ax, minX, maxX);
  y0 = std::clamp(ay, minY, maxY);
  return !(std::isnan(x0) || std::isnan(y0) || std::isnan(x1) || std::isnan(y1));
}

/// The rows [top, bottom) of an image's 32-bit pixels that one sink may write, so that two
/// sinks on two bands of one image can run at once.
struct PixelRows {
  PixelRows(QImage& image, int top, int bottom)
      : bits(reinterpret_cast<std::uint32_t*>(image.bits())),
        stride(static_cast<int>(image.bytesPerLine() / 4)),
        width(image.width()),
        top(top),
        bottom(bottom) {}
  std::uint32_t& At(int x, int y) const { return bits[static_cast<std::ptrdiff_t>(y) * stride + x]; }

  std::uint32_t* bits;
  int stride;
  int width;
  int top, bottom;
};

class PixelSink {
 public:
  /// Writes into rows [top, bottom) of `image` (RGB32, or ARGB32 with background 0 for
  /// transparent) only, so two sinks on two bands of one image can run at once. Rapids also
  /// take pixels of the kerf band, as they are drawn over it.
  PixelSink(QImage& image, int top, int bottom, QRgb cut, QRgb rapid, QRgb background, QRgb kerf = 0)
      : rows_(image, top, bottom),
        cut_(0xff000000u | cut),
        rapid_(0xff000000u | rapid),
        background_(background == 0 ? 0 : 0xff000000u | background),
        kerf_(kerf == 0 ? background_ : 0xff000000u | kerf) {}

  void Dot(bool cut, double x, double y) {
    if (x >= 0 && x < rows_.width && y >= rows_.top && y < rows_.bottom)
      Put(cut, static_cast<int>(x), static_cast<int>(y));
  }

  void Segment(bool cut, double x0, double y0, double x1, double y1) {
    if (!ClipSegment(x0, y0, x1, y1, 0, rows_.width - 1e-6, rows_.top, rows_.bottom - 1e-6)) return;
    int ix0 = static_cast<int>(x0), iy0 = static_cast<int>(y0);
    const int ix1 = static_cast<int>(x1), iy1 = static_cast<int>(y1);
    const int dx = std::abs(ix1 - ix0), dy = -std::abs(iy1 - iy0);
    const int sx = ix0 < ix1 ? 1 : -1, sy = iy0 < iy1 ? 1 : -1;
    int error = dx + dy;
    for (int k = 0;; ++k) {
      // Rapids dashed: 6 pixels on, 4 off.
      if (cut || k % 10 < 6) Put(cut, ix0, iy0);
      if (ix0 == ix1 && iy0 == iy1) break;
      const int e2 = 2 * error;
      if (e2 >= dy) {
        error += dy;
        ix0 += sx;
      }
      if (e2 <= dx) {
        error += dx;
        iy0 += sy;
      }
    }
  }

 private:
  void Put(bool cut, int x, int y) {
    std::uint32_t& p = rows_.At(x, y);
    if (cut)
      p = cut_;
    else if (p == background_ || p == kerf_)
      p = rapid_;
  }

  PixelRows rows_;
  std::uint32_t cut_, rapid_, background_, kerf_;
};

/// The kerf band written straight into pixels: each cut stroke as a band `width` pixels wide
/// with round ends, so chords of an arc join smoothly. Rapids leave no band. Each pixel of a
/// band is written about once, whatever its width.
class KerfSink {
 public:
  /// Writes into rows [top, bottom) of `image` only, as PixelSink does.
  KerfSink(QImage& image, int top, int bottom, double width, QRgb kerf)
      : rows_(image, top, bottom), r_(width / 2), kerf_(0xff000000u | kerf) {}

  void Dot(bool cut, double x, double y) {
    if (cut) Disc(x, y);
  }

  void Segment(bool cut, double x0, double y0, double x1, double y1) {
    if (!cut) return;
    // Round ends, once where the chords of an arc meet.
    if (x0 != lastX_ || y0 != lastY_) Disc(x0, y0);
    Disc(x1, y1);
    lastX_ = x1;
    lastY_ = y1;
    // Only the part that can reach the rows and columns written.
    const double minX = -r_, maxX = rows_.width + r_, minY = rows_.top - r_, maxY = rows_.bottom + r_;
    const auto inside = [&](double x, double y) { return x >= minX && x <= maxX && y >= minY && y <= maxY; };
    if (!(inside(x0, y0) && inside(x1, y1)) && !ClipSegment(x0, y0, x1, y1, minX, maxX, minY, maxY)) return;
    const double dx = x1 - x0, dy = y1 - y0;
    const double length = std::hypot(dx, dy);
    if (length < 1) return;
    // Across the band, one column (or row) at a time: the band's cross-section there is
    // its width over the cosine of the slope.
    if (std::abs(dx) >= std::abs(dy)) {
      const double half = r_ * length / std::abs(dx), slope = dy / dx;
      const int from = static_cast<int>(std::ceil(std::min(x0, x1))),
                to = static_cast<int>(std::floor(std::max(x0, x1)));
      for (int x = std::max(from, 0); x <= std::min(to, rows_.width - 1); ++x) {
        const double y = y0 + (x - x0) * slope;
        Column(x, y - half, y + half);
      }
    } else {
      const double half = r_ * length / std::abs(dy), slope = dx / dy;
      const int from = static_cast<int>(std::ceil(std::min(y0, y1))),
                to = static_cast<int>(std::floor(std::max(y0, y1)));
      for (int y = std::max(from, rows_.top); y <= std::min(to, rows_.bottom - 1); ++y) {
        const double x = x0 + (y - y0) * slope;
        Row(y, x - half, x + half);
      }
    }
  }

 private:
  void Disc(double cx, double cy) {
    if (!(cx >= -r_ && cx <= rows_.width + r_)) return;
    const int from = std::max(static_cast<int>(std::ceil(cy - r_)), rows_.top);
    const int to = std::min(static_cast<int>(std::floor(cy + r_)), rows_.bottom - 1);
    for (int y = from; y <= to; ++y) {
      const double half = std::sqrt(std::max(r_ * r_ - (y - cy) * (y - cy), 0.0));
      Row(y, cx - half, cx + half);
    }
  }
  void Row(int y, double left, double right) {
    const int from = std::max(static_cast<int>(std::ceil(left)), 0);
    const int to = std::min(static_cast<int>(std::floor(right)), rows_.width - 1);
    std::uint32_t* row = &rows_.At(0, y);
    for (int x = from; x <= to; ++x) row[x] = kerf_;
  }
  void Column(int x, double low, double high) {
    const int from = std::max(static_cast<int>(std::ceil(low)), rows_.top);
    const int to = std::min(static_cast<int>(std::floor(high)), rows_.bottom - 1);
    for (int y = from; y <= to; ++y) rows_.At(x, y) = kerf_;
  }

  PixelRows rows_;
  double r_;
  std::uint32_t kerf_;
  double lastX_ = std::nan(""), lastY_ = std::nan("");
};

/// Lays a transparent layer that a PixelSink wrote over `image` (of the same size), by the
/// sink's own rule: cut pixels over everything, rapid pixels only on background and kerf ones.
inline void LayOver(const QImage& layer, QImage& image, QRgb cut, QRgb rapid, QRgb background, QRgb kerf) {
  const std::uint32_t cutPixel = 0xff000000u | cut, rapidPixel = 0xff000000u | rapid;
  const std::uint32_t free = 0xff000000u | background, band = 0xff000000u | kerf;
  const int width = image.width(), height = image.height();
  for (int y = 0; y < height; ++y) {
    const auto* from = reinterpret_cast<const std::uint32_t*>(layer.constScanLine(y));
    auto* to = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      if (from[x] == cutPixel || (from[x] == rapidPixel && (to[x] == free || to[x] == band))) to[x] = from[x];
    }
  }
}

}  // namespace talvo::plot
