// SPDX-License-Identifier: MIT
#include "launcher_file.h"

#include <sstream>
#include <string>

#include "print_line.h"

namespace talvo {

void WriteLauncher(std::ostream& out) {
  for (const auto line : kLauncherLines) WritePrintLine(out, {std::string(line)});
}

std::string LauncherText() {
  std::ostringstream out;
  WriteLauncher(out);
  return std::move(out).str();
}

}  // namespace talvo
