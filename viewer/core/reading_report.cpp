// SPDX-License-Identifier: MIT
#include "reading_report.h"

#include "plot_messages.h"

namespace talvo::plot {

int ReadingExitStatus(const PlotProgram& program) { return program.errorCount > 0 ? 1 : 0; }

std::string ReadingReport(const PlotProgram& program, std::string_view file) {
  std::string report;
  const auto where = [&](std::uint32_t line) {
    report.append(file).append(":").append(std::to_string(line + 1)).append(": ");
  };
  for (const PlotError& e : program.errors) {
    where(e.line);
    report.append(e.reason).append("\n");
  }
  if (program.errorCount > program.errors.size()) {
    report.append(file).append(": ").append(msg::kMoreRefused).append(": ");
    report.append(std::to_string(program.errorCount - program.errors.size())).append("\n");
  }
  for (const PassedOver& p : program.passedOver) {
    where(p.firstLine);
    report.append(msg::kPassedOver).append(": ").append(p.word);
    report.append(" (").append(std::to_string(p.lines)).append(" ").append(msg::kLines).append(")\n");
  }
  return report;
}

}  // namespace talvo::plot
