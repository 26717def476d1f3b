// SPDX-License-Identifier: MIT
#include <windows.h>
// after windows.h, which they need
#include <io.h>
#include <shellapi.h>

#include "program_arguments.h"
#include "text_conversion.h"

namespace talvo::platform {
std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return {argv, argv + argc};
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) arguments.push_back(win::Utf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

bool WriteText(std::FILE* stream, std::string_view utf8) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
    return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
  }
  // A console shows characters, not bytes in its code page.
  std::fflush(stream);
  const std::wstring text = win::Wide(utf8);
  DWORD written = 0;
  return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

}  // namespace talvo::platform
