// SPDX-License-Identifier: MIT
#include "win32_plot_picture.h"

#include <algorithm>
#include <cmath>

#include "move_pixels.h"
#include "move_tracer.h"
#include "pierce_marks.h"
#include "pixel_sink.h"
#include "plot_palette.h"

namespace talvo::plot {
namespace {

void Put(const PixelBuffer& p, int x, int y, std::uint32_t colour) {
  if (x >= 0 && y >= 0 && x < p.width && y < p.height) p.At(x, y) = colour;
}

// A one-pixel line along X or Y, dashed when `dash` is above zero.
void AxisLine(const PixelBuffer& p, double x0, double y0, double x1, double y1, std::uint32_t colour, int dash = 0) {
  const bool alongX = std::abs(x1 - x0) >= std::abs(y1 - y0);
  const double from = alongX ? std::min(x0, x1) : std::min(y0, y1);
  const double to = alongX ? std::max(x0, x1) : std::max(y0, y1);
  const double at = alongX ? y0 : x0;
  const int limit = alongX ? p.width : p.height;
  const int first = static_cast<int>(std::max(from, -1.0)), last = static_cast<int>(std::min(to, limit + 1.0));
  if (std::abs(at) > 1e9) return;
  for (int k = first; k <= last; ++k) {
    if (dash > 0 && k % (2 * dash) >= dash) continue;
    if (alongX)
      Put(p, k, static_cast<int>(std::floor(at)), colour);
    else
      Put(p, static_cast<int>(std::floor(at)), k, colour);
  }
}

void DrawSheet(const PixelBuffer& p, const LoadedPlot& plot, const ViewMapping& view, const JobSettings& job) {
  if (!(job.sheetX > 0 && job.sheetY > 0)) return;
  // The sheet is kept in millimetres; an inch program is drawn in inches.
  const double unit = plot.program.units == PlotUnits::Inch ? 25.4 : 1;
  const double left = view.ScreenX(-job.sheetOriginX / unit),
               right = view.ScreenX((job.sheetX - job.sheetOriginX) / unit);
  const double bottom = view.ScreenY(-job.sheetOriginY / unit),
               top = view.ScreenY((job.sheetY - job.sheetOriginY) / unit);
  AxisLine(p, left, top, right, top, palette::kSheet, 4);
  AxisLine(p, left, bottom, right, bottom, palette::kSheet, 4);
  AxisLine(p, left, top, left, bottom, palette::kSheet, 4);
  AxisLine(p, right, top, right, bottom, palette::kSheet, 4);
}

void DrawRing(const PixelBuffer& p, double cx, double cy, double radius, std::uint32_t colour) {
  const int r = static_cast<int>(std::ceil(radius));
  for (int dy = -r; dy <= r; ++dy) {
    for (int dx = -r; dx <= r; ++dx) {
      const double d = std::hypot(dx, dy);
      if (d <= radius + 0.5 && d >= radius - 0.8) Put(p, static_cast<int>(cx) + dx, static_cast<int>(cy) + dy, colour);
    }
  }
}

// A sink that writes every stroke solid and three pixels wide, for the selected moves.
class ThickSink {
 public:
  explicit ThickSink(const PixelBuffer& p) : bits_(p.width, p.height), sink_(bits_, 0, p.height) {}
  void Dot(bool, double x, double y) {
    for (const auto& [dx, dy] : kOffsets) sink_.Dot(true, x + dx, y + dy);
  }
  void Segment(bool, double x0, double y0, double x1, double y1) {
    for (const auto& [dx, dy] : kOffsets) sink_.Segment(true, x0 + dx, y0 + dy, x1 + dx, y1 + dy);
  }
  void Paint(const PixelBuffer& p) const { bits_.Paint(p, 0, p.height, {palette::kHighlight, palette::kHighlight}); }

 private:
  static constexpr std::pair<double, double> kOffsets[] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  StrokeBits bits_;
  PixelSink sink_;
};

}  // namespace

void DrawPlotPicture(const PixelBuffer& picture, const LoadedPlot& plot, const ViewMapping& view,
                     const PictureExtras& extras) {
  // What lies under the moves, drawn on this core while the other starts on the moves.
  WriteMovePixels(picture, plot, view, [&] {
    for (int y = 0; y < picture.height; ++y) std::fill_n(&picture.At(0, y), picture.width, palette::kBackground);
    DrawSheet(picture, plot, view, extras.job);
    for (const ScreenPoint& mark : PierceMarks(plot.program, view)) {
      DrawRing(picture, mark.x, mark.y, kPierceRadiusPixels, palette::kPierce);
    }
    if (extras.kerf > 0) WriteKerfBand(picture, plot, view, extras.kerf * view.scale);
  });
  const double ox = view.ScreenX(0), oy = view.ScreenY(0);
  AxisLine(picture, ox - 10, oy, ox + 10, oy, palette::kOrigin);
  AxisLine(picture, ox, oy - 10, ox, oy + 10, palette::kOrigin);
  DrawRing(picture, ox, oy, 5, palette::kOrigin);

  const MoveList& moves = plot.program.moves;
  const auto [first, last] = extras.highlight;
  if (first >= last) return;
  const ScreenMap map(view);
  TracedShapes traced;
  ThickSink sink(picture);
  for (std::size_t i = first; i < last && i < moves.size(); ++i) TraceMove(moves, i, view, map, traced, sink);
  sink.Paint(picture);
}

}  // namespace talvo::plot
