// SPDX-License-Identifier: MIT
// libFuzzer target over talvo-plot's reader, job summary and drawing: any bytes must read,
// sum up and draw without a crash, and what is read must hang together. `make fuzz` runs it
// with the seeds in corpus/plot_reader/.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "arc_geometry.h"
#include "fuzz_check.h"
#include "job_summary.h"
#include "loaded_plot.h"
#include "move_pixels.h"
#include "pierce_marks.h"
#include "plot_palette.h"
#include "view_mapping.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talvo::plot;
  using talvo::fuzz::Check;
  const LoadedPlot plot = PlotOfText(std::string(reinterpret_cast<const char*>(data), size));
  const PlotProgram& p = plot.program;
  Check(p.errors.size() <= p.errorCount, "no more errors kept than counted");
  for (const PlotMove& m : p.moves) {
    Check(m.line < p.lineStarts.size(), "a move's line is a line of the text");
    const PlotExtents box = MoveBox(m);
    Check(std::isfinite(box.minX) && std::isfinite(box.maxY) && std::isfinite(MoveLength(m)),
          "a move's box and length are finite");
    Check(box.minX >= p.extents.minX && box.maxY <= p.extents.maxY, "the extents hold every move");
    if (m.IsArc()) Check(std::abs(ArcSweep(m)) <= 2 * 3.14159265358979324 + 1e-12, "an arc sweeps at most a turn");
  }
  for (std::size_t i = 1; i < p.moves.size(); ++i) {
    Check(p.moves[i - 1].line <= p.moves[i].line, "moves come in the order of their lines");
  }
  if (!p.moves.empty()) {
    const PlotMove& first = p.moves.front();
    plot.index.Nearest(p, first.end.x, first.end.y, 1.0);
    Check(plot.index.CountNear(p.extents) == p.moves.size(), "the index holds every move");

    const JobSummary s = SummarizeJob(p, JobSettings{});
    Check(s.pierces == p.pierces.size(), "the summary counts every pierce");
    Check(std::isfinite(s.cutSeconds) && s.cutSeconds >= 0 && std::isfinite(s.totalSeconds),
          "the estimate is a finite time");
    Check(s.TimeKnown() == (s.cutsWithoutFeed + s.cutsAtFeedZero + s.cutsAtUnknownFeed == 0),
          "an estimate is refused only for a feed");

    // Fitted, and close up on the first move's end, as the window opens and zooms, with a
    // kerf band 3 pixels wide at the fitted view, and playback's done moves over it.
    std::vector<std::uint32_t> bits(std::size_t{96} * 64);
    const PixelBuffer picture{bits.data(), 96, 96, 64};
    const ViewMapping fitted = ViewMapping::Fit(p.extents, picture.width, picture.height, 4);
    ViewMapping close = fitted;
    close.centreX = first.end.x;
    close.centreY = first.end.y;
    for (const ViewMapping& view : {fitted, close.ZoomedAbout(48, 32, 1e4)}) {
      bits.assign(bits.size(), palette::kBackground);
      for (const ScreenPoint& mark : PierceMarks(p, view)) {
        Check(mark.x >= 0 && mark.y >= 0, "a pierce mark is kept only where the picture is");
      }
      WriteKerfBand(picture, plot, view, 3 / fitted.scale * view.scale);
      WriteMovePixels(picture, plot, view);
      std::vector<std::uint32_t> overlay(bits.size(), 0u);
      WriteDoneMoves({overlay.data(), 96, 96, 64}, plot, view, 0, p.moves.size());
    }
  }
  return 0;
}
