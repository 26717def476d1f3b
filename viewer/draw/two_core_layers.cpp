// SPDX-License-Identifier: MIT
#include "two_core_layers.h"

namespace talvo::plot {

void LayOver(const PixelBuffer& layer, const PixelBuffer& picture, const StrokeColours& colours) {
  const std::uint32_t cutPixel = 0xff000000u | colours.cut, rapidPixel = 0xff000000u | colours.rapid;
  const std::uint32_t free = 0xff000000u | colours.background, band = 0xff000000u | colours.kerf;
  for (int y = 0; y < picture.height; ++y) {
    const std::uint32_t* from = &layer.At(0, y);
    std::uint32_t* to = &picture.At(0, y);
    for (int x = 0; x < picture.width; ++x) {
      if (from[x] == cutPixel || (from[x] == rapidPixel && (to[x] == free || to[x] == band))) to[x] = from[x];
    }
  }
}

}  // namespace talvo::plot
