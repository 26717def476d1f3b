// SPDX-License-Identifier: MIT
#include "move_pixels.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "kerf_sink.h"
#include "move_tracer.h"
#include "pixel_sink.h"
#include "plot_palette.h"
#include "stroke_bits.h"
#include "two_core_layers.h"

namespace talvo::plot {

namespace {

constexpr std::size_t kSmoothBelow = 3000;  // moves in view drawn smoothly; above, pixels direct

// The part of the program within `pixels` of the view.
PlotExtents Around(const ViewMapping& view, double pixels) {
  PlotExtents area;
  area.Add(view.ProgramX(-pixels), view.ProgramY(-pixels));
  area.Add(view.ProgramX(view.width + pixels), view.ProgramY(view.height + pixels));
  return area;
}

bool HoldsWholeProgram(const PlotProgram& program, const PlotExtents& area) {
  const PlotExtents& e = program.extents;
  return e.Empty() || (area.minX <= e.minX && area.maxX >= e.maxX && area.minY <= e.minY && area.maxY >= e.maxY);
}

// The whole program's moves, dealt a slice at a time to whichever core asks next: both cores
// stay busy to the end even when one of them is held up, and a slice's strokes mostly land
// where the slices before it have filled the picture, as in one pass.
class MoveSlices {
 public:
  explicit MoveSlices(std::size_t moves) : moves_(moves) {}

  /// The next slice [first, last); false when all have been dealt.
  bool Next(std::size_t& first, std::size_t& last) {
    first = next_.fetch_add(kSlice, std::memory_order_relaxed);
    last = std::min(moves_, first + kSlice);
    return first < moves_;
  }

 private:
  static constexpr std::size_t kSlice = 4096;
  const std::size_t moves_;
  std::atomic<std::size_t> next_{0};
};

// Calls visit(i) for this core's share of the moves whose box meets `area`. A view of the whole
// program takes its moves slice by slice from `slices`, reading them as they lie in memory; a
// closer view finds them through the index, part `part` of two taking a region of it.
template <typename Visit>
void ForEachMoveIn(const LoadedPlot& plot, const PlotExtents& area, std::size_t part, MoveSlices& slices,
                   Visit&& visit) {
  const MoveList& moves = plot.program.moves;
  if (HoldsWholeProgram(plot.program, area)) {
    for (std::size_t first = 0, last = 0; slices.Next(first, last);)
      for (std::size_t i = first; i < last; ++i) visit(static_cast<std::uint32_t>(i));
    return;
  }
  plot.Index().ForEachIn(moves, area, visit, part, 2);
}

}  // namespace

bool CrowdedView(const LoadedPlot& plot, const ViewMapping& view) {
  const PlotExtents visible = view.Visible();
  if (HoldsWholeProgram(plot.program, visible)) return plot.program.moves.size() >= kSmoothBelow;
  return plot.Index().CountNear(visible) >= kSmoothBelow;
}

void WriteKerfBand(const PixelBuffer& picture, const LoadedPlot& plot, const ViewMapping& view, double widthPixels) {
  if (!(widthPixels >= 1)) return;  // thinner than the line itself
  const MoveList& moves = plot.program.moves;
  const ScreenMap map(view);
  const PlotExtents area = Around(view, widthPixels / 2 + 1);
  // Under everything drawn after it, on both cores: a band pixel is a band pixel whoever wrote
  // it, so with every colour the band's, each band pixel of the layer lands.
  const std::uint32_t band = palette::kKerf;
  MoveSlices slices(moves.size());
  OnTwoCores(picture, {band, band, band, band}, [&](const PixelBuffer& target, std::size_t part) {
    KerfSink sink(target, 0, target.height, widthPixels, band);
    TracedShapes traced;
    ForEachMoveIn(plot, area, part, slices, [&](std::uint32_t i) {
      if (moves.IsCut(i)) TraceMove(moves, i, view, map, traced, sink);
    });
  });
}

void WriteMovePixels(const PixelBuffer& picture, const LoadedPlot& plot, const ViewMapping& view,
                     const std::function<void()>& underneath) {
  const MoveList& moves = plot.program.moves;
  const ScreenMap map(view);
  // Both cores trace the moves in view into bits they share, so neither draws over what the
  // other has filled. Sharing out the moves rather than the rows keeps both cores busy when the
  // moves pile up in a few rows.
  const PlotExtents area = Around(view, 1);
  StrokeBits bits(picture.width, picture.height);
  MoveSlices slices(moves.size());
  const auto trace = [&](std::size_t part) {
    PixelSink sink(bits, 0, picture.height);
    TracedShapes traced;
    // Cuts first: they fill most of a crowded picture, and the rapids, kept for last, then
    // jump the full tiles instead of stepping an empty picture pixel by pixel.
    std::vector<std::uint32_t> rapids;
    ForEachMoveIn(plot, area, part, slices, [&](std::uint32_t i) {
      if (moves.IsCut(i))
        TraceMove(moves, i, view, map, traced, sink);
      else
        rapids.push_back(i);
    });
    for (const std::uint32_t i : rapids) TraceMove(moves, i, view, map, traced, sink);
  };
  std::thread second(trace, std::size_t{1});
  if (underneath) underneath();
  trace(0);
  second.join();
  bits.Paint(picture, 0, picture.height, {palette::kCut, palette::kRapid, palette::kBackground, palette::kKerf});
}

void WriteDoneMoves(const PixelBuffer& overlay, const LoadedPlot& plot, const ViewMapping& view, std::size_t first,
                    std::size_t last) {
  const MoveList& moves = plot.program.moves;
  const ScreenMap map(view);
  TracedShapes traced;
  StrokeBits bits(overlay.width, overlay.height);
  PixelSink sink(bits, 0, overlay.height);
  for (std::size_t i = first; i < last && i < moves.size(); ++i) TraceMove(moves, i, view, map, traced, sink);
  // Transparent pixels are the free ones; done rapids dashed, done cuts solid, in one grey.
  bits.Paint(overlay, 0, overlay.height, {palette::kDone, palette::kDone, 0, 0});
}

}  // namespace talvo::plot
