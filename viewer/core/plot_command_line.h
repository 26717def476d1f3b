// SPDX-License-Identifier: MIT
// talvo-plot's command line, read without any window toolkit so that every front end of the
// viewer answers the same arguments alike.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace talvo::plot {

/// What the command line asked for.
struct PlotCommandLine {
  enum class Ask { Run, Help, Version, Refused };
  Ask ask = Ask::Run;
  std::string file;
  std::optional<std::string> exportTo;
  std::string size = "1200x800";  ///< as given; ExportSizeOf reads it
  bool summary = false;
  bool json = false;
  std::optional<double> rapidRate;  ///< given in place of the kept setting
  std::optional<double> pierceDelay;
  /// Refused: what is wrong (printed after "talvo-plot: ") and the exit status.
  std::string message;
  int exitCode = 0;
};

/// Reads the arguments after the program's name. As Qt's parser did: "--name value" and
/// "--name=value", "-hv" for short options, "--" before a file starting with '-'; the last of a
/// repeated option counts. An unknown option or missing value exits 1; a value a setting cannot
/// take exits 2, naming the option and the value.
PlotCommandLine ReadPlotCommandLine(const std::vector<std::string>& args);

/// --help's text; `program` is how the program was started (argv[0]).
std::string PlotHelpText(const std::string& program);
/// --version's text.
std::string PlotVersionText();

struct ExportSize {
  int width;
  int height;
};
/// "WxH" with each side from 16 to 16384 pixels; nullopt otherwise.
std::optional<ExportSize> ExportSizeOf(const std::string& text);

}  // namespace talvo::plot
