// SPDX-License-Identifier: MIT
#include <windows.h>
// after windows.h, which they need
#include <io.h>
#include <shellapi.h>

#include "program_arguments.h"

namespace talvo::platform {
namespace {

/// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD, which no value or option accepts.
std::string Utf8(const wchar_t* wide) {
  const int length = static_cast<int>(wcslen(wide));
  if (length == 0) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, length, text.data(), size, nullptr, nullptr);
  return text;
}

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int length = static_cast<int>(utf8.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, text.data(), size);
  return text;
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return {argv, argv + argc};
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8(wide[i]));
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
  const std::wstring text = Wide(utf8);
  DWORD written = 0;
  return WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

}  // namespace talvo::platform
