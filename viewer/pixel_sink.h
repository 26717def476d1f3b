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

class PixelSink {
 public:
  /// Writes into rows [top, bottom) of `image` (RGB32, or ARGB32 with background 0 for
  /// transparent) only, so two sinks on two bands of one image can run at once.
  PixelSink(QImage& image, int top, int bottom, QRgb cut, QRgb rapid, QRgb background)
      : bits_(reinterpret_cast<std::uint32_t*>(image.bits())),
        stride_(static_cast<int>(image.bytesPerLine() / 4)),
        width_(image.width()),
        top_(top),
        bottom_(bottom),
        cut_(0xff000000u | cut),
        rapid_(0xff000000u | rapid),
        background_(background == 0 ? 0 : 0xff000000u | background) {}

  void Dot(bool cut, double x, double y) {
    if (x >= 0 && x < width_ && y >= top_ && y < bottom_) Put(cut, static_cast<int>(x), static_cast<int>(y));
  }

  void Segment(bool cut, double x0, double y0, double x1, double y1) {
    if (!Clip(x0, y0, x1, y1)) return;
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
    std::uint32_t& p = bits_[static_cast<std::ptrdiff_t>(y) * stride_ + x];
    if (cut)
      p = cut_;
    else if (p == background_)
      p = rapid_;
  }

  // Liang–Barsky: cuts the segment to the band, in floating point so that far-off ends
  // never reach the integer stepping.
  bool Clip(double& x0, double& y0, double& x1, double& y1) const {
    const double minX = 0, maxX = width_ - 1e-6, minY = top_, maxY = bottom_ - 1e-6;
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

  std::uint32_t* bits_;
  int stride_;
  int width_;
  int top_, bottom_;
  std::uint32_t cut_, rapid_, background_;
};

/// Lays a transparent layer that a PixelSink wrote over `image` (of the same size), by the
/// sink's own rule: cut pixels over everything, rapid pixels only on background ones.
inline void LayOver(const QImage& layer, QImage& image, QRgb cut, QRgb rapid, QRgb background) {
  const std::uint32_t cutPixel = 0xff000000u | cut, rapidPixel = 0xff000000u | rapid;
  const std::uint32_t free = 0xff000000u | background;
  for (int y = 0; y < image.height(); ++y) {
    const auto* from = reinterpret_cast<const std::uint32_t*>(layer.constScanLine(y));
    auto* to = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (from[x] == cutPixel || (from[x] == rapidPixel && to[x] == free)) to[x] = from[x];
    }
  }
}

}  // namespace talvo::plot
