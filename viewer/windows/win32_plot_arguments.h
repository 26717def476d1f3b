// SPDX-License-Identifier: MIT
// talvo-plot.exe's command line, read as the Linux talvo-plot reads its own.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "job_summary.h"

namespace talvo::plot {

struct PlotArguments {
  std::string file;                     ///< UTF-8
  std::optional<std::string> exportTo;  ///< UTF-8
  int width = 1200;
  int height = 800;
  bool summary = false;
  bool json = false;
  JobSettings job;
};

/// The arguments after the program's name, or what to print and the exit status: a wrong
/// argument gives its message for standard error and 1, --help and --version their text and 0.
struct ArgumentsOrExit {
  std::optional<PlotArguments> arguments;
  std::string message;
  int exitCode = 0;
};

ArgumentsOrExit ReadPlotArguments(const std::vector<std::string>& arguments);

}  // namespace talvo::plot
