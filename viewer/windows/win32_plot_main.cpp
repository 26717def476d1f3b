// SPDX-License-Identifier: MIT
// talvo-plot.exe: draws a G-code program in a window, into a PNG file with --export, or sums up
// the job with --summary, as the Linux talvo-plot does.
#include "win32_plot_windows_h.h"

#include <cstdio>
#include <string>
#include <vector>

#include "binary_stdout.h"
#include "loaded_plot.h"
#include "plot_messages.h"
#include "plot_texts.h"
#include "program_arguments.h"
#include "reading_report.h"
#include "text_conversion.h"
#include "win32_plot_arguments.h"
#include "win32_plot_instance.h"
#include "win32_plot_picture.h"
#include "win32_plot_png.h"
#include "win32_plot_reader_path.h"
#include "win32_plot_window.h"

namespace {

using namespace talvo::plot;

// A window program has no console of its own: its text goes to the console it was started
// from, if any, else wherever its standard streams were sent.
void ReachConsole() {
  if (GetStdHandle(STD_ERROR_HANDLE) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
  std::FILE* reopened = nullptr;
  if (freopen_s(&reopened, "CONOUT$", "w", stdout) != 0) return;
  if (freopen_s(&reopened, "CONOUT$", "w", stderr) != 0) return;
}

int Fail(const std::string& message) {
  talvo::platform::WriteText(stderr, "talvo-plot: " + message + "\n");
  return 1;
}

// The summary on standard output; the refused and passed-over lines on standard error, and
// exit 1 when a line was refused, though the summary of the rest is printed.
int PrintSummary(const PlotArguments& arguments) {
  const LoadedPlot plot = LoadPlot(ReaderPath(talvo::win::Wide(arguments.file)));
  if (!plot.problem.empty()) return Fail(plot.problem + ": " + arguments.file);
  talvo::platform::WriteText(stderr, ReadingReport(plot.program, arguments.file));
  const JobSummary summary = SummarizeJob(plot.program, arguments.job);
  talvo::platform::BinaryStdout();
  const std::string text = arguments.json ? SummaryJson(summary, arguments.job) : SummaryText(summary, arguments.job);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
  return ReadingExitStatus(plot.program);
}

// The fitted picture as a PNG; each refused line is named on standard error, and the exit
// status is 1 when a line was refused, though the picture of the rest is written.
int Export(const PlotArguments& arguments) {
  const LoadedPlot plot = LoadPlot(ReaderPath(talvo::win::Wide(arguments.file)));
  talvo::platform::WriteText(stderr, ReadingReport(plot.program, arguments.file));
  if (!plot.problem.empty()) return Fail(plot.problem + ": " + arguments.file);
  if (plot.program.moves.empty()) return Fail(std::string(msg::kNoMoves) + ": " + arguments.file);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(arguments.width) * arguments.height);
  const PixelBuffer picture{pixels.data(), arguments.width, arguments.width, arguments.height};
  PictureExtras extras;
  extras.job = arguments.job;
  DrawPlotPicture(picture, plot, ViewMapping::Fit(plot.program.extents, picture.width, picture.height, kPlotFitMargin),
                  extras);
  if (const auto problem = WritePng(talvo::win::Wide(*arguments.exportTo), picture)) {
    return Fail(std::string(plot_text::kCannotWritePicture) + ": " + *arguments.exportTo + " (" + *problem + ")");
  }
  return ReadingExitStatus(plot.program);
}

int RunWindow(const PlotArguments& arguments, int show) {
  const std::filesystem::path file = talvo::win::Wide(arguments.file);
  if (HWND running = FindPlotWindow(file)) {
    PostMessageW(running, PlotActivateMessage(), 0, 0);
    SetForegroundWindow(running);
    return 0;
  }
  PlotWindow window(file, arguments.job);
  window.QuitOnClose();
  ShowWindow(window.Handle(), show);
  UpdateWindow(window.Handle());
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.PictureKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  ReachConsole();
  std::vector<std::string> all = talvo::platform::ProgramArguments(0, nullptr);
  if (!all.empty()) all.erase(all.begin());
  const ArgumentsOrExit read = ReadPlotArguments(all);
  if (!read.arguments) {
    talvo::platform::WriteText(read.exitCode == 0 ? stdout : stderr, read.message);
    return read.exitCode;
  }
  if (read.arguments->summary) return PrintSummary(*read.arguments);
  if (read.arguments->exportTo) return Export(*read.arguments);
  return RunWindow(*read.arguments, show);
}
