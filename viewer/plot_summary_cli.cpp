// SPDX-License-Identifier: MIT
#include "plot_summary_cli.h"

#include <QFile>
#include <cstdio>

#include "loaded_plot.h"
#include "plot_texts.h"

namespace talvo::plot {

int PrintSummary(const QString& file, const JobSettings& settings, bool json) {
  const LoadedPlot plot = LoadPlot(QFile::encodeName(file).toStdString());
  if (!plot.problem.empty()) {
    std::fprintf(stderr, "talvo-plot: %s: %s\n", plot.problem.c_str(), file.toUtf8().constData());
    return 1;
  }
  const JobSummary summary = SummarizeJob(plot.program, settings);
  const std::string text = json ? SummaryJson(summary, settings) : SummaryText(summary, settings);
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (plot.program.errorCount == 0) return 0;
  std::fprintf(stderr, "talvo-plot: %zu %s\n", plot.program.errorCount, plot_text::kErrors);
  return 1;
}

}  // namespace talvo::plot
