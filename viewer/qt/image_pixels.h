// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <cstdint>

#include "pixel_buffer.h"

namespace talvo::plot {

/// The 32-bit pixels of `image` (RGB32 or ARGB32) for the drawing to write in place.
inline PixelBuffer PixelsOf(QImage& image) {
  return {reinterpret_cast<std::uint32_t*>(image.bits()), static_cast<int>(image.bytesPerLine() / 4), image.width(),
          image.height()};
}

}  // namespace talvo::plot
