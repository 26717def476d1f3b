// SPDX-License-Identifier: MIT
#include "win32_plot_instance.h"

#include <cstdint>
#include <cwctype>
#include <string>

namespace talvo::plot {
namespace {

constexpr wchar_t kFileMark[] = L"TalvoPlotFile";

// The same file by any spelling Windows takes as the same: full path, any letter case. A hash
// fits in a window property, which other processes can read; a zero hash is never given.
HANDLE MarkOf(const std::filesystem::path& file) {
  std::error_code ec;
  std::filesystem::path full = std::filesystem::weakly_canonical(std::filesystem::absolute(file, ec), ec);
  if (full.empty()) full = file;
  std::uint64_t hash = 1469598103934665603ull;
  for (const wchar_t c : full.make_preferred().wstring()) {
    hash = (hash ^ static_cast<std::uint64_t>(std::towlower(c))) * 1099511628211ull;
  }
  return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(hash | 1));
}

}  // namespace

void MarkPlotWindow(HWND window, const std::filesystem::path& file) { SetPropW(window, kFileMark, MarkOf(file)); }

HWND FindPlotWindow(const std::filesystem::path& file) {
  const HANDLE mark = MarkOf(file);
  for (HWND window = FindWindowExW(nullptr, nullptr, kPlotWindowClass, nullptr); window;
       window = FindWindowExW(nullptr, window, kPlotWindowClass, nullptr)) {
    if (GetPropW(window, kFileMark) == mark) return window;
  }
  return nullptr;
}

UINT PlotActivateMessage() {
  static const UINT message = RegisterWindowMessageW(L"TalvoPlotActivate");
  return message;
}

}  // namespace talvo::plot
