// SPDX-License-Identifier: MIT
// The pixel sink's strokes jump over tiles it has filled: the picture must stay the one that
// stepping every pixel of every stroke gives, whatever the picture held before.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "clip_segment.h"
#include "pixel_sink.h"

namespace talvo::plot {
namespace {

constexpr int kWidth = 300, kHeight = 200;
constexpr std::uint32_t kFree = 0xff102030u, kBand = 0xff78a0ffu, kMark = 0xffff8c00u;
constexpr std::uint32_t kCut = 0xff0033ccu, kRapid = 0xffd00000u;

// One stroke as the sink drew it before it kept tiles: every pixel of Bresenham's line, cuts
// over everything, rapids dashed 6 on 4 off and only on free or band pixels.
void SteppedStroke(std::vector<std::uint32_t>& bits, bool cut, double x0, double y0, double x1, double y1) {
  if (!ClipSegment(x0, y0, x1, y1, 0, kWidth - 1e-6, 0, kHeight - 1e-6)) return;
  int x = static_cast<int>(x0), y = static_cast<int>(y0);
  const int ex = static_cast<int>(x1), ey = static_cast<int>(y1);
  const int dx = std::abs(ex - x), dy = -std::abs(ey - y), sx = x < ex ? 1 : -1, sy = y < ey ? 1 : -1;
  int error = dx + dy;
  for (int k = 0;; ++k) {
    std::uint32_t& p = bits[static_cast<std::size_t>(y) * kWidth + x];
    if (cut)
      p = kCut;
    else if (k % 10 < 6 && (p == kFree || p == kBand))
      p = kRapid;
    if (x == ex && y == ey) break;
    const int e2 = 2 * error;
    if (e2 >= dy) {
      error += dy;
      x += sx;
    }
    if (e2 <= dx) {
      error += dx;
      y += sy;
    }
  }
}

TEST(StrokePixels, TilesJumpedLeaveThePictureOfEveryPixelStepped) {
  // A picture with a kerf band and marks already in it, crossed by thousands of strokes from
  // off the picture and within it until most tiles are full; cuts one in three.
  std::vector<std::uint32_t> before(std::size_t{kWidth} * kHeight, kFree);
  for (int y = 40; y < 80; ++y)
    for (int x = 0; x < kWidth; ++x) before[static_cast<std::size_t>(y) * kWidth + x] = x % 7 ? kBand : kMark;
  std::vector<std::uint32_t> sunk = before, stepped = before;
  StrokeBits bits(kWidth, kHeight);
  PixelSink sink(bits, 0, kHeight);
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> x(-20, kWidth + 20), y(-20, kHeight + 20), step(-3, 3);
  for (int k = 0; k < 6000; ++k) {
    const double x0 = x(random), y0 = y(random);
    // Long strokes and short ones, and now and then a dot-sized one.
    const bool shortOne = k % 4 == 0;
    const double x1 = shortOne ? x0 + step(random) : x(random), y1 = shortOne ? y0 + step(random) : y(random);
    sink.Segment(k % 3 == 0, x0, y0, x1, y1);
    SteppedStroke(stepped, k % 3 == 0, x0, y0, x1, y1);
  }
  bits.Paint({sunk.data(), kWidth, kWidth, kHeight}, 0, kHeight,
             {kCut & 0xffffff, kRapid & 0xffffff, kFree & 0xffffff, kBand & 0xffffff});
  int differ = 0;
  for (std::size_t i = 0; i < sunk.size(); ++i) differ += sunk[i] != stepped[i];
  EXPECT_EQ(differ, 0);
  int changed = 0;
  for (std::size_t i = 0; i < sunk.size(); ++i) changed += sunk[i] != before[i];
  EXPECT_GT(changed, kWidth * kHeight / 2);  // the strokes did fill the picture
}

}  // namespace
}  // namespace talvo::plot
