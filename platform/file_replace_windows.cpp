// SPDX-License-Identifier: MIT
#include <windows.h>

#include <algorithm>
#include <system_error>

#include "file_replace.h"

namespace talvo::platform {
namespace {

std::string Reason(DWORD err) {
  return std::system_category().message(static_cast<int>(err ? err : ERROR_WRITE_FAULT));
}

}  // namespace

std::optional<std::string> WriteNewFile(const std::filesystem::path& path, std::string_view bytes) {
  // CREATE_NEW fails on any existing name, a link included, so nothing is written through one.
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Reason(GetLastError());
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
      const DWORD err = GetLastError();
      CloseHandle(file);
      return Reason(err);
    }
    bytes.remove_prefix(written);
  }
  if (!CloseHandle(file)) return Reason(GetLastError());
  return std::nullopt;
}

std::optional<std::string> MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return Reason(GetLastError());
  }
  return std::nullopt;
}

}  // namespace talvo::platform
