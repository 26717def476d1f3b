// SPDX-License-Identifier: MIT
// The reader alone, without drawing: a million plain lines of the random hole sheet and the
// polylines, and a loop of a million passes through the language, each as lines or passes a
// second. The loop must run in a time of the same order as the plain lines.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "gcode_reader.h"
#include "loop_program.h"
#include "workloads.h"

namespace talvo::plot {
namespace {

std::size_t Lines() {
  const char* lines = std::getenv("TALVO_PLOT_BENCH_LINES");
  return std::max<std::size_t>(1, lines ? static_cast<std::size_t>(std::strtod(lines, nullptr)) : 1'000'000);
}

const std::string& Program(int which) {
  static const std::string programs[] = {RandomHoleSheetProgram(Lines()), PolylineProgram(Lines()),
                                         LoopProgram(Lines())};
  return programs[which];
}

// On one thread, as a program with parameters is always read, so the figures compare.
void BM_ReadOnOneThread(benchmark::State& state) {
  const int which = static_cast<int>(state.range(0));
  const std::string& text = Program(which);
  state.SetLabel(which == 0 ? "random_hole_sheet" : which == 1 ? "polylines" : "loop");
  std::size_t moves = 0;
  for (auto _ : state) {
    const PlotProgram program = ReadProgramOnOneThread(text);
    moves = program.moves.size();
    if (program.errorCount != 0) state.SkipWithError("the program has refused lines");
  }
  state.counters["moves"] = static_cast<double>(moves);
  state.counters["moves_per_s"] = benchmark::Counter(
      static_cast<double>(moves) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_ReadOnOneThread)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talvo::plot
