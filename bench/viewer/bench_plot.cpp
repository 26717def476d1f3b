// SPDX-License-Identifier: MIT
// talvo-plot's speed on a plate nest of a million lines (TALVO_PLOT_BENCH_LINES changes the
// size): reading, the first picture, repaints while zooming and panning, peak memory, and
// rs274 reading the same file.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "gcode_reader.h"
#include "loaded_plot.h"
#include "nest_program.h"
#include "plot_export.h"
#include "plot_renderer.h"
#include "plot_widget.h"
#include "temp_root.h"

namespace talvo::plot {
namespace {

namespace fs = std::filesystem;

const QSize kWindow(1200, 800);

std::size_t Lines() {
  const char* lines = std::getenv("TALVO_PLOT_BENCH_LINES");
  return lines ? std::strtoul(lines, nullptr, 10) : 1000000;
}

/// A scratch folder for the whole run, removed at exit.
const fs::path& Folder() {
  static const talvo::test_support::TempRoot folder;
  return folder.Path();
}

const fs::path& ProgramPath() {
  static const fs::path path = [] {
    fs::path p = Folder() / "nest.nc";
    std::ofstream(p, std::ios::binary) << NestProgram(Lines());
    return p;
  }();
  return path;
}

const LoadedPlot& Loaded() {
  static const LoadedPlot plot = LoadPlot(ProgramPath().string());
  return plot;
}

double PeakMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024;
  }
  return 0;
}

double g_readSeconds = 0;

void BM_Read(benchmark::State& state) {
  const fs::path& path = ProgramPath();
  std::size_t moves = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const LoadedPlot plot = LoadPlot(path.string());
    g_readSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    moves = plot.program.moves.size();
    benchmark::DoNotOptimize(plot.program.moves.data());
  }
  state.counters["lines"] = static_cast<double>(Lines());
  state.counters["moves"] = static_cast<double>(moves);
}

// What opening a file costs before the window shows it: read, index and draw fitted.
void BM_ReadAndFirstDraw(benchmark::State& state) {
  for (auto _ : state) {
    const LoadedPlot plot = LoadPlot(ProgramPath().string());
    QImage image = PlotPicture(plot, kWindow);
    benchmark::DoNotOptimize(image.bits());
  }
  state.counters["peak_MB"] = PeakMegabytes();
}

// The exact picture at a view: fitted (0), and zoomed 4, 16 and 64 times about a point
// off-centre.
void BM_DrawExact(benchmark::State& state) {
  const auto& plot = Loaded();
  PlotViewport view = PlotViewport::Fit(plot.program.extents, kWindow, kPlotFitMargin);
  if (state.range(0) > 0) view = view.ZoomedAbout(QPointF(560, 380), static_cast<double>(state.range(0)));
  QImage image(kWindow, QImage::Format_RGB32);
  const std::size_t near = plot.index.CountNear(view.Visible());
  for (auto _ : state) {
    QPainter painter(&image);
    PlotRenderer(plot).Paint(painter, view);
  }
  state.counters["moves_near"] = static_cast<double>(near);
}

// The window's repaints while the wheel zooms in and out about the mouse, or the mouse drags.
void Interact(benchmark::State& state, bool zoom) {
  const auto& plot = Loaded();
  PlotWidget widget;
  widget.resize(kWindow);
  widget.SetPlot(&plot);
  QImage image(kWindow, QImage::Format_RGB32);
  widget.render(&image);  // the first, exact picture
  int step = 0;
  double slowest = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    PlotViewport view = widget.Viewport();
    if (zoom) {
      view = view.ZoomedAbout(QPointF(500, 350), (step++ / 8) % 2 ? 1 / 1.2 : 1.2);
    } else {
      view.centreX += ((step++ / 16) % 2 ? -5 : 5) / view.scale;
    }
    widget.SetViewport(view);
    widget.render(&image);
    slowest =
        std::max(slowest, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  state.counters["slowest_ms"] = slowest;
  state.counters["peak_MB"] = PeakMegabytes();
}

void BM_RepaintWhileZooming(benchmark::State& state) { Interact(state, true); }
void BM_RepaintWhilePanning(benchmark::State& state) { Interact(state, false); }

// LinuxCNC's interpreter on the same file, printing its canonical calls as the comparison test
// reads them; the ratio is its time over ours (BM_Read).
void BM_Rs274(benchmark::State& state) {
  const std::string command = "HOME='" + Folder().string() + "' rs274 -g '" + ProgramPath().string() + "' -v '" +
                              (Folder() / "x.var").string() + "' >/dev/null 2>&1";
  std::ofstream(Folder() / "x.var").close();  // rs274 wants its variable file to exist
  if (std::system("command -v rs274 >/dev/null") != 0) {
    state.SkipWithError("rs274 is not installed");
    return;
  }
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(std::system(command.c_str()));
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  if (g_readSeconds > 0) state.counters["rs274_over_ours"] = seconds / g_readSeconds;
}

BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadAndFirstDraw)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DrawExact)->Arg(0)->Arg(4)->Arg(16)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintWhileZooming)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintWhilePanning)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rs274)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace talvo::plot
