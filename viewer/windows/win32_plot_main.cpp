// SPDX-License-Identifier: MIT
// talvo-plot.exe: draws a G-code program in a window, into a PNG file with --export, or sums up
// the job with --summary, as the Linux talvo-plot does.
#include "win32_plot_windows_h.h"

#include <cstdio>
#include <string>
#include <vector>

#include "binary_stdout.h"
#include "loaded_plot.h"
#include "plot_command_line.h"
#include "plot_messages.h"
#include "plot_texts.h"
#include "program_arguments.h"
#include "reading_report.h"
#include "summary_printing.h"
#include "terminal_progress.h"
#include "text_conversion.h"
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

int Fail(const std::string& message, int exitCode = 1) {
  talvo::platform::WriteText(stderr, "talvo-plot: " + message + "\n");
  return exitCode;
}

// The kept settings, with the command line's values in their place, as on Linux.
JobSettings JobSettingsFor(const PlotCommandLine& asked) { return SettingsForRun(asked).job; }

// The summary exactly as Linux prints it: standard output in binary, so that no CR is added.
int Summary(const PlotCommandLine& asked) {
  talvo::platform::BinaryStdout();
  const int status =
      PrintSummary(ReaderPath(talvo::win::Wide(asked.file)), JobSettingsFor(asked), asked.json, stdout, stderr);
  std::fflush(stdout);
  return status;
}

// The fitted picture as a PNG; each refused line is named on standard error, and the exit
// status is 1 when a line was refused, though the picture of the rest is written. On a console,
// standard error shows how far the reading has come, then that the picture is being drawn.
int Export(const PlotCommandLine& asked) {
  const auto size = ExportSizeOf(asked.size);
  if (!size) return Fail(std::string(plot_text::kBadSize) + ": " + asked.size);
  ReadProgress progress;
  TerminalProgress shown(stderr, &talvo::platform::WriteText);
  shown.Show(plot_text::kReading, &progress);
  const LoadedPlot plot = LoadPlot(ReaderPath(talvo::win::Wide(asked.file)), &progress);
  shown.Clear();
  talvo::platform::WriteText(stderr, ReadingReport(plot.program, asked.file));
  if (!plot.problem.empty()) return Fail(plot.problem + ": " + asked.file);
  if (plot.program.moves.empty()) return Fail(std::string(msg::kNoMoves) + ": " + asked.file);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size->width) * size->height);
  const PixelBuffer picture{pixels.data(), size->width, size->width, size->height};
  PictureExtras extras;
  extras.job = JobSettingsFor(asked);
  shown.Show(plot_text::kDrawing);
  DrawPlotPicture(picture, plot, ViewMapping::Fit(plot.program.extents, picture.width, picture.height, kPlotFitMargin),
                  extras);
  shown.Clear();
  if (const auto problem = WritePng(talvo::win::Wide(*asked.exportTo), picture)) {
    return Fail(std::string(plot_text::kCannotWritePicture) + ": " + *asked.exportTo + " (" + *problem + ")");
  }
  return ReadingExitStatus(plot.program);
}

int RunWindow(const PlotCommandLine& asked, int show) {
  const std::filesystem::path file = talvo::win::Wide(asked.file);
  if (HWND running = FindPlotWindow(file)) {
    PostMessageW(running, PlotActivateMessage(), 0, 0);
    SetForegroundWindow(running);
    return 0;
  }
  PlotWindow window(file, SettingsForRun(asked));
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
  const std::vector<std::string> all = talvo::platform::ProgramArguments(0, nullptr);
  const PlotCommandLine asked =
      ReadPlotCommandLine(all.empty() ? all : std::vector<std::string>(all.begin() + 1, all.end()));
  switch (asked.ask) {
    case PlotCommandLine::Ask::Refused: return Fail(asked.message, asked.exitCode);
    case PlotCommandLine::Ask::Help:
      talvo::platform::WriteText(stdout, PlotHelpText(all.empty() ? "talvo-plot" : all.front()));
      return 0;
    case PlotCommandLine::Ask::Version: talvo::platform::WriteText(stdout, PlotVersionText()); return 0;
    case PlotCommandLine::Ask::Run: break;
  }
  if (asked.summary) return Summary(asked);
  if (asked.exportTo) return Export(asked);
  return RunWindow(asked, show);
}
