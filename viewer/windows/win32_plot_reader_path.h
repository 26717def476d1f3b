// SPDX-License-Identifier: MIT
// The reader opens files by narrow names, which Windows reads in its ANSI code page: a name with
// letters outside it (Turkish ones on an English Windows) is handed over by its short 8.3 name.
#pragma once

#include "win32_plot_windows_h.h"

#include <algorithm>
#include <string>

namespace talvo::plot {

inline std::string ReaderPath(const std::wstring& path) {
  const auto ascii = [](const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
  };
  std::wstring usable = path;
  if (!ascii(usable)) {
    std::wstring shortName(32768, L'\0');
    const DWORD got = GetShortPathNameW(path.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
    if (got > 0 && got < shortName.size()) usable.assign(shortName.c_str(), got);
  }
  // The name as it stands when no short one helps: the reader then says it cannot find it.
  std::string narrow;
  for (const wchar_t c : usable) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

}  // namespace talvo::plot
