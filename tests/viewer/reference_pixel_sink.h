// SPDX-License-Identifier: MIT
// The pixel sink and its clipping as they were before their loops were made faster, kept only
// so a test can require the faster ones to write exactly the same pixels. The arc walk is the
// sink's own: it was left as it was.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "arc_walk.h"
#include "pixel_buffer.h"

namespace talvo::plot {

// Liang–Barsky as ClipSegment had it.
inline bool ReferenceClipSegment(double& x0, double& y0, double& x1, double& y1, double minX, double maxX, double minY,
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

class ReferencePixelSink {
 public:
  /// Writes into rows [top, bottom) of `pixels` (opaque, or with background 0 for transparent)
  /// only, so two sinks on two bands of one picture can run at once. Rapids also take pixels
  /// of the kerf band, as they are drawn over it. Colours are 0xRRGGBB.
  ReferencePixelSink(const PixelBuffer& pixels, int top, int bottom, std::uint32_t cut, std::uint32_t rapid,
                     std::uint32_t background, std::uint32_t kerf = 0)
      : rows_(pixels, top, bottom),
        cut_(0xff000000u | cut),
        rapid_(0xff000000u | rapid),
        background_(background == 0 ? 0 : 0xff000000u | background),
        kerf_(kerf == 0 ? background_ : 0xff000000u | kerf),
        tilesAcross_((pixels.width >> kTileBits) + 1),
        blocksAcross_((pixels.width >> kBlockBits) + 1),
        taken_(static_cast<std::size_t>(tilesAcross_) * ((bottom >> kTileBits) + 1)),
        cutBits_(taken_.size()),
        takenBlocks_(static_cast<std::size_t>(blocksAcross_) * ((bottom >> kBlockBits) + 1)),
        cutBlocks_(takenBlocks_.size()) {}

  void Dot(bool cut, double x, double y) {
    if (x >= 0 && x < rows_.width && y >= rows_.top && y < rows_.bottom)
      PutUnkept(cut, static_cast<int>(x), static_cast<int>(y));
  }

  void Arc(bool cut, const ScreenArc& arc) {
    if (Filled(cut, arc.cx - arc.r, arc.cy - arc.r, arc.cx + arc.r, arc.cy + arc.r)) return;
    WalkArc(
        arc, rows_.width, rows_.top, rows_.bottom, [&](int x, int y) { Put(cut, x, y); },
        [&](double left, double top, double right, double bottom) { return Filled(cut, left, top, right, bottom); });
  }

  void Segment(bool cut, double x0, double y0, double x1, double y1) {
    if (!ReferenceClipSegment(x0, y0, x1, y1, 0, rows_.width - 1e-6, rows_.top, rows_.bottom - 1e-6)) return;
    const int ax = static_cast<int>(x0), ay = static_cast<int>(y0);
    const int bx = static_cast<int>(x1), by = static_cast<int>(y1);
    // Bresenham's pixels, in the closed form that lets a stroke jump over a full tile: at step
    // k along the longer axis (n steps), the shorter one (m) has moved round(k·m / n), halves up.
    const bool alongX = std::abs(bx - ax) >= std::abs(by - ay);
    const std::int64_t n = alongX ? std::abs(bx - ax) : std::abs(by - ay);
    const std::int64_t m = alongX ? std::abs(by - ay) : std::abs(bx - ax);
    const int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    const std::vector<std::uint64_t>& full = cut ? cutBits_ : taken_;
    if (n < kKeptStroke) {
      // Too short to find a full tile worth jumping: stepped as Bresenham steps it.
      for (std::int64_t k = 0, twice = n, j = 0; k <= n; ++k, twice += 2 * m) {
        if (k > 0 && twice >= 2 * n * (j + 1)) ++j;
        if (cut || k % 10 < 6)
          PutUnkept(cut, ax + sx * static_cast<int>(alongX ? k : j), ay + sy * static_cast<int>(alongX ? j : k));
      }
      return;
    }
    const std::vector<std::uint8_t>& fullInBlock = cut ? cutBlocks_ : takenBlocks_;
    std::int64_t twice = n;  // 2·k·m + n, whose quotient by 2n is the shorter axis's moves
    int k = 0, j = 0;
    while (k <= n) {
      const int x = ax + sx * (alongX ? k : j), y = ay + sy * (alongX ? j : k);
      // Nothing in a full block or tile can change: on to the step where the stroke leaves it.
      const int skipBits = fullInBlock[Block(x, y)] == kTilesInBlock ? kBlockBits
                           : full[Tile(x, y)] == ~std::uint64_t{0}   ? kTileBits
                                                                     : 0;
      if (skipBits == 0) {
        // Rapids dashed: 6 pixels on, 4 off.
        if (cut || k % 10 < 6) Put(cut, x, y);
        ++k;
        twice += 2 * m;
        if (twice >= 2 * n * (j + 1)) ++j;
        continue;
      }
      const int last = (1 << skipBits) - 1;
      const int along = alongX ? x : y, across = alongX ? y : x;
      std::int64_t next = k + ((alongX ? sx : sy) > 0 ? last - (along & last) : along & last) + 1;
      if (m > 0) {
        const std::int64_t target = j + ((alongX ? sy : sx) > 0 ? last - (across & last) : across & last) + 1;
        next = std::min(next, (2 * n * target - n + 2 * m - 1) / (2 * m));
      }
      if (next > n) return;
      k = static_cast<int>(next);
      twice = 2 * m * k + n;
      j = static_cast<int>(twice / (2 * n));  // n > 0, as k went past 0
    }
  }

 private:
  static constexpr int kTileBits = 3;
  // Blocks of 8 × 8 tiles, counting their full tiles, let a long stroke over a crowded sheet
  // jump 64 pixels at a time.
  static constexpr int kBlockBits = 6;
  static constexpr std::uint8_t kTilesInBlock = 64;

  std::size_t Block(int x, int y) const {
    return static_cast<std::size_t>(y >> kBlockBits) * blocksAcross_ + (x >> kBlockBits);
  }

  std::size_t Tile(int x, int y) const {
    return static_cast<std::size_t>(y >> kTileBits) * tilesAcross_ + (x >> kTileBits);
  }
  // True when every tile of a small box is full for the stroke: all cut for a cut, all taken
  // for a rapid. A crowded sheet's holes mostly land on such tiles.
  bool Filled(bool cut, double left, double top, double right, double bottom) const {
    constexpr double kMostTiles = 8;
    if (!(left >= 0 && top >= rows_.top && right < rows_.width && bottom < rows_.bottom)) return false;
    if (right - left > kMostTiles * 8 || bottom - top > kMostTiles * 8) return false;
    const std::vector<std::uint64_t>& full = cut ? cutBits_ : taken_;
    const int x0 = static_cast<int>(left) >> kTileBits, x1 = static_cast<int>(right) >> kTileBits;
    for (int ty = static_cast<int>(top) >> kTileBits; ty <= static_cast<int>(bottom) >> kTileBits; ++ty)
      for (int tx = x0; tx <= x1; ++tx)
        if (full[static_cast<std::size_t>(ty) * tilesAcross_ + tx] != ~std::uint64_t{0}) return false;
    return true;
  }
  // Strokes shorter than this many steps, and dots, keep no bits: artwork of tiny segments
  // would spend more on the bits than on the pixels. A pixel written without its bits is only
  // found full later than it could be.
  static constexpr std::int64_t kKeptStroke = 16;

  void PutUnkept(bool cut, int x, int y) {
    std::uint32_t& p = rows_.At(x, y);
    if (cut)
      p = cut_;
    else if (p == background_ || p == kerf_)
      p = rapid_;
  }

  static std::uint64_t Bit(int x, int y) { return std::uint64_t{1} << ((y & 7) * 8 + (x & 7)); }

  void Put(bool cut, int x, int y) {
    const std::size_t tile = Tile(x, y);
    const std::uint64_t bit = Bit(x, y);
    if (cut) {
      if (cutBits_[tile] & bit) return;
      Take(cutBits_, cutBlocks_, tile, bit, x, y);
      if (!(taken_[tile] & bit)) Take(taken_, takenBlocks_, tile, bit, x, y);
      rows_.At(x, y) = cut_;
      return;
    }
    if (taken_[tile] & bit) return;
    // Pixels the sink has not drawn may hold anything: a rapid takes only a free one, and no
    // pixel is ever freed again.
    Take(taken_, takenBlocks_, tile, bit, x, y);
    std::uint32_t& p = rows_.At(x, y);
    if (p == background_ || p == kerf_) p = rapid_;
  }

  void Take(std::vector<std::uint64_t>& bits, std::vector<std::uint8_t>& blocks, std::size_t tile, std::uint64_t bit,
            int x, int y) {
    bits[tile] |= bit;
    if (bits[tile] == ~std::uint64_t{0}) ++blocks[Block(x, y)];
  }

  PixelRows rows_;
  std::uint32_t cut_, rapid_, background_, kerf_;
  int tilesAcross_, blocksAcross_;
  // By tile, a bit for each pixel: drawn by this sink (or found taken), and cut by it.
  std::vector<std::uint64_t> taken_, cutBits_;
  // By block, how many of its tiles are full of each.
  std::vector<std::uint8_t> takenBlocks_, cutBlocks_;
};

}  // namespace talvo::plot
