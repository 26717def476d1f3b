// SPDX-License-Identifier: MIT
#include <windows.h>

#include <string>

#include "private_folder.h"

namespace talvo::platform {

std::optional<std::filesystem::path> PrivateFolder() { return std::filesystem::path(); }

std::string UserKey() {
  wchar_t name[257] = {};
  DWORD size = 257;
  if (!GetUserNameW(name, &size)) return {};
  const std::filesystem::path text(name);
  const auto u8 = text.u8string();
  return std::string(u8.begin(), u8.end());
}

}  // namespace talvo::platform
