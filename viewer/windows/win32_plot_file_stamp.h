// SPDX-License-Identifier: MIT
// What tells that a program file changed: its size and its last write time, read on a timer.
// Polling is the simplest watch that works on every drive, network shares and Wine included.
#pragma once

#include "win32_plot_windows_h.h"

#include <cstdint>
#include <filesystem>

namespace talvo::plot {

struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t writeTime = 0;
  bool exists = false;
  bool operator==(const FileStamp&) const = default;
};

inline FileStamp StampOf(const std::filesystem::path& file) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return {};
  return {(std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
          (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime, true};
}

}  // namespace talvo::plot
