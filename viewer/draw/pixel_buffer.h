// SPDX-License-Identifier: MIT
// A picture's 32-bit pixels as the drawing writes them. The window that shows the picture owns
// the memory (a QImage, a DIB section), so the drawing needs no toolkit and copies nothing.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talvo::plot {

/// Pixels 0xAARRGGBB, row after row, `stride` pixels from one row to the next.
struct PixelBuffer {
  std::uint32_t* bits = nullptr;
  int stride = 0;
  int width = 0;
  int height = 0;

  std::uint32_t& At(int x, int y) const { return bits[static_cast<std::ptrdiff_t>(y) * stride + x]; }
};

/// The rows [top, bottom) of a buffer that one sink may write, so that two sinks on two bands
/// of one picture can run at once.
struct PixelRows {
  PixelRows(const PixelBuffer& buffer, int top, int bottom)
      : bits(buffer.bits), stride(buffer.stride), width(buffer.width), top(top), bottom(bottom) {}
  std::uint32_t& At(int x, int y) const { return bits[static_cast<std::ptrdiff_t>(y) * stride + x]; }

  std::uint32_t* bits;
  int stride;
  int width;
  int top, bottom;
};

}  // namespace talvo::plot
