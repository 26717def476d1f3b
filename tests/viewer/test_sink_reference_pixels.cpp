// SPDX-License-Identifier: MIT
// The pixel sink's loops are tuned for speed, and it keeps bits where the plain loops wrote
// pixels; the picture painted from its bits must stay bit for bit the one the plain loops
// wrote, for strokes, dots and arcs of every kind and any picture.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "clip_segment.h"
#include "pixel_sink.h"
#include "reference_pixel_sink.h"

namespace talvo::plot {
namespace {

constexpr int kWidth = 301, kHeight = 203;
constexpr std::uint32_t kFree = 0x102030u, kBand = 0x78a0ffu, kMark = 0xffff8c00u;
constexpr std::uint32_t kCut = 0x0033ccu, kRapid = 0xd00000u;

struct Case {
  const char* name;
  bool opaque;      // else transparent, free pixels 0
  bool band;        // a kerf band and marks already in the picture
  int top, bottom;  // the rows the sink writes
  int ops;          // strokes, dots and arcs drawn, enough to fill most tiles
  double reach;     // how far off the picture strokes may start and end
};

const Case kCases[] = {
    {"OpaqueWithBand", true, true, 0, kHeight, 12000, 40}, {"OpaqueBare", true, false, 0, kHeight, 12000, 40},
    {"Transparent", false, false, 0, kHeight, 12000, 40},  {"BandOfRows", true, true, 37, 150, 12000, 40},
    {"FarOffEnds", true, true, 0, kHeight, 4000, 1e6},
};

std::vector<std::uint32_t> Before(const Case& c) {
  std::vector<std::uint32_t> bits(std::size_t{kWidth} * kHeight, c.opaque ? 0xff000000u | kFree : 0u);
  if (!c.band) return bits;
  for (int y = 40; y < 80; ++y)
    for (int x = 0; x < kWidth; ++x)
      bits[static_cast<std::size_t>(y) * kWidth + x] = x % 7 ? 0xff000000u | kBand : kMark;
  return bits;
}

// The same calls for every sink from one seeded source: long and short strokes, dots, and
// arcs small and huge, whole and partial, many on a few centres so that they land on tiles
// already full.
template <typename Draw>
void SeededCalls(const Case& c, unsigned seed, Draw&& draw) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> x(-c.reach, kWidth + c.reach), y(-c.reach, kHeight + c.reach);
  std::uniform_real_distribution<double> unit(0, 1), angle(0, 6.283185307179586);
  std::uniform_int_distribution<int> kind(0, 9), centre(0, 11);
  for (int k = 0; k < c.ops; ++k) {
    const bool cut = unit(random) < 0.35;
    const int what = kind(random);
    const double x0 = x(random), y0 = y(random);
    if (what < 3) {
      draw.Segment(cut, x0, y0, x(random), y(random));
    } else if (what < 4) {
      // Ends on whole pixels, where rounding decides the last pixel.
      draw.Segment(cut, x0, y0, std::round(x(random)), std::round(y(random)));
    } else if (what < 6) {
      const double d = unit(random) < 0.5 ? 3 : 20;
      draw.Segment(cut, x0, y0, x0 + d * (2 * unit(random) - 1), y0 + d * (2 * unit(random) - 1));
    } else if (what < 7) {
      draw.Dot(cut, x0, y0);
    } else {
      const int at = centre(random);
      ScreenArc arc;
      arc.cx = at < 6 ? 20 + at * 50.5 : x0;
      arc.cy = at < 6 ? 30 + (at % 3) * 70.25 : y0;
      arc.r = unit(random) < 0.1 ? 1e5 * unit(random) : 0.75 + 60 * unit(random) * unit(random);
      const double a = angle(random), b = angle(random);
      arc.sx = arc.r * std::cos(a);
      arc.sy = arc.r * std::sin(a);
      arc.ex = 3 * std::cos(b);
      arc.ey = 3 * std::sin(b);
      arc.whole = unit(random) < 0.4;
      draw.Arc(cut, arc);
    }
  }
}

// Each call to both sinks, the pictures compared every few calls, before later strokes can
// cover a difference. Painting the bits again over what they painted before changes nothing
// they have not taken since.
struct BothSinks {
  PixelSink& fast;
  ReferencePixelSink& plain;
  const std::function<void()> paint;
  const std::vector<std::uint32_t>& fastPixels;
  const std::vector<std::uint32_t>& plainPixels;
  int calls = 0, differing = 0;

  void Compared() {
    if (++calls % 50 != 0) return;
    paint();
    differing += fastPixels != plainPixels;
  }
  void Dot(bool cut, double x, double y) {
    fast.Dot(cut, x, y);
    plain.Dot(cut, x, y);
    Compared();
  }
  void Segment(bool cut, double x0, double y0, double x1, double y1) {
    fast.Segment(cut, x0, y0, x1, y1);
    plain.Segment(cut, x0, y0, x1, y1);
    Compared();
  }
  void Arc(bool cut, const ScreenArc& arc) {
    fast.Arc(cut, arc);
    plain.Arc(cut, arc);
    Compared();
  }
};

class SinkReferencePixels : public testing::TestWithParam<Case> {};

TEST_P(SinkReferencePixels, SameAsThePlainLoops) {
  const Case& c = GetParam();
  std::vector<std::uint32_t> fast = Before(c), plain = Before(c);
  const std::uint32_t free = c.opaque ? kFree : 0, band = c.band ? kBand : 0;
  for (const unsigned seed : {1u, 2u, 3u}) {
    StrokeBits bits(kWidth, kHeight);
    PixelSink sink(bits, c.top, c.bottom);
    ReferencePixelSink reference({plain.data(), kWidth, kWidth, kHeight}, c.top, c.bottom, kCut, kRapid, free, band);
    const auto paint = [&] {
      bits.Paint({fast.data(), kWidth, kWidth, kHeight}, c.top, c.bottom, {kCut, kRapid, free, band});
    };
    BothSinks both{sink, reference, paint, fast, plain};
    SeededCalls(c, seed, both);
    paint();
    EXPECT_EQ(both.differing, 0) << "seed " << seed;
    EXPECT_EQ(fast, plain) << "seed " << seed;
  }
  int drawn = 0;
  const std::vector<std::uint32_t> before = Before(c);
  for (std::size_t i = 0; i < fast.size(); ++i) drawn += fast[i] != before[i];
  EXPECT_GT(drawn, (c.bottom - c.top) * kWidth / 3);  // the calls did crowd the picture
}

TEST(SinkReferencePixels, ClippedEndsSameAsThePlainCut) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> x(-60, kWidth + 60), y(-60, kHeight + 60);
  int differ = 0;
  for (int k = 0; k < 200000; ++k) {
    double a[4] = {x(random), y(random), x(random), y(random)};
    if (k % 2) {  // whole pixels, where rounding shows
      a[2] = std::round(a[2]);
      a[3] = std::round(a[3]);
    }
    double b[4] = {a[0], a[1], a[2], a[3]};
    const bool kept = ClipSegment(a[0], a[1], a[2], a[3], 0, kWidth - 1e-6, 0, kHeight - 1e-6);
    const bool plainKept = ReferenceClipSegment(b[0], b[1], b[2], b[3], 0, kWidth - 1e-6, 0, kHeight - 1e-6);
    differ += kept != plainKept || (kept && (a[0] != b[0] || a[1] != b[1] || a[2] != b[2] || a[3] != b[3]));
  }
  EXPECT_EQ(differ, 0);
}

INSTANTIATE_TEST_SUITE_P(Pictures, SinkReferencePixels, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace talvo::plot
