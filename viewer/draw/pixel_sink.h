// SPDX-License-Identifier: MIT
// Strokes written straight into a picture's pixels: one pixel wide, cuts solid over everything,
// rapids dashed and only on free pixels, so a crowded view costs one store per pixel touched
// instead of one painter call per stroke. A sheet's rapids and cuts cross each pixel dozens of
// times: the sink keeps a bit for each pixel it has taken and one for each it has cut, packed
// by tiles of 8 × 8 in a few hundred kilobytes, so a stroke over pixels already drawn reads
// those bits instead of the picture and writes nothing.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

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
    if (cut)
      WalkArc(
          arc, rows_.width, rows_.top, rows_.bottom, [&](int x, int y) { PutCut(x, y); },
          [&](double left, double top, double right, double bottom) { return Filled(true, left, top, right, bottom); });
    else
      WalkArc(
          arc, rows_.width, rows_.top, rows_.bottom, [&](int x, int y) { PutRapid(x, y); },
          [&](double left, double top, double right, double bottom) {
            return Filled(false, left, top, right, bottom);
          });
  }

  void Segment(bool cut, double x0, double y0, double x1, double y1) {
    if (!ClipSegment(x0, y0, x1, y1, 0, rows_.width - 1e-6, rows_.top, rows_.bottom - 1e-6)) return;
    const int ax = static_cast<int>(x0), ay = static_cast<int>(y0);
    const int bx = static_cast<int>(x1), by = static_cast<int>(y1);
    // Bresenham's pixels, in the closed form that lets a stroke jump over a full tile: at step
    // k along the longer axis (n steps), the shorter one (m) has moved round(k·m / n), halves up.
    const bool alongX = std::abs(bx - ax) >= std::abs(by - ay);
    const std::int64_t n = alongX ? std::abs(bx - ax) : std::abs(by - ay);
    const std::int64_t m = alongX ? std::abs(by - ay) : std::abs(bx - ax);
    const int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    if (n < kKeptStroke) {
      // Too short to find a full tile worth jumping: stepped as Bresenham steps it.
      int x = ax, y = ay;
      const int longX = alongX ? sx : 0, longY = alongX ? 0 : sy, shortX = alongX ? 0 : sx, shortY = alongX ? sy : 0;
      for (std::int64_t k = 0, error = -n; k <= n; ++k) {
        if (cut || k % 10 < 6) PutUnkept(cut, x, y);
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
  static constexpr int kTileBits = 3;
  // Blocks of 8 × 8 tiles, counting their full tiles, let a long stroke over a crowded sheet
  // jump 64 pixels at a time.
  static constexpr int kBlockBits = 6;
  static constexpr std::uint8_t kTilesInBlock = 64;
  static constexpr int kTilesAcrossBlock = 8;

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
    p = cut || p == background_ || p == kerf_ ? (cut ? cut_ : rapid_) : p;
  }

  static std::uint64_t Bit(int x, int y) { return std::uint64_t{1} << ((y & 7) * 8 + (x & 7)); }

  // Pixels of one tile, as a mask of its bits, from the tile's top left pixel.
  struct TileMask {
    std::size_t tile = ~std::size_t{0};
    int x = 0, y = 0;
    std::uint64_t bits = 0;
  };

  // Bresenham's pixels a column of tiles at a time (a row of them, for a stroke along Y). On a
  // column's edge the stroke moves on by whole columns, with no division, when the blocks (or
  // else the tiles) where it enters and leaves them are full. Otherwise its pixels are gathered
  // into one mask per tile, and each tile's bits are read once and written only if it has
  // something to take.
  void LongStroke(bool cut, int ax, int ay, bool alongX, int n, int m, int sx, int sy) {
    const std::uint64_t* full = (cut ? cutBits_ : taken_).data();
    const std::uint8_t* fullInBlock = (cut ? cutBlocks_ : takenBlocks_).data();
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
      return fullInBlock[static_cast<std::size_t>(by) * blocksAcross_ + bx] == kTilesInBlock;
    };
    const auto tileFull = [&](int tx, int ty) {
      return full[static_cast<std::size_t>(ty) * tilesAcross_ + tx] == ~std::uint64_t{0};
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
        TileMask mask{Tile(x, y), x & ~7, y & ~7, 0};
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
        if ((mask.bits & ~full[mask.tile]) != 0) Fill(cut, mask);
      }
    }
  }

  // A pixel taken with no branch on whether it was: an arc's pixels land on taken and free
  // ones at random.
  void PutCut(int x, int y) {
    const std::size_t tile = Tile(x, y);
    const std::uint64_t bit = Bit(x, y);
    Or(cutBits_, cutBlocks_, tile, bit, x, y);
    Or(taken_, takenBlocks_, tile, bit, x, y);
    rows_.At(x, y) = cut_;
  }

  void PutRapid(int x, int y) {
    const std::size_t tile = Tile(x, y);
    const std::uint64_t bit = Bit(x, y);
    const bool had = (taken_[tile] & bit) != 0;
    Or(taken_, takenBlocks_, tile, bit, x, y);
    std::uint32_t& p = rows_.At(x, y);
    p = !had && (p == background_ || p == kerf_) ? rapid_ : p;
  }

  void Or(std::vector<std::uint64_t>& bits, std::vector<std::uint8_t>& blocks, std::size_t tile, std::uint64_t bit,
          int x, int y) {
    const std::uint64_t had = bits[tile], now = had | bit;
    bits[tile] = now;
    if (now == ~std::uint64_t{0} && had != now) ++blocks[Block(x, y)];
  }

  // Takes the pixels of a tile's mask that the stroke has not taken yet: a cut over everything, a
  // rapid only on free ones, as pixels the sink has not drawn may hold anything. No pixel is
  // ever freed again.
  void Fill(bool cut, const TileMask& mask) {
    std::uint32_t* corner = &rows_.At(mask.x, mask.y);
    const auto pixel = [&](std::uint64_t rest) -> std::uint32_t& {
      const int bit = std::countr_zero(rest);
      return corner[static_cast<std::ptrdiff_t>(bit >> 3) * rows_.stride + (bit & 7)];
    };
    if (cut) {
      const std::uint64_t fresh = mask.bits & ~cutBits_[mask.tile];
      if (fresh == 0) return;
      Take(cutBits_, cutBlocks_, mask, fresh);
      if (fresh & ~taken_[mask.tile]) Take(taken_, takenBlocks_, mask, fresh);
      for (std::uint64_t rest = fresh; rest != 0; rest &= rest - 1) pixel(rest) = cut_;
      return;
    }
    const std::uint64_t fresh = mask.bits & ~taken_[mask.tile];
    if (fresh == 0) return;
    Take(taken_, takenBlocks_, mask, fresh);
    for (std::uint64_t rest = fresh; rest != 0; rest &= rest - 1) {
      std::uint32_t& p = pixel(rest);
      p = (p == background_) | (p == kerf_) ? rapid_ : p;
    }
  }

  // `fresh` holds at least one bit the tile lacks, so a tile is counted full only once.
  void Take(std::vector<std::uint64_t>& bits, std::vector<std::uint8_t>& blocks, const TileMask& mask,
            std::uint64_t fresh) {
    bits[mask.tile] |= fresh;
    if (bits[mask.tile] == ~std::uint64_t{0}) ++blocks[Block(mask.x, mask.y)];
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
