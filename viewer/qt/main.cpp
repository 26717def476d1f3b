// SPDX-License-Identifier: MIT
// talvo-plot: draws a G-code program in a window, into a PNG file with --export, or sums up the
// job with --summary.
#include <QApplication>
#include <QFile>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>
#include <vector>

#include "loaded_plot.h"
#include "plot_command_line.h"
#include "plot_export.h"
#include "plot_settings.h"
#include "plot_texts.h"
#include "plot_window.h"
#include "reading_report.h"
#include "single_instance.h"
#include "summary_printing.h"
#include "terminal_progress.h"

namespace {

using talvo::plot::PlotCommandLine;

int Fail(const std::string& message, int exitCode = 1) {
  std::fprintf(stderr, "talvo-plot: %s\n", message.c_str());
  return exitCode;
}

// The kept settings, with what the command line gives in their place. A kept value that was
// ignored is named on standard error, and its default used.
talvo::plot::JobSettings JobSettingsFor(const PlotCommandLine& asked) {
  const talvo::plot::PlotSettings kept = talvo::plot::PlotSettings::Load();
  for (const std::string& note : kept.ignored) Fail(note);
  talvo::plot::JobSettings job = kept.job;
  job.rapidRate = asked.rapidRate.value_or(job.rapidRate);
  job.pierceDelay = asked.pierceDelay.value_or(job.pierceDelay);
  return job;
}

// Draws the program into a picture. Each refused line is named on standard error with its
// number and reason, and so is what was passed over; the exit status is 1 when a line was
// refused, even though the picture of the rest is written. On a terminal, standard error shows
// how far the reading has come, then that the picture is being drawn. The file is read on a
// thread of its own from the start, while the window system starts, which the reading does not
// need; its progress is shown once the window system, which may itself write to standard error,
// is up.
int Export(const PlotCommandLine& asked, int& argc, char** argv) {
  const auto size = talvo::plot::ExportSizeOf(asked.size);
  if (!size) return Fail(std::string(plot_text::kBadSize) + ": " + asked.size);
  talvo::plot::ReadProgress progress;
  std::future<talvo::plot::LoadedPlot> loading =
      std::async(std::launch::async, [&] { return talvo::plot::LoadPlot(asked.file, &progress); });
  // An export needs no screen, so it runs where there is none.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QApplication app(argc, argv);
  talvo::plot::TerminalProgress shown(stderr);
  shown.Show(plot_text::kReading, &progress);
  const talvo::plot::LoadedPlot plot = loading.get();
  shown.Clear();
  const std::string report = talvo::plot::ReadingReport(plot.program, asked.file);
  std::fwrite(report.data(), 1, report.size(), stderr);
  shown.Show(plot_text::kDrawing);
  const QString problem =
      talvo::plot::ExportPlot(plot, QFile::decodeName(asked.file.c_str()), QFile::decodeName(asked.exportTo->c_str()),
                              QSize(size->width, size->height));
  shown.Clear();
  if (!problem.isEmpty()) return Fail(problem.toStdString());
  return talvo::plot::ReadingExitStatus(plot.program);
}

// For the benchmark of the time to the window: with TALVO_PLOT_END_WHEN_SHOWN set, the program
// ends on the spot when its window is first exposed, so that the run's whole time is the time
// to the window. Nothing is torn down: that would time the teardown too.
class EndWhenShown : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) std::_Exit(0);
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  // The command line is read before any window system is touched: --help, --version and a wrong
  // option are answered, and the program ends, where there is no display.
  const PlotCommandLine asked = talvo::plot::ReadPlotCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (asked.ask) {
    case PlotCommandLine::Ask::Refused: return Fail(asked.message, asked.exitCode);
    case PlotCommandLine::Ask::Help: std::fputs(talvo::plot::PlotHelpText(argv[0]).c_str(), stdout); return 0;
    case PlotCommandLine::Ask::Version: std::fputs(talvo::plot::PlotVersionText().c_str(), stdout); return 0;
    case PlotCommandLine::Ask::Run: break;
  }

  // The summary is plain text and needs no window system at all.
  if (asked.summary) return talvo::plot::PrintSummary(asked.file, JobSettingsFor(asked), asked.json, stdout, stderr);

  if (asked.exportTo) return Export(asked, argc, argv);  // the picture takes no job setting
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("talvo-plot"));
  app.setApplicationVersion(QStringLiteral("1.0"));

  const QString file = QFile::decodeName(asked.file.c_str());
  talvo::plot::SingleInstance instance(file);
  if (instance.NotifyRunning()) return 0;
  instance.Listen();
  talvo::plot::PlotWindow window(file);
  QObject::connect(&instance, &talvo::plot::SingleInstance::Activated, &window, [&window] {
    window.Reload();
    window.BringForward();
  });
  EndWhenShown endWhenShown;
  window.winId();  // the window's handle, so the filter sits on it before the first expose
  if (qEnvironmentVariableIsSet("TALVO_PLOT_END_WHEN_SHOWN")) window.windowHandle()->installEventFilter(&endWhenShown);
  window.show();
  return QApplication::exec();
}
