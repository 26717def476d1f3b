// SPDX-License-Identifier: MIT
#include "plot_command_line.h"

#include <algorithm>
#include <cctype>
#include <tuple>

#include "plot_texts.h"
#include "setting_limits.h"

namespace talvo::plot {

namespace {

struct OptionRow {
  std::vector<std::string> names;  // short names first, as help lists them
  const char* valueName;           // nullptr: the option takes no value
  const char* help;
};

const std::vector<OptionRow>& Options() {
  static const std::vector<OptionRow> rows = {
      {{"h", "help"}, nullptr, "Displays help on commandline options."},
      {{"help-all"}, nullptr, "Displays help including Qt specific options."},
      {{"v", "version"}, nullptr, "Displays version information."},
      {{"export"}, "OUT.png", plot_text::kExportHelp},
      {{"size"}, "WxH", plot_text::kSizeHelp},
      {{"summary"}, nullptr, plot_text::kSummaryHelp},
      {{"json"}, nullptr, plot_text::kJsonHelp},
      {{"rapid-rate"}, "RATE", plot_text::kRapidRateHelp},
      {{"pierce-delay"}, "S", plot_text::kPierceDelayHelp},
  };
  return rows;
}

const OptionRow* Find(const std::string& name) {
  for (const OptionRow& row : Options())
    if (std::find(row.names.begin(), row.names.end(), name) != row.names.end()) return &row;
  return nullptr;
}

// What the parse found: each option given (by its row) with its values, and what went wrong.
struct Found {
  std::vector<std::pair<const OptionRow*, std::string>> given;
  std::vector<std::string> positional;
  std::vector<std::string> unknown;
  std::string error;  // a missing or unexpected value; wins over unknown names

  bool Has(const char* name) const {
    return std::any_of(given.begin(), given.end(), [&](const auto& g) { return g.first == Find(name); });
  }
  std::optional<std::string> Value(const char* name) const {
    std::optional<std::string> last;
    for (const auto& [row, value] : given)
      if (row == Find(name)) last = value;
    return last;
  }
};

using Arg = std::vector<std::string>::const_iterator;

// The value of a known option: after '=' in `argument`, or the next argument.
void TakeValue(Found& found, const OptionRow* row, const std::string& argument, Arg& at, Arg end) {
  const std::size_t assign = argument.find('=');
  if (row->valueName) {
    if (assign != std::string::npos) {
      found.given.emplace_back(row, argument.substr(assign + 1));
    } else if (++at == end) {
      found.error = "Missing value after '" + argument + "'.";
    } else {
      found.given.emplace_back(row, *at);
    }
    return;
  }
  if (assign != std::string::npos) found.error = "Unexpected value after '" + argument.substr(0, assign) + "'.";
  found.given.emplace_back(row, std::string());
}

// "-hv": each character a short option; a UTF-8 character counts as one.
void ReadShortOptions(Found& found, const std::string& argument, Arg& at, Arg end) {
  const OptionRow* last = nullptr;
  for (std::size_t pos = 1; pos < argument.size();) {
    std::size_t next = pos + 1;
    while (next < argument.size() && (static_cast<unsigned char>(argument[next]) & 0xC0) == 0x80) ++next;
    const std::string name = argument.substr(pos, next - pos);
    last = Find(name);
    if (!last) {
      found.unknown.push_back(name);
    } else {
      found.given.emplace_back(last, std::string());
      if (next < argument.size() && argument[next] == '=') break;
    }
    pos = next;
  }
  // Only "-x=..." on a known option without a value is wrong here: none of ours takes one.
  if (last && argument.find('=') != std::string::npos) {
    found.given.pop_back();
    TakeValue(found, last, argument, at, end);
  }
}

Found Parse(const std::vector<std::string>& args) {
  Found found;
  bool onlyFiles = false;
  for (Arg at = args.begin(); at != args.end(); ++at) {
    const std::string& argument = *at;
    if (onlyFiles || argument.size() < 2 || argument[0] != '-') {
      found.positional.push_back(argument);
    } else if (argument == "--") {
      onlyFiles = true;
    } else if (argument[1] == '-') {
      const std::string name =
          argument.substr(2, argument.find('=') == std::string::npos ? std::string::npos : argument.find('=') - 2);
      if (const OptionRow* row = Find(name))
        TakeValue(found, row, argument, at, args.end());
      else
        found.unknown.push_back(name);
    } else {
      ReadShortOptions(found, argument, at, args.end());
    }
    if (at == args.end()) break;
  }
  return found;
}

std::string UnknownText(const std::vector<std::string>& unknown) {
  if (unknown.size() == 1) return "Unknown option '" + unknown.front() + "'.";
  std::string names;
  for (const std::string& name : unknown) names += (names.empty() ? "" : ", ") + name;
  return "Unknown options: " + names + ".";
}

PlotCommandLine Refused(std::string message, int exitCode) {
  PlotCommandLine refused;
  refused.ask = PlotCommandLine::Ask::Refused;
  refused.message = std::move(message);
  refused.exitCode = exitCode;
  return refused;
}

std::size_t Characters(const std::string& utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// One help row: the names padded to a column, the text wrapped at the last blank to 79 columns.
std::string HelpRow(const std::string& names, const std::string& text) {
  constexpr std::size_t kNamesWidth = 20, kTextWidth = 79 - 2 - kNamesWidth - 1;
  std::string out, line, label = names;
  const auto flush = [&] {
    out += "  " + label + std::string(kNamesWidth - std::min(kNamesWidth, Characters(label)), ' ') + " " + line + "\n";
    label.clear();
    line.clear();
  };
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t to = text.find(' ', from);
    if (to == std::string::npos) to = text.size();
    const std::string word = text.substr(from, to - from);
    if (!line.empty() && Characters(line) + 1 + Characters(word) > kTextWidth) flush();
    line += (line.empty() ? "" : " ") + word;
    from = to + 1;
  }
  flush();
  return out;
}

}  // namespace

PlotCommandLine ReadPlotCommandLine(const std::vector<std::string>& args) {
  const Found found = Parse(args);
  if (!found.error.empty() || !found.unknown.empty())
    return Refused(found.error.empty() ? UnknownText(found.unknown) : found.error, 1);
  PlotCommandLine asked;
  if (found.Has("version") || found.Has("help") || found.Has("help-all")) {
    asked.ask = found.Has("version") ? PlotCommandLine::Ask::Version : PlotCommandLine::Ask::Help;
    return asked;
  }
  for (const auto& [option, limits, value] : {std::tuple{"rapid-rate", &kRapidRateLimits, &asked.rapidRate},
                                              std::tuple{"pierce-delay", &kPierceDelayLimits, &asked.pierceDelay}}) {
    const std::optional<std::string> text = found.Value(option);
    if (!text) continue;
    *value = CheckedSetting(*limits, *text);
    if (!*value) return Refused(std::string("--") + option + ": " + plot_text::kBadNumber + ": " + *text, 2);
  }
  if (found.positional.size() != 1) return Refused(plot_text::kNoFile, 1);
  asked.file = found.positional.front();
  asked.exportTo = found.Value("export");
  asked.size = found.Value("size").value_or(asked.size);
  asked.summary = found.Has("summary");
  asked.json = found.Has("json");
  return asked;
}

std::string PlotHelpText(const std::string& program) {
  std::string out = "Usage: " + program + " [options] " + plot_text::kFileArgument + "\n\nOptions:\n";
  for (const OptionRow& row : Options()) {
    std::string names;
    for (const std::string& name : row.names)
      names += std::string(names.empty() ? "" : ", ") + (name.size() == 1 ? "-" : "--") + name;
    if (row.valueName) names += std::string(" <") + row.valueName + ">";
    out += HelpRow(names, row.help);
  }
  return out + "\nArguments:\n" + HelpRow(plot_text::kFileArgument, plot_text::kFileHelp);
}

std::string PlotVersionText() { return "talvo-plot 1.0\n"; }

std::optional<ExportSize> ExportSizeOf(const std::string& text) {
  const std::size_t x = text.find_first_of("xX");
  const auto digits = [](const std::string& part) {
    return !part.empty() && part.size() <= 5 &&
           std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (x == std::string::npos || !digits(text.substr(0, x)) || !digits(text.substr(x + 1))) return std::nullopt;
  const ExportSize size{std::stoi(text.substr(0, x)), std::stoi(text.substr(x + 1))};
  const auto fits = [](int side) { return side >= 16 && side <= 16384; };
  if (!fits(size.width) || !fits(size.height)) return std::nullopt;
  return size;
}

}  // namespace talvo::plot
