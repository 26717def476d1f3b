// SPDX-License-Identifier: MIT
// A crowded view's kerf band shared by two cores: each writes its share of the moves, the second
// into a transparent layer that is then laid over the first's picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <thread>
#include <vector>

#include "large_pages.h"
#include "pixel_buffer.h"
#include "stroke_bits.h"

namespace talvo::plot {

/// Lays a transparent layer over `picture` (of the same size), by the strokes' own rule: cut
/// pixels over everything, rapid pixels only on background and kerf ones.
void LayOver(const PixelBuffer& layer, const PixelBuffer& picture, const StrokeColours& colours);

/// Calls write(target, part) for the two shares of a view's moves at once: part 0 into
/// `picture`, part 1 on a second core into a transparent layer laid over it afterwards.
template <typename Write>
void OnTwoCores(const PixelBuffer& picture, const StrokeColours& colours, Write&& write) {
  LargeVector<std::uint32_t> layerPixels(static_cast<std::size_t>(picture.width) * picture.height, 0u);
  const PixelBuffer layer{layerPixels.data(), picture.width, picture.width, picture.height};
  std::thread second([&] { write(layer, std::size_t{1}); });
  write(picture, std::size_t{0});
  second.join();
  LayOver(layer, picture, colours);
}

}  // namespace talvo::plot
