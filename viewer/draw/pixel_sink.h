// SPDX-License-Identifier: MIT
// Strokes taken as a picture's pixels: one pixel wide, cuts solid over everything, rapids dashed
// and only on free pixels, so a crowded view costs a bit per pixel touched instead of one
// painter call per stroke. A sheet's rapids and cuts cross each pixel dozens of times: the
// strokes go into the bits of the pixels taken and cut, and a stroke over pixels already taken
// reads those bits and writes nothing. The picture is painted from the bits afterwards.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "arc_walk.h"
#include "clip_segment.h"
#include "stroke_bits.h"

namespace talvo::plot {

class PixelSink {
 public:
  /// Takes the pixels of its strokes within columns [0, bits.Width()) and rows [top, bottom)
  /// into `bits`, which a sink on another core may share.
  PixelSink(StrokeBits& bits, int top, int bottom) : bits_(bits), width_(bits.Width()), top_(top), bottom_(bottom) {}

  void Dot(bool cut, double x, double y) {
    if (x >= 0 && x < width_ && y >= top_ && y < bottom_) Put(cut, static_cast<int>(x), static_cast<int>(y));
  }

  void Arc(bool cut, const ScreenArc& arc) {
    if (Filled(cut, arc.cx - arc.r, arc.cy - arc.r, arc.cx + arc.r, arc.cy + arc.r)) return;
    if (cut)
      WalkArcPixels<true>(arc);
    else
      WalkArcPixels<false>(arc);
  }

  void Segment(bool cut, double x0, double y0, double x1, double y1) {
    if (!ClipSegment(x0, y0, x1, y1, 0, width_ - 1e-6, top_, bottom_ - 1e-6)) return;
    const int ax = static_cast<int>(x0), ay = static_cast<int>(y0);
    const int bx = static_cast<int>(x1), by = static_cast<int>(y1);
    // Bresenham's pixels, in the closed form that lets a stroke jump over a full tile: at step
    // k along the longer axis (n steps), the shorter one (m) has moved round(k·m / n), halves up.
    const bool alongX = std::abs(bx - ax) >= std::abs(by - ay);
    const std::int64_t n = alongX ? std::abs(bx - ax) : std::abs(by - ay);
    const std::int64_t m = alongX ? std::abs(by - ay) : std::abs(bx - ax);
    const int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    if (n < kSteppedStroke) {
      int x = ax, y = ay;
      const int longX = alongX ? sx : 0, longY = alongX ? 0 : sy, shortX = alongX ? 0 : sx, shortY = alongX ? sy : 0;
      for (std::int64_t k = 0, error = -n; k <= n; ++k) {
        if (cut || k % 10 < 6) Put(cut, x, y);
        error += 2 * m;  // as in LongStroke, with no branch on the slope
        const int move = error >= 0 ? -1 : 0;
        error -= (2 * n) & move;
        x += longX + (shortX & move);
        y += longY + (shortY & move);
      }
      return;
    }
    LongStroke(cut, ax, ay, alongX, static_cast<int>(n), static_cast<int>(m), sx, sy);
  }

 private:
  static constexpr int kTileBits = StrokeBits::kTileBits, kBlockBits = StrokeBits::kBlockBits;
  static constexpr int kTilesAcrossBlock = 8;
  // Strokes shorter than this many steps are too short to find a full tile worth jumping, and
  // are stepped as Bresenham steps them.
  static constexpr std::int64_t kSteppedStroke = 16;

  // True when every tile of a small box is full for the stroke: all cut for a cut, all taken
  // for a rapid. A crowded sheet's holes mostly land on such tiles.
  bool Filled(bool cut, double left, double top, double right, double bottom) const {
    constexpr double kMostTiles = 8;
    if (!(left >= 0 && top >= top_ && right < width_ && bottom < bottom_)) return false;
    if (right - left > kMostTiles * 8 || bottom - top > kMostTiles * 8) return false;
    const int x0 = static_cast<int>(left), x1 = static_cast<int>(right);
    for (int y = static_cast<int>(top) & ~7; y <= static_cast<int>(bottom); y += 8)
      for (int x = x0 & ~7; x <= x1; x += 8)
        if (!bits_.TileFull(cut, bits_.Tile(x, y))) return false;
    return true;
  }

  void Put(bool cut, int x, int y) { bits_.Take(cut, bits_.Tile(x, y), x, y, StrokeBits::Bit(x, y)); }

  // Pixels of one tile, as a mask of its bits, from the tile's top left pixel.
  struct TileMask {
    std::size_t tile = ~std::size_t{0};
    int x = 0, y = 0;
    std::uint64_t bits = 0;
  };

  // Each pixel of an arc's walk is a step from the one before, so it mostly lies in the same
  // tile: the pixels are gathered into one mask per tile, as a long stroke's are, and taken a
  // tile at a time. A part of the walk that finds its tiles full before a mask is taken only
  // walks again what is then taken anyway: the bits come out the same.
  template <bool kCut>
  void WalkArcPixels(const ScreenArc& arc) {
    TileMask mask;
    const auto take = [&] {
      if (mask.bits) bits_.Take(kCut, mask.tile, mask.x, mask.y, mask.bits);
    };
    const auto gather = [&](int x, int y) {
      const std::size_t tile = bits_.Tile(x, y);
      if (tile != mask.tile) {
        take();
        mask = {tile, x & ~7, y & ~7, 0};
      }
      mask.bits |= StrokeBits::Bit(x, y);
    };
    const auto filled = [&](double left, double top, double right, double bottom) {
      return Filled(kCut, left, top, right, bottom);
    };
    WalkArc(arc, width_, top_, bottom_, gather, filled);
    take();
  }

  // Bresenham's pixels a column of tiles at a time (a row of them, for a stroke along Y). On a
  // column's edge the stroke moves on by whole columns, with no division, when the blocks (or
  // else the tiles) where it enters and leaves them are full. Otherwise its pixels are gathered
  // into one mask per tile, taken at once.
  void LongStroke(bool cut, int ax, int ay, bool alongX, int n, int m, int sx, int sy) {
    const int longX = alongX ? sx : 0, longY = alongX ? 0 : sy, shortX = alongX ? 0 : sx, shortY = alongX ? sy : 0;
    const int forward = (alongX ? sx : sy) > 0;
    const std::int64_t twiceN = 2 * std::int64_t{n}, twiceM = 2 * std::int64_t{m};
    // Moving on by 8·t steps moves the shorter axis by ⌊8t·2m / 2n⌋ or one more: the quotient
    // and remainder for each t up to a block.
    std::int64_t quotient[kTilesAcrossBlock + 1] = {}, remainder[kTilesAcrossBlock + 1] = {};
    const std::int64_t columnQuotient = 8 * twiceM / twiceN, columnRemainder = 8 * twiceM % twiceN;
    for (int t = 1; t <= kTilesAcrossBlock; ++t) {
      const std::int64_t sum = remainder[t - 1] + columnRemainder, carry = sum >= twiceN;
      remainder[t] = sum - (twiceN & -carry);
      quotient[t] = quotient[t - 1] + columnQuotient + carry;
    }
    int k = 0, j = 0, x = ax, y = ay;
    std::int64_t error = -n;  // 2·k·m + n − 2n·(j + 1), in [−2n, 0): the shorter axis moves as it reaches 0
    // True when the boxes where the stroke is now and where it is t columns on are both full;
    // then the stroke has moved on.
    const auto jumped = [&](int t, int bits, const auto& isFull) {
      std::int64_t e = error + remainder[t];
      const bool carry = e >= 0;
      e -= carry ? twiceN : 0;
      const int moved = static_cast<int>(quotient[t]) + carry;
      const int seen = std::min(moved, m - j);  // the shorter axis never passes its end
      if (!isFull(x >> bits, y >> bits) || !isFull((x + shortX * seen) >> bits, (y + shortY * seen) >> bits))
        return false;
      k += 8 * t;
      j += moved;
      error = e;
      x += longX * 8 * t + shortX * moved;
      y += longY * 8 * t + shortY * moved;
      return true;
    };
    const auto blockFull = [&](int bx, int by) {
      return bits_.BlockFull(cut, bits_.Block(bx << kBlockBits, by << kBlockBits));
    };
    const auto tileFull = [&](int tx, int ty) {
      return bits_.TileFull(cut, bits_.Tile(tx << kTileBits, ty << kTileBits));
    };
    while (k <= n) {
      const int along = alongX ? x : y;
      const int columnSteps = forward ? 8 - (along & 7) : (along & 7) + 1;
      if (columnSteps == 8) {
        const int tiles = forward ? kTilesAcrossBlock - ((along >> kTileBits) & 7) : ((along >> kTileBits) & 7) + 1;
        if (jumped(tiles, kBlockBits, blockFull) || jumped(1, kTileBits, tileFull)) continue;
      }
      const int end = std::min(k + columnSteps, n + 1);
      int dash = k % 10;  // rapids dashed: 6 pixels on, 4 off
      while (k < end) {
        TileMask mask{bits_.Tile(x, y), x & ~7, y & ~7, 0};
        do {
          mask.bits |= std::uint64_t{cut || dash < 6} << ((y & 7) * 8 + (x & 7));
          ++k;
          dash = dash == 9 ? 0 : dash + 1;
          // Whether the shorter axis moves follows the slope, which no branch predicts.
          error += twiceM;
          const int move = error >= 0 ? -1 : 0;
          error -= twiceN & move;
          j -= move;
          x += longX + (shortX & move);
          y += longY + (shortY & move);
        } while (k < end && ((x ^ mask.x) | (y ^ mask.y)) < 8);
        bits_.Take(cut, mask.tile, mask.x, mask.y, mask.bits);  // reads the tile's bits, writes only what is new
      }
    }
  }

  StrokeBits& bits_;
  int width_, top_, bottom_;
};

}  // namespace talvo::plot
