// SPDX-License-Identifier: MIT
#include "cli_args.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

namespace talvo {
namespace {

struct KindName {
  std::string_view name;
  CutKind kind;
};
constexpr std::array<KindName, 4> kKinds = {{
    {"inner-circle", CutKind::InnerCircle},
    {"outer-circle", CutKind::OuterCircle},
    {"inner-rectangle", CutKind::InnerRectangle},
    {"outer-rectangle", CutKind::OuterRectangle},
}};

struct OptionName {
  std::string_view option;
  CutValue value;
};
constexpr std::array<OptionName, 6> kOptions = {{
    {"--diameter", CutValue::Diameter},
    {"--size-x", CutValue::SizeX},
    {"--size-y", CutValue::SizeY},
    {"--start", CutValue::StartDistance},
    {"--flame", CutValue::FlameDiameter},
    {"--feed", CutValue::Feed},
}};

bool KindReads(CutKind kind, CutValue value) {
  return std::ranges::find(Describe(kind).reads, value) != Describe(kind).reads.end();
}

}  // namespace

CliParse ParseCliArgs(int argc, const char* const* argv) {
  CliParse result;
  std::optional<CutKind> kind;
  std::vector<std::pair<const OptionName*, std::string>> given;  // in the order given
  bool write = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      result.help = true;
      return result;
    }
    if (arg == "--write") {
      write = true;
      continue;
    }
    if (arg.starts_with("--")) {
      const auto eq = arg.find('=');
      const std::string_view name = arg.substr(0, eq);
      const OptionName* option = nullptr;
      for (const auto& o : kOptions) {
        if (o.option == name) option = &o;
      }
      if (!option) {
        result.error = "unknown option " + std::string(name);
        return result;
      }
      std::string text;
      if (eq != std::string_view::npos) {
        text = std::string(arg.substr(eq + 1));
      } else if (i + 1 < argc) {
        text = argv[++i];
      } else {
        result.error = std::string(name) + " needs a value";
        return result;
      }
      given.emplace_back(option, std::move(text));
      continue;
    }
    if (kind) {
      result.error = "one kind only, not also " + std::string(arg);
      return result;
    }
    for (const auto& k : kKinds) {
      if (k.name == arg) kind = k.kind;
    }
    if (!kind) {
      result.error = "unknown kind " + std::string(arg);
      return result;
    }
  }
  if (!kind) {
    result.error = "no kind given";
    return result;
  }

  CliArgs args;
  args.kind = *kind;
  args.write = write;
  for (const CutValue read : Describe(*kind).reads) args.fields[read] = std::string(InitialFieldText(read));
  for (const auto& [option, text] : given) {
    if (!KindReads(*kind, option->value)) {
      result.error = std::string(option->option) + " is not a field of this kind";
      return result;
    }
    args.fields[option->value] = text;
  }
  result.args = std::move(args);
  return result;
}

std::string CliUsage() {
  return "usage: talvo-gcode KIND [--diameter T] [--size-x T] [--size-y T] [--start T]\n"
         "                        [--flame T] [--feed T] [--write]\n"
         "KIND: inner-circle, outer-circle, inner-rectangle, outer-rectangle\n"
         "talvo-gcode --help explains more.\n";
}

std::string CliHelp() {
  return "talvo-gcode: writes the G-code program of one plasma cut, as \"G KOD\" does on its screen.\n"
         "\n" +
         CliUsage() +
         "\n"
         "Kinds and their fields:\n"
         "  inner-circle     a round hole       --diameter --start --flame --feed\n"
         "  outer-circle     a round disc       --diameter --start --flame --feed\n"
         "  inner-rectangle  a rectangular hole --size-x --size-y --start --flame --feed\n"
         "  outer-rectangle  a rectangular blank --size-x --size-y --start --flame --feed\n"
         "\n"
         "Each value T is read as the screen reads a field's text: blanks are ignored, reading\n"
         "stops at the first character that is no part of the number, an empty text is 0 and a\n"
         "comma is no decimal separator. An omitted field keeps the screen's initial text:\n"
         "4 for --flame, 300 for --feed, empty (0) for the rest. Circles refuse a diameter of 0,\n"
         "rectangles a flame diameter of 0.\n"
         "\n"
         "The program is printed on standard output exactly as the screen shows it (CR LF lines).\n"
         "--write also writes ALANTEMIZLEME.TXT and A.BAT into the root folder, as the screen's\n"
         "run does, but starts no viewer. The root folder is TALVO_ROOT when that is set, else\n"
         "C:\\ on Windows and the home folder elsewhere.\n"
         "\n"
         "Exit status: 0 done, 1 refused or a file failed (message on standard error), 2 usage.\n";
}

}  // namespace talvo
