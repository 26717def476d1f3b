// SPDX-License-Identifier: MIT
// libFuzzer target over talvo-plot's reader, its move index and its job summary: any bytes must
// read and sum up without a crash, and what is read must hang together. The drawing has a target
// of its own (fuzz_plot_drawing), so that each input here costs the reading alone. `make fuzz`
// runs it with the seeds in corpus/plot_reader/.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "arc_geometry.h"
#include "fuzz_check.h"
#include "job_summary.h"
#include "loaded_plot.h"
#include "ngc_runner.h"

// A program that loops without end must stop within the fuzzer's timeout.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  talvo::plot::ProgramLanguageLimits() = {200'000, 100, 200'000};
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talvo::plot;
  using talvo::fuzz::Check;
  const LoadedPlot plot = PlotOfText(std::string(reinterpret_cast<const char*>(data), size));
  const PlotProgram& p = plot.program;
  Check(p.errors.size() <= p.errorCount, "no more errors kept than counted");
  Check(std::isfinite(p.cutLength) && std::isfinite(p.rapidLength), "the totals are finite");
  for (const PlotMove& m : p.moves) {
    Check(m.line < p.lineStarts.size(), "a move's line is a line of the text");
    const PlotExtents box = MoveBox(m);
    Check(std::isfinite(box.minX) && std::isfinite(box.maxY) && std::isfinite(MoveLength(m)),
          "a move's box and length are finite");
    Check(box.minX >= p.extents.minX && box.maxY <= p.extents.maxY, "the extents hold every move");
    if (m.IsArc()) Check(std::abs(ArcSweep(m)) <= 2 * 3.14159265358979324 + 1e-12, "an arc sweeps at most a turn");
  }
  // A subroutine or a loop moves again on lines met before; without an o-word, and so without
  // any letter O, the lines only grow.
  const std::string_view text = plot.text;
  if (text.find_first_of("oO") == std::string_view::npos) {
    for (std::size_t i = 1; i < p.moves.size(); ++i) {
      Check(p.moves[i - 1].line <= p.moves[i].line, "moves come in the order of their lines");
    }
  }
  if (p.moves.empty()) return 0;
  const PlotMove first = p.moves.front();
  plot.Index().Nearest(p, first.end.x, first.end.y, 1.0);
  Check(plot.Index().CountNear(p.extents) == p.moves.size(), "the index holds every move");

  const JobSummary s = SummarizeJob(p, JobSettings{});
  Check(s.pierces == p.pierces.size(), "the summary counts every pierce");
  Check(std::isfinite(s.cutSeconds) && s.cutSeconds >= 0 && std::isfinite(s.totalSeconds),
        "the estimate is a finite time");
  Check(s.TimeKnown() == (s.cutsWithoutFeed + s.cutsAtFeedZero + s.cutsAtUnknownFeed == 0),
        "an estimate is refused only for a feed");
  return 0;
}
