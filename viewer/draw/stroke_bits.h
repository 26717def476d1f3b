// SPDX-License-Identifier: MIT
// The pixels strokes have taken, and which of those they cut: a bit a pixel, packed by tiles of
// 8 × 8, so a whole picture fits in a few hundred kilobytes that stay in the cache while its
// pixels do not. Cuts win over everything and rapids take only free pixels, so the picture
// these bits paint is the same whatever order the strokes came in: the sinks of two cores can
// share one set, each skipping the tiles the other has filled, and the picture is painted once
// at the end.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pixel_buffer.h"

namespace talvo::plot {

/// The colours strokes are painted in, 0xRRGGBB. A background of 0 stands for a transparent
/// picture, whose free pixels are 0; a kerf of 0 for none.
struct StrokeColours {
  std::uint32_t cut = 0, rapid = 0, background = 0, kerf = 0;
};

class StrokeBits {
 public:
  static constexpr int kTileBits = 3;
  // Blocks of 8 × 8 tiles, counting their full tiles, let a long stroke over a crowded sheet
  // jump 64 pixels at a time.
  static constexpr int kBlockBits = 6;
  static constexpr std::uint8_t kTilesInBlock = 64;
  static constexpr std::uint64_t kFullTile = ~std::uint64_t{0};

  StrokeBits(int width, int height)
      : width_(width),
        tilesAcross_((width >> kTileBits) + 1),
        blocksAcross_((width >> kBlockBits) + 1),
        taken_(Tiles(height), Blocks(height)),
        cut_(Tiles(height), Blocks(height)) {}

  int Width() const { return width_; }

  std::size_t Tile(int x, int y) const {
    return static_cast<std::size_t>(y >> kTileBits) * tilesAcross_ + (x >> kTileBits);
  }
  std::size_t Block(int x, int y) const {
    return static_cast<std::size_t>(y >> kBlockBits) * blocksAcross_ + (x >> kBlockBits);
  }
  static std::uint64_t Bit(int x, int y) { return std::uint64_t{1} << ((y & 7) * 8 + (x & 7)); }

  /// True when every pixel of a tile is taken by some stroke, or cut.
  bool TileFull(bool cut, std::size_t tile) const { return Load(Of(cut).tiles[tile]) == kFullTile; }
  bool BlockFull(bool cut, std::size_t block) const {
    return std::atomic_ref(const_cast<std::uint8_t&>(Of(cut).blocks[block])).load(std::memory_order_relaxed) ==
           kTilesInBlock;
  }

  /// Marks pixels of one tile (its top left pixel x, y) taken, and cut too for a cut. Another
  /// core may take pixels of the same tile at once: a bit once set stays set.
  void Take(bool cut, std::size_t tile, int x, int y, std::uint64_t bits) {
    if (cut) Or(cut_, tile, x, y, bits);
    Or(taken_, tile, x, y, bits);
  }

  /// Writes the pixels the bits hold into rows [top, bottom) of `pixels`: cut pixels over
  /// anything, the others taken over background and kerf pixels only.
  void Paint(const PixelBuffer& pixels, int top, int bottom, const StrokeColours& colours) const;

 private:
  struct Kind {
    Kind(std::size_t tileCount, std::size_t blockCount) : tiles(tileCount), blocks(blockCount) {}
    std::vector<std::uint64_t> tiles;
    std::vector<std::uint8_t> blocks;  // how many of each block's tiles are full
  };

  std::size_t Tiles(int height) const { return static_cast<std::size_t>(tilesAcross_) * ((height >> kTileBits) + 1); }
  std::size_t Blocks(int height) const {
    return static_cast<std::size_t>(blocksAcross_) * ((height >> kBlockBits) + 1);
  }
  const Kind& Of(bool cut) const { return cut ? cut_ : taken_; }

  // Read as the other core may write it; the words are never const.
  static std::uint64_t Load(const std::uint64_t& word) {
    return std::atomic_ref(const_cast<std::uint64_t&>(word)).load(std::memory_order_relaxed);
  }

  // A tile is counted full by the one Or that fills it. Most pixels a crowded sheet's strokes
  // cross are taken already, and cost a read.
  void Or(Kind& kind, std::size_t tile, int x, int y, std::uint64_t bits) {
    std::uint64_t& word = kind.tiles[tile];
    if ((bits & ~Load(word)) == 0) return;
    const std::uint64_t had = std::atomic_ref<std::uint64_t>(word).fetch_or(bits, std::memory_order_relaxed);
    if (had != kFullTile && (had | bits) == kFullTile)
      std::atomic_ref<std::uint8_t>(kind.blocks[Block(x, y)]).fetch_add(1, std::memory_order_relaxed);
  }

  int width_, tilesAcross_, blocksAcross_;
  Kind taken_, cut_;
};

}  // namespace talvo::plot
