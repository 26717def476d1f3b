// SPDX-License-Identifier: MIT
#include "move_pixels.h"

#include <cstdint>

#include "kerf_sink.h"
#include "move_tracer.h"
#include "pixel_sink.h"
#include "plot_palette.h"
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

// Calls visit(i) for part `part` of two of the moves whose box meets `area`. A view of the
// whole program takes every move in program order, reading the moves as they lie in memory;
// a closer view finds its moves through the index.
template <typename Visit>
void ForEachMoveIn(const LoadedPlot& plot, const PlotExtents& area, std::size_t part, Visit&& visit) {
  const MoveList& moves = plot.program.moves;
  if (HoldsWholeProgram(plot.program, area)) {
    for (std::size_t i = moves.size() * part / 2; i < moves.size() * (part + 1) / 2; ++i)
      visit(static_cast<std::uint32_t>(i));
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
  OnTwoCores(picture, {band, band, band, band}, [&](const PixelBuffer& target, std::size_t part) {
    KerfSink sink(target, 0, target.height, widthPixels, band);
    TracedShapes traced;
    ForEachMoveIn(plot, area, part, [&](std::uint32_t i) {
      if (moves.IsCut(i)) TraceMove(moves, i, view, map, traced, sink);
    });
  });
}

void WriteMovePixels(const PixelBuffer& picture, const LoadedPlot& plot, const ViewMapping& view) {
  const MoveList& moves = plot.program.moves;
  const ScreenMap map(view);
  // Each core traces half the moves in view. Cuts win over rapids and rapids take only free
  // pixels whichever stroke comes first, so the picture is the one a single pass gives. Halving
  // the moves rather than the rows keeps both cores busy when the moves pile up in a few rows.
  const PlotExtents area = Around(view, 1);
  const LayerColours colours{palette::kCut, palette::kRapid, palette::kBackground, palette::kKerf};
  OnTwoCores(picture, colours, [&](const PixelBuffer& target, std::size_t part) {
    // The layer's free pixels are the transparent ones.
    PixelSink sink(target, 0, target.height, colours.cut, colours.rapid, part == 0 ? colours.background : 0,
                   colours.kerf);
    TracedShapes traced;
    ForEachMoveIn(plot, area, part, [&](std::uint32_t i) { TraceMove(moves, i, view, map, traced, sink); });
  });
}

void WriteDoneMoves(const PixelBuffer& overlay, const LoadedPlot& plot, const ViewMapping& view, std::size_t first,
                    std::size_t last) {
  const MoveList& moves = plot.program.moves;
  const ScreenMap map(view);
  TracedShapes traced;
  // Transparent pixels are the free ones; done rapids dashed, done cuts solid, in one grey.
  PixelSink sink(overlay, 0, overlay.height, palette::kDone, palette::kDone, 0);
  for (std::size_t i = first; i < last && i < moves.size(); ++i) TraceMove(moves, i, view, map, traced, sink);
}

}  // namespace talvo::plot
