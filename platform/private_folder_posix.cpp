// SPDX-License-Identifier: MIT
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "private_folder.h"

namespace talvo::platform {
namespace {

// The user's own folder, not a link, that no one else may read, write or enter.
bool IsPrivate(const std::filesystem::path& folder) {
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0) return false;
  return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

}  // namespace

std::optional<std::filesystem::path> PrivateFolder() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
    if (IsPrivate(runtime)) return std::filesystem::path(runtime);
  }
  std::error_code ec;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  if (ec) return std::nullopt;
  const std::filesystem::path folder = temp / ("talvo-" + UserKey());
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;
  // Someone may have made it first: then it is used only if it is ours and closed to others.
  if (!IsPrivate(folder)) return std::nullopt;
  return folder;
}

std::string UserKey() { return std::to_string(::getuid()); }

}  // namespace talvo::platform
