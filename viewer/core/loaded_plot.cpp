// SPDX-License-Identifier: MIT
#include "loaded_plot.h"

#include <utility>

#include "gcode_reader.h"
#include "program_file.h"

namespace talvo::plot {

namespace {

// A text already found drawable.
LoadedPlot PlotOfGoodText(std::string text, ReadProgress* progress = nullptr) {
  LoadedPlot plot;
  plot.text = std::move(text);
  plot.program = ReadProgram(plot.text, ThreadChoice::ByMachine, progress);
  return plot;
}

}  // namespace

const MoveIndex& LoadedPlot::Index() const {
  std::call_once(index_->built, [this] { index_->index = MoveIndex(program); });
  return index_->index;
}

LoadedPlot PlotOfText(std::string text) {
  std::string problem = TextProblem(text);
  if (!problem.empty()) {
    LoadedPlot plot;
    plot.problem = std::move(problem);
    return plot;
  }
  return PlotOfGoodText(std::move(text));
}

LoadedPlot LoadPlot(const std::string& path, ReadProgress* progress) {
  ProgramFile file = LoadProgramFile(path);
  LoadedPlot plot;
  // The file's text has been checked as it was loaded; a second look would scan it again.
  if (file.problem.empty())
    plot = PlotOfGoodText(std::move(file.text), progress);
  else
    plot.problem = file.problem;
  plot.path = path;
  return plot;
}

std::size_t HeldBytes(const LoadedPlot& plot) {
  const PlotProgram& p = plot.program;
  std::size_t errors = p.errors.capacity() * sizeof(PlotError);
  for (const PlotError& e : p.errors) errors += e.reason.capacity();
  return plot.text.capacity() + p.moves.HeldBytes() + errors +
         (p.lineStarts.capacity() + p.pierces.capacity()) * sizeof(std::uint32_t) + plot.Index().HeldBytes();
}

}  // namespace talvo::plot
