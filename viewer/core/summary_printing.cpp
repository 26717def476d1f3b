// SPDX-License-Identifier: MIT
#include "summary_printing.h"

#include "loaded_plot.h"
#include "plot_texts.h"
#include "reading_report.h"
#include "terminal_progress.h"

namespace talvo::plot {

int PrintSummary(const std::string& file, const JobSettings& settings, bool json, std::FILE* out, std::FILE* err) {
  ReadProgress progress;
  TerminalProgress shown(err);
  shown.Show(plot_text::kReading, &progress);
  const LoadedPlot plot = LoadPlot(file, &progress);
  shown.Clear();
  if (!plot.problem.empty()) {
    std::fprintf(err, "talvo-plot: %s: %s\n", plot.problem.c_str(), file.c_str());
    return 1;
  }
  // As --export: the refused lines and what was passed over on standard error, and exit 1 when a
  // line was refused, though the summary of the rest is printed.
  const std::string report = ReadingReport(plot.program, file);
  std::fwrite(report.data(), 1, report.size(), err);
  const JobSummary summary = SummarizeJob(plot.program, settings);
  const std::string text = json ? SummaryJson(summary, settings) : SummaryText(summary, settings);
  std::fwrite(text.data(), 1, text.size(), out);
  return ReadingExitStatus(plot.program);
}

}  // namespace talvo::plot
