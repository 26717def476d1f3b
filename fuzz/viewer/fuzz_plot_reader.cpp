// SPDX-License-Identifier: MIT
// libFuzzer target over talvo-plot's reader: any bytes must read without a crash, and what is
// read must hang together. `make fuzz` runs it with the seeds in corpus/plot_reader/.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "arc_geometry.h"
#include "loaded_plot.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talvo::plot;
  const LoadedPlot plot = PlotOfText(std::string(reinterpret_cast<const char*>(data), size));
  const PlotProgram& p = plot.program;
  Check(p.errors.size() <= p.errorCount);
  for (const PlotMove& m : p.moves) {
    Check(m.line < p.lineStarts.size());
    const PlotExtents box = MoveBox(m);
    Check(std::isfinite(box.minX) && std::isfinite(box.maxY) && std::isfinite(MoveLength(m)));
    Check(box.minX >= p.extents.minX && box.maxY <= p.extents.maxY);
    if (m.IsArc()) Check(std::abs(ArcSweep(m)) <= 2 * 3.14159265358979324 + 1e-12);
  }
  for (std::size_t i = 1; i < p.moves.size(); ++i) Check(p.moves[i - 1].line <= p.moves[i].line);
  if (!p.moves.empty()) {
    const PlotMove& first = p.moves.front();
    plot.index.Nearest(p, first.end.x, first.end.y, 1.0);
    Check(plot.index.CountNear(p.extents) == p.moves.size());
  }
  return 0;
}
