// SPDX-License-Identifier: MIT
// Arcs walked pixel by pixel: the same line as the chords they replace, at every view, and a
// cost bounded by the view however large the arc.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "arc_walk.h"
#include "loaded_plot.h"
#include "move_tracer.h"
#include "pixel_sink.h"
#include "view_mapping.h"

namespace talvo::plot {
namespace {

constexpr int kWidth = 160, kHeight = 120;
constexpr std::uint32_t kFree = 0x000000, kCut = 0xffffff;

// A sink that draws arcs as chords only, as sinks without a walk of their own do.
struct ChordsOnly {
  PixelSink& sink;
  void Dot(bool cut, double x, double y) { sink.Dot(cut, x, y); }
  void Segment(bool cut, double x0, double y0, double x1, double y1) { sink.Segment(cut, x0, y0, x1, y1); }
};

using Lit = std::vector<bool>;

template <typename Trace>
Lit Pixels(Trace&& trace) {
  std::vector<std::uint32_t> bits(std::size_t{kWidth} * kHeight, 0xff000000u | kFree);
  const PixelBuffer picture{bits.data(), kWidth, kWidth, kHeight};
  StrokeBits taken(kWidth, kHeight);
  PixelSink sink(taken, 0, kHeight);
  trace(sink);
  taken.Paint(picture, 0, kHeight, {kCut, kCut, kFree});
  Lit lit(bits.size());
  for (std::size_t k = 0; k < bits.size(); ++k) lit[k] = bits[k] != (0xff000000u | kFree);
  return lit;
}

// How many pixels lit in `a` have no pixel lit in `b` at most one step away.
int Strays(const Lit& a, const Lit& b) {
  int strays = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (!a[std::size_t(y) * kWidth + x]) continue;
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy)
        for (int dx = -1; dx <= 1 && !near; ++dx) {
          const int nx = x + dx, ny = y + dy;
          near = nx >= 0 && ny >= 0 && nx < kWidth && ny < kHeight && b[std::size_t(ny) * kWidth + nx];
        }
      strays += !near;
    }
  }
  return strays;
}

int Count(const Lit& lit) { return static_cast<int>(std::count(lit.begin(), lit.end(), true)); }

struct ArcCase {
  const char* name;
  const char* program;  // the last move is the arc
  double zoom;          // of the fitted view, about the screen point below
  double anchorX, anchorY;
};

// Full circles, half circles by R, arcs within one octant and across many, both ways, nearly
// whole turns, and views that cut them or see a huge one as nearly straight.
const ArcCase kArcs[] = {
    {"circle by J", "G0X0Y-20\nG2J20F100\n", 1, 80, 60},
    {"circle by I, counter-clockwise", "G0X5Y0\nG3I-5F100\n", 1, 80, 60},
    {"half circle by R", "G0X-30Y0\nG3X30Y0R30F100\n", 1, 80, 60},
    {"half circle clockwise", "G0X-30Y0\nG2X30Y0R30F100\n", 1, 80, 60},
    {"within one octant", "G0X100Y0\nG3X99.5Y9.983I-100F100\n", 1, 80, 60},
    {"across many octants", "G0X50Y0\nG3X-30Y-40I-50F100\n", 1, 80, 60},
    {"clockwise the long way", "G0X50Y0\nG2X-30Y-40I-50F100\n", 1, 80, 60},
    {"nearly a whole turn", "G0X50Y0\nG3X49.99Y-1I-50J0F100\n", 1, 80, 60},
    {"tiny", "G0X1Y0\nG3X-1Y0I-1F100\nG0X100Y100\nG1X101F100\nG0X0Y0\nG2J3\n", 1, 80, 60},
    {"zoomed in, cut by the view", "G0X0Y-20\nG2J20F100\n", 6, 120, 30},
    {"zoomed on one edge", "G0X-30Y0\nG3X30Y0R30F100\n", 40, 29, 75},
    {"huge radius seen close", "G0X0Y0\nG2I1000000J0F100\n", 1e5, 28, 60},
};

class ArcWalk : public testing::TestWithParam<ArcCase> {};

TEST_P(ArcWalk, LightsTheChordsPixels) {
  const ArcCase& c = GetParam();
  const LoadedPlot plot = PlotOfText(c.program);
  ASSERT_TRUE(plot.program.errors.empty());
  const MoveList& moves = plot.program.moves;
  ViewMapping view = ViewMapping::Fit(plot.program.extents, kWidth, kHeight, 8);
  view = view.ZoomedAbout(c.anchorX, c.anchorY, c.zoom);
  const ScreenMap map(view);
  const std::size_t arc = moves.size() - 1;
  ASSERT_TRUE(moves.IsArc(arc));
  const Lit walked = Pixels([&](PixelSink& sink) {
    TracedShapes traced;
    TraceMove(moves, arc, view, map, traced, sink);
  });
  const Lit chords = Pixels([&](PixelSink& sink) {
    TracedShapes traced;
    ChordsOnly only{sink};
    TraceMove(moves, arc, view, map, traced, only);
  });
  ASSERT_GT(Count(chords), 4);
  EXPECT_EQ(Strays(walked, chords), 0);
  EXPECT_EQ(Strays(chords, walked), 0);
  // One pixel a row or a column, as thin as the chords.
  EXPECT_LE(Count(walked), Count(chords) + Count(chords) / 8 + 2);
}

INSTANTIATE_TEST_SUITE_P(Arcs, ArcWalk, testing::ValuesIn(kArcs), [](const auto& info) {
  std::string name;
  for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return name;
});

TEST(ArcWalk, OctantsFromSignsAlone) {
  const struct {
    double x, y;
    int octant;
  } vectors[] = {
      {1, 0, 0},  {2, 1, 0},   {1, 1, 1},   {1, 2, 1},   {0, 1, 2},  {-1, 2, 2}, {-1, 1, 3}, {-2, 1, 3},
      {-1, 0, 4}, {-2, -1, 4}, {-1, -1, 5}, {-1, -2, 5}, {0, -1, 6}, {1, -2, 6}, {1, -1, 7}, {2, -1, 7},
  };
  for (const auto& v : vectors) EXPECT_EQ(OctantOf(v.x, v.y), v.octant) << v.x << ", " << v.y;
}

// A circle a billion pixels wide that crosses the view costs a few rows and columns of it,
// and lights a line across it.
TEST(ArcWalk, AHugeCircleCostsOnlyTheView) {
  constexpr double r = 1e9;
  const ScreenArc circle{kWidth / 2.0, kHeight / 2.0 + 0.5 + r, r, 0, 0, 0, 0, true};
  int steps = 0;
  std::vector<bool> columns(kWidth);
  WalkArc(circle, kWidth, 0, kHeight, [&](int x, int y) {
    ++steps;
    EXPECT_EQ(y, kHeight / 2);
    columns[x] = true;
  });
  EXPECT_LE(steps, kWidth + 1);  // the column where two octants meet, twice
  EXPECT_EQ(std::count(columns.begin(), columns.end(), true), kWidth);
  const ScreenArc far{kWidth / 2.0 + 3 * r, kHeight / 2.0, r, 0, 0, 0, 0, true};
  WalkArc(far, kWidth, 0, kHeight, [&](int, int) { ADD_FAILURE() << "a circle off the view lit a pixel"; });
}

}  // namespace
}  // namespace talvo::plot
