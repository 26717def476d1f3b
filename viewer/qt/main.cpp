// SPDX-License-Identifier: MIT
// talvo-plot: draws a G-code program in a window, into a PNG file with --export, or sums up the
// job with --summary.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <cstdio>
#include <optional>
#include <tuple>

#include "loaded_plot.h"
#include "plot_export.h"
#include "plot_settings.h"
#include "plot_summary_cli.h"
#include "plot_texts.h"
#include "plot_window.h"
#include "reading_report.h"
#include "single_instance.h"

namespace {

int Fail(const QString& message) {
  std::fprintf(stderr, "talvo-plot: %s\n", message.toUtf8().constData());
  return 1;
}

struct Options {
  QString file;
  std::optional<QString> exportTo;
  QString size;
  bool summary = false;
  bool json = false;
  talvo::plot::JobSettings job;
};

void Describe(QCoreApplication& app) {
  app.setApplicationName(QStringLiteral("talvo-plot"));
  app.setApplicationVersion(QStringLiteral("1.0"));
}

// The command line is read before any window system is touched: --help, --version and a wrong
// option are answered, and the program ends, where there is no display.
std::optional<Options> ReadCommandLine(int argc, char** argv, int& exitCode) {
  QCoreApplication app(argc, argv);
  Describe(app);
  QCommandLineParser parser;
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(plot_text::kFileArgument, plot_text::kFileHelp);
  const QCommandLineOption exportOption(QStringLiteral("export"), plot_text::kExportHelp, QStringLiteral("OUT.png"));
  const QCommandLineOption sizeOption(QStringLiteral("size"), plot_text::kSizeHelp, QStringLiteral("WxH"),
                                      QStringLiteral("1200x800"));
  const QCommandLineOption summaryOption(QStringLiteral("summary"), plot_text::kSummaryHelp);
  const QCommandLineOption jsonOption(QStringLiteral("json"), plot_text::kJsonHelp);
  const QCommandLineOption rapidOption(QStringLiteral("rapid-rate"), plot_text::kRapidRateHelp, QStringLiteral("RATE"));
  const QCommandLineOption pierceOption(QStringLiteral("pierce-delay"), plot_text::kPierceDelayHelp,
                                        QStringLiteral("S"));
  parser.addOptions({exportOption, sizeOption, summaryOption, jsonOption, rapidOption, pierceOption});
  parser.process(app);  // ends the program after --help, --version or an unknown option

  // The kept settings, with what the command line gives in their place.
  Options options;
  options.job = talvo::plot::PlotSettings::Load().job;
  for (const auto& [option, value, least] : {std::tuple{&rapidOption, &options.job.rapidRate, 1e-9},
                                             std::tuple{&pierceOption, &options.job.pierceDelay, 0.0}}) {
    bool ok = true;
    if (parser.isSet(*option)) *value = parser.value(*option).toDouble(&ok);
    if (!ok || !(*value >= least)) {
      exitCode = Fail(QStringLiteral("%1: %2").arg(plot_text::kBadNumber, parser.value(*option)));
      return std::nullopt;
    }
  }

  const QStringList files = parser.positionalArguments();
  if (files.size() != 1) {
    exitCode = Fail(plot_text::kNoFile);
    return std::nullopt;
  }
  options.file = files.first();
  options.size = parser.value(sizeOption);
  options.summary = parser.isSet(summaryOption);
  options.json = parser.isSet(jsonOption);
  if (parser.isSet(exportOption)) options.exportTo = parser.value(exportOption);
  return options;
}

// Draws the program into a picture. Each refused line is named on standard error with its
// number and reason, and so is what was passed over; the exit status is 1 when a line was
// refused, even though the picture of the rest is written.
int Export(const Options& options) {
  static const QRegularExpression sizePattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
  const QRegularExpressionMatch size = sizePattern.match(options.size);
  const int width = size.hasMatch() ? size.captured(1).toInt() : 0;
  const int height = size.hasMatch() ? size.captured(2).toInt() : 0;
  if (width < 16 || height < 16 || width > 16384 || height > 16384) {
    return Fail(QStringLiteral("%1: %2").arg(plot_text::kBadSize, options.size));
  }
  const talvo::plot::LoadedPlot plot = talvo::plot::LoadPlot(QFile::encodeName(options.file).toStdString());
  const std::string report = talvo::plot::ReadingReport(plot.program, options.file.toStdString());
  std::fwrite(report.data(), 1, report.size(), stderr);
  const QString problem = talvo::plot::ExportPlot(plot, options.file, *options.exportTo, QSize(width, height));
  if (!problem.isEmpty()) return Fail(problem);
  return talvo::plot::ReadingExitStatus(plot.program);
}

}  // namespace

int main(int argc, char** argv) {
  int exitCode = 0;
  const std::optional<Options> options = ReadCommandLine(argc, argv, exitCode);
  if (!options) return exitCode;

  // The summary is plain text and needs no window system at all.
  if (options->summary) return talvo::plot::PrintSummary(options->file, options->job, options->json);

  // An export needs no screen, so it runs where there is none.
  if (options->exportTo && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Describe(app);
  if (options->exportTo) return Export(*options);

  talvo::plot::SingleInstance instance(options->file);
  if (instance.NotifyRunning()) return 0;
  instance.Listen();
  talvo::plot::PlotWindow window(options->file);
  QObject::connect(&instance, &talvo::plot::SingleInstance::Activated, &window, [&window] {
    window.Reload();
    window.BringForward();
  });
  window.show();
  return QApplication::exec();
}
