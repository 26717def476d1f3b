// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "clip_segment.h"
#include "pixel_buffer.h"

namespace talvo::plot {

/// The kerf band written straight into pixels: each cut stroke as a band `width` pixels wide
/// with round ends, so chords of an arc join smoothly. Rapids leave no band. Each pixel of a
/// band is written about once, whatever its width.
class KerfSink {
 public:
  /// Writes into rows [top, bottom) of `pixels` only, as PixelSink does; `kerf` is 0xRRGGBB.
  KerfSink(const PixelBuffer& pixels, int top, int bottom, double width, std::uint32_t kerf)
      : rows_(pixels, top, bottom), r_(width / 2), kerf_(0xff000000u | kerf) {}

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

}  // namespace talvo::plot
