// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include "generation_run.h"

namespace talvo {

struct CliArgs {
  CutKind kind = CutKind::InnerCircle;
  FieldTexts fields;  ///< every field of the kind, omitted ones at their initial text
  bool write = false;
};

struct CliParse {
  std::optional<CliArgs> args;
  bool help = false;
  std::string error;  ///< a usage error
};

CliParse ParseCliArgs(int argc, const char* const* argv);
std::string CliUsage();
std::string CliHelp();

}  // namespace talvo
