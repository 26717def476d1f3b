// SPDX-License-Identifier: MIT
#include "plot_summary_cli.h"

#include <QFile>
#include <cstdio>

#include "loaded_plot.h"
#include "reading_report.h"

namespace talvo::plot {

int PrintSummary(const QString& file, const JobSettings& settings, bool json) {
  const LoadedPlot plot = LoadPlot(QFile::encodeName(file).toStdString());
  if (!plot.problem.empty()) {
    std::fprintf(stderr, "talvo-plot: %s: %s\n", plot.problem.c_str(), file.toUtf8().constData());
    return 1;
  }
  // As --export: the refused lines and what was passed over on standard error, and exit 1 when a
  // line was refused, though the summary of the rest is printed.
  const std::string report = ReadingReport(plot.program, file.toStdString());
  std::fwrite(report.data(), 1, report.size(), stderr);
  const JobSummary summary = SummarizeJob(plot.program, settings);
  const std::string text = json ? SummaryJson(summary, settings) : SummaryText(summary, settings);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return ReadingExitStatus(plot.program);
}

}  // namespace talvo::plot
