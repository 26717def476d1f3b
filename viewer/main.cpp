// SPDX-License-Identifier: MIT
// talvo-plot: draws a G-code program in a window, or into a PNG file with --export.
#include <QApplication>
#include <QCommandLineParser>
#include <QRegularExpression>
#include <cstdio>
#include <cstring>
#include <tuple>

#include "plot_export.h"
#include "plot_settings.h"
#include "plot_summary_cli.h"
#include "plot_texts.h"
#include "plot_window.h"
#include "single_instance.h"

namespace {

using talvo::plot::PlotWindow;
using talvo::plot::SingleInstance;

int Fail(const QString& message) {
  std::fprintf(stderr, "talvo-plot: %s\n", message.toUtf8().constData());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // An export needs no screen, so it runs where there is none.
  for (int i = 1; i < argc; ++i) {
    const bool noWindow = std::strcmp(argv[i], "--export") == 0 || std::strcmp(argv[i], "--summary") == 0;
    if (noWindow && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("talvo-plot"));
  QApplication::setApplicationVersion(QStringLiteral("1.0"));

  QCommandLineParser parser;
  parser.addHelpOption();
  parser.addPositionalArgument(plot_text::kFileArgument, plot_text::kFileHelp);
  const QCommandLineOption exportOption(QStringLiteral("export"), plot_text::kExportHelp, QStringLiteral("OUT.png"));
  const QCommandLineOption sizeOption(QStringLiteral("size"), plot_text::kSizeHelp, QStringLiteral("WxH"),
                                      QStringLiteral("1200x800"));
  parser.addOption(exportOption);
  parser.addOption(sizeOption);
  const QCommandLineOption summaryOption(QStringLiteral("summary"), plot_text::kSummaryHelp);
  const QCommandLineOption jsonOption(QStringLiteral("json"), plot_text::kJsonHelp);
  const QCommandLineOption rapidOption(QStringLiteral("rapid-rate"), plot_text::kRapidRateHelp, QStringLiteral("RATE"));
  const QCommandLineOption pierceOption(QStringLiteral("pierce-delay"), plot_text::kPierceDelayHelp,
                                        QStringLiteral("S"));
  parser.addOptions({summaryOption, jsonOption, rapidOption, pierceOption});
  parser.process(app);
  talvo::plot::PlotSettings settings = talvo::plot::PlotSettings::Load();
  for (const auto& [option, value, least] : {std::tuple{&rapidOption, &settings.job.rapidRate, 1e-9},
                                             std::tuple{&pierceOption, &settings.job.pierceDelay, 0.0}}) {
    bool ok = true;
    if (parser.isSet(*option)) *value = parser.value(*option).toDouble(&ok);
    if (!ok || !(*value >= least))
      return Fail(QStringLiteral("%1: %2").arg(plot_text::kBadNumber, parser.value(*option)));
  }

  const QStringList files = parser.positionalArguments();
  if (files.size() != 1) return Fail(plot_text::kNoFile);
  const QString& file = files.first();

  if (parser.isSet(summaryOption)) return talvo::plot::PrintSummary(file, settings.job, parser.isSet(jsonOption));

  if (parser.isSet(exportOption)) {
    static const QRegularExpression sizePattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch size = sizePattern.match(parser.value(sizeOption));
    const int width = size.hasMatch() ? size.captured(1).toInt() : 0;
    const int height = size.hasMatch() ? size.captured(2).toInt() : 0;
    if (width < 16 || height < 16 || width > 16384 || height > 16384) {
      return Fail(QStringLiteral("%1: %2").arg(plot_text::kBadSize, parser.value(sizeOption)));
    }
    const QString problem = talvo::plot::ExportPlot(file, parser.value(exportOption), QSize(width, height));
    return problem.isEmpty() ? 0 : Fail(problem);
  }

  SingleInstance instance(file);
  if (instance.NotifyRunning()) return 0;
  instance.Listen();
  PlotWindow window(file);
  QObject::connect(&instance, &SingleInstance::Activated, &window, [&window] {
    window.Reload();
    window.BringForward();
  });
  window.show();
  return QApplication::exec();
}
