// SPDX-License-Identifier: MIT
#include "program_arguments.h"

namespace talvo::platform {

std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv, argv + argc}; }

bool WriteText(std::FILE* stream, std::string_view utf8) {
  return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
}

}  // namespace talvo::platform
