// SPDX-License-Identifier: MIT
// Strokes written straight into a picture's pixels: one pixel wide, cuts solid over everything,
// rapids dashed and only on free pixels, so a crowded view costs one store per pixel touched
// instead of one painter call per stroke.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "arc_walk.h"
#include "clip_segment.h"
#include "pixel_buffer.h"

namespace talvo::plot {

class PixelSink {
 public:
  /// Writes into rows [top, bottom) of `pixels` (opaque, or with background 0 for transparent)
  /// only, so two sinks on two bands of one picture can run at once. Rapids also take pixels
  /// of the kerf band, as they are drawn over it. Colours are 0xRRGGBB.
  PixelSink(const PixelBuffer& pixels, int top, int bottom, std::uint32_t cut, std::uint32_t rapid,
            std::uint32_t background, std::uint32_t kerf = 0)
      : rows_(pixels, top, bottom),
        cut_(0xff000000u | cut),
        rapid_(0xff000000u | rapid),
        background_(background == 0 ? 0 : 0xff000000u | background),
        kerf_(kerf == 0 ? background_ : 0xff000000u | kerf) {}

  void Dot(bool cut, double x, double y) {
    if (x >= 0 && x < rows_.width && y >= rows_.top && y < rows_.bottom)
      Put(cut, static_cast<int>(x), static_cast<int>(y));
  }

  void Arc(bool cut, const ScreenArc& arc) {
    WalkArc(arc, rows_.width, rows_.top, rows_.bottom, [&](int x, int y) { Put(cut, x, y); });
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

}  // namespace talvo::plot
