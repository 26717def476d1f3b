// SPDX-License-Identifier: MIT
#include "stroke_bits.h"

#include <bit>

namespace talvo::plot {

void StrokeBits::Paint(const PixelBuffer& pixels, int top, int bottom, const StrokeColours& colours) const {
  const std::uint32_t cut = 0xff000000u | colours.cut, rapid = 0xff000000u | colours.rapid;
  const std::uint32_t free = colours.background == 0 ? 0 : 0xff000000u | colours.background;
  const std::uint32_t band = colours.kerf == 0 ? free : 0xff000000u | colours.kerf;
  for (int y = top; y < bottom; ++y) {
    // Row y's eight bits of each tile of its row of tiles.
    const int shift = (y & 7) * 8;
    const std::size_t first = Tile(0, y);
    std::uint32_t* row = &pixels.At(0, y);
    for (int tx = 0; tx < tilesAcross_; ++tx) {
      const unsigned taken = (Load(taken_.tiles[first + tx]) >> shift) & 0xff;
      if (taken == 0) continue;
      const unsigned cuts = (Load(cut_.tiles[first + tx]) >> shift) & 0xff;
      std::uint32_t* eight = row + (tx << kTileBits);
      for (unsigned rest = taken; rest != 0; rest &= rest - 1) {
        const int bit = std::countr_zero(rest);
        std::uint32_t& p = eight[bit];
        p = (cuts >> bit) & 1 ? cut : ((p == free) | (p == band)) ? rapid : p;
      }
    }
  }
}

}  // namespace talvo::plot
