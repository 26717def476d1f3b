// SPDX-License-Identifier: MIT
// The toolkit-free drawing: the view mapping both the painter and the pixel writers use, and
// the pixels a view of a small program gets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "loaded_plot.h"
#include "move_pixels.h"
#include "move_tracer.h"
#include "pierce_marks.h"
#include "pixel_sink.h"
#include "plot_palette.h"
#include "two_core_layers.h"
#include "view_mapping.h"

namespace talvo::plot {
namespace {

TEST(ViewMapping, FitsAndMapsBothWays) {
  PlotExtents box;
  box.Add(0, 0);
  box.Add(100, 50);
  const ViewMapping view = ViewMapping::Fit(box, 232, 132, kPlotFitMargin);
  EXPECT_DOUBLE_EQ(view.scale, 2);
  EXPECT_DOUBLE_EQ(view.ScreenX(0), 16);
  EXPECT_DOUBLE_EQ(view.ScreenY(0), 116);
  EXPECT_DOUBLE_EQ(view.ScreenX(100), 216);
  EXPECT_DOUBLE_EQ(view.ScreenY(50), 16);
  EXPECT_DOUBLE_EQ(view.ProgramX(216), 100);
  EXPECT_DOUBLE_EQ(view.ProgramY(16), 50);
  const ScreenMap map(view);
  EXPECT_EQ(map.X(37.25), view.ScreenX(37.25));
  EXPECT_EQ(map.Y(-3.5), view.ScreenY(-3.5));
  // Zooming keeps the program point under the anchor.
  const ViewMapping zoomed = view.ZoomedAbout(60, 40, 4);
  EXPECT_DOUBLE_EQ(zoomed.scale, 8);
  EXPECT_NEAR(zoomed.ProgramX(60), view.ProgramX(60), 1e-12);
  EXPECT_NEAR(zoomed.ProgramY(40), view.ProgramY(40), 1e-12);
}

TEST(TwoCoreLayers, ALayerLaidOverKeepsCutsOverRapids) {
  const std::uint32_t cut = palette::kCut, rapid = palette::kRapid, free = palette::kBackground,
                      mark = palette::kPierce;
  const struct {
    std::uint32_t below, layer, after;  // layer 0: nothing drawn there
  } pixels[] = {
      {free, 0, free},   {free, rapid, rapid}, {mark, rapid, mark}, {cut, rapid, cut},
      {rapid, cut, cut}, {mark, cut, cut},     {rapid, 0, rapid},   {free, cut, cut},
  };
  const int n = static_cast<int>(std::size(pixels));
  std::vector<std::uint32_t> below, layer;
  for (const auto& p : pixels) {
    below.push_back(p.below);
    layer.push_back(p.layer);
  }
  LayOver({layer.data(), n, n, 1}, {below.data(), n, n, 1}, {cut, rapid, free, palette::kKerf});
  for (int x = 0; x < n; ++x) EXPECT_EQ(below[x], pixels[x].after) << x;
}

TEST(MovePixels, WritesCutsSolidAndRapidsDashedWhereTheViewShowsThem) {
  // A rapid to (10, 0), then a cut along Y to (10, 40), at one pixel a millimetre.
  const LoadedPlot plot = PlotOfText("G0X10Y0\nG1X10Y40F100\n");
  const ViewMapping view{60, 60, 1, 25, 25};
  std::vector<std::uint32_t> bits(std::size_t{60} * 60, palette::kBackground);
  const PixelBuffer picture{bits.data(), 60, 60, 60};
  WriteMovePixels(picture, plot, view);
  const auto at = [&](double x, double y) {
    return picture.At(static_cast<int>(view.ScreenX(x)), static_cast<int>(view.ScreenY(y)));
  };
  EXPECT_EQ(at(10, 20), palette::kCut);
  EXPECT_EQ(at(10, 39), palette::kCut);
  EXPECT_EQ(at(2, 0), palette::kRapid);
  EXPECT_EQ(at(7, 0), palette::kBackground);  // a gap of the dashes
  EXPECT_EQ(at(30, 20), palette::kBackground);
  // The done moves into a transparent overlay, in one grey.
  std::vector<std::uint32_t> overlay(bits.size(), 0u);
  WriteDoneMoves({overlay.data(), 60, 60, 60}, plot, view, 1, 2);
  const auto overlayAt = [&](double x, double y) {
    return overlay[static_cast<std::size_t>(view.ScreenY(y)) * 60 + static_cast<std::size_t>(view.ScreenX(x))];
  };
  EXPECT_EQ(overlayAt(10, 20), palette::kDone);
  EXPECT_EQ(overlayAt(2, 0), 0u);
  // The kerf band, 4 pixels wide, beside the cut but not beside the rapid.
  std::fill(bits.begin(), bits.end(), palette::kBackground);
  WriteKerfBand(picture, plot, view, 4);
  EXPECT_EQ(at(11.5, 20), palette::kKerf);
  EXPECT_EQ(at(8.5, 20), palette::kKerf);
  EXPECT_EQ(at(13, 20), palette::kBackground);
  EXPECT_EQ(at(5, 1.5), palette::kBackground);
}

// The moves in view are shared out to two cores, cuts first: a view of the whole program a
// slice at a time, a closer view a region of the index each. Either way the picture is the one
// a single pass over every move in program order gives: cuts over rapids, rapids on free
// pixels. Enough moves for each core to take more than one slice.
TEST(MovePixels, TwoCoresGiveTheOnePassPicture) {
  std::mt19937 random(20261210);
  std::uniform_real_distribution<double> at(0, 300);
  std::string text = "G21G90\n";
  char line[96];
  for (int k = 0; k < 6000; ++k) {
    const double x = at(random), y = at(random) / 2, r = 1 + at(random) / 30;
    std::snprintf(line, sizeof line, "G0X%.3fY%.3f\nG1Y%.3fF900\nG2J%.3f\n", x, y, y - r, r);
    text += line;
  }
  const LoadedPlot plot = PlotOfText(text);
  ASSERT_EQ(plot.program.errorCount, 0u);
  const ViewMapping fitted = ViewMapping::Fit(plot.program.extents, 320, 200, kPlotFitMargin);
  for (const ViewMapping& view : {fitted, fitted.ZoomedAbout(130, 90, 3)}) {
    ASSERT_TRUE(CrowdedView(plot, view));
    std::vector<std::uint32_t> drawn(std::size_t{320} * 200, palette::kBackground), once = drawn;
    WriteMovePixels({drawn.data(), 320, 320, 200}, plot, view);

    StrokeBits bits(320, 200);
    PixelSink sink(bits, 0, 200);
    TracedShapes traced;
    const ScreenMap map(view);
    for (std::size_t i = 0; i < plot.program.moves.size(); ++i)
      TraceMove(plot.program.moves, i, view, map, traced, sink);
    bits.Paint({once.data(), 320, 320, 200}, 0, 200,
               {palette::kCut, palette::kRapid, palette::kBackground, palette::kKerf});
    EXPECT_EQ(drawn, once) << "scale " << view.scale;
    EXPECT_NE(std::count(drawn.begin(), drawn.end(), palette::kRapid), 0);
    EXPECT_NE(std::count(drawn.begin(), drawn.end(), palette::kCut), 0);
  }
}

TEST(PierceMarks, OneMarkASpot) {
  // Two pierces 1 mm apart and one far off, at one pixel a millimetre.
  const LoadedPlot plot = PlotOfText("G0X10Y10\nG1X20F100\nG0X11Y10\nG1X20F100\nG0X40Y40\nG1X50F100\n");
  const std::vector<ScreenPoint> marks = PierceMarks(plot.program, ViewMapping{60, 60, 1, 30, 30});
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_DOUBLE_EQ(marks[0].x, 10);
  EXPECT_DOUBLE_EQ(marks[0].y, 50);
  EXPECT_DOUBLE_EQ(marks[1].x, 40);
  EXPECT_DOUBLE_EQ(marks[1].y, 20);
}

}  // namespace
}  // namespace talvo::plot
