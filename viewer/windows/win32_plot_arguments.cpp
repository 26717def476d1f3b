// SPDX-License-Identifier: MIT
#include "win32_plot_arguments.h"

#include <charconv>
#include <cstdlib>
#include <regex>

#include "plot_texts.h"

namespace talvo::plot {
namespace {

ArgumentsOrExit Refuse(const std::string& message) { return {std::nullopt, "talvo-plot: " + message + "\n", 1}; }

std::string Usage() {
  return std::string("Usage: talvo-plot [options] ") + plot_text::kFileArgument + "\n\n" +
         "  --export <OUT.png>      " + plot_text::kExportHelp + "\n" + "  --size <WxH>            " +
         plot_text::kSizeHelp + "\n" + "  --summary               " + plot_text::kSummaryHelp + "\n" +
         "  --json                  " + plot_text::kJsonHelp + "\n" + "  --rapid-rate <RATE>     " +
         plot_text::kRapidRateHelp + "\n" + "  --pierce-delay <S>      " + plot_text::kPierceDelayHelp + "\n\n" +
         plot_text::kFileArgument + "  " + plot_text::kFileHelp + "\n";
}

bool ReadNumber(const std::string& text, double least, double& into) {
  const char* end = text.data() + text.size();
  double value = 0;
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || !(value >= least)) return false;
  into = value;
  return true;
}

}  // namespace

ArgumentsOrExit ReadPlotArguments(const std::vector<std::string>& arguments) {
  PlotArguments read;
  std::vector<std::string> files;
  std::string size = "1200x800";
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string name = arguments[i];
    std::optional<std::string> inlineValue;
    if (name.rfind("--", 0) == 0) {
      if (const auto equals = name.find('='); equals != std::string::npos) {
        inlineValue = name.substr(equals + 1);
        name.resize(equals);
      }
    }
    const auto value = [&]() -> std::optional<std::string> {
      if (inlineValue) return inlineValue;
      if (i + 1 < arguments.size()) return arguments[++i];
      return std::nullopt;
    };
    if (name == "-h" || name == "--help" || name == "-?") return {std::nullopt, Usage(), 0};
    if (name == "-v" || name == "--version") return {std::nullopt, "talvo-plot 1.0\n", 0};
    if (name == "--summary" || name == "--json") {
      (name == "--summary" ? read.summary : read.json) = true;
    } else if (name == "--export" || name == "--size" || name == "--rapid-rate" || name == "--pierce-delay") {
      const auto given = value();
      if (!given) return Refuse("Missing value after '" + name + "'.");
      if (name == "--export") read.exportTo = *given;
      if (name == "--size") size = *given;
      const bool rapid = name == "--rapid-rate";
      if ((rapid || name == "--pierce-delay") &&
          !ReadNumber(*given, rapid ? 1e-9 : 0.0, rapid ? read.job.rapidRate : read.job.pierceDelay)) {
        return Refuse(std::string(plot_text::kBadNumber) + ": " + *given);
      }
    } else if (name.size() > 1 && name.front() == '-') {
      return Refuse("Unknown option '" + name + "'.");
    } else {
      files.push_back(arguments[i]);
    }
  }
  if (files.size() != 1) return Refuse(plot_text::kNoFile);
  read.file = files.front();
  static const std::regex sizePattern("^(\\d{1,5})[xX](\\d{1,5})$");
  std::smatch parts;
  const bool sized = std::regex_match(size, parts, sizePattern);
  read.width = sized ? std::atoi(parts[1].str().c_str()) : 0;
  read.height = sized ? std::atoi(parts[2].str().c_str()) : 0;
  if (read.exportTo && (read.width < 16 || read.height < 16 || read.width > 16384 || read.height > 16384)) {
    return Refuse(std::string(plot_text::kBadSize) + ": " + size);
  }
  return {read, {}, 0};
}

}  // namespace talvo::plot
