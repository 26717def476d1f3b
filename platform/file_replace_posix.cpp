// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "file_replace.h"

namespace talvo::platform {
namespace {

std::string Reason(int err) { return std::generic_category().message(err ? err : EIO); }

}  // namespace

std::optional<std::string> WriteNewFile(const std::filesystem::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return Reason(errno);
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      const int err = written < 0 ? errno : ENOSPC;
      ::close(fd);
      return Reason(err);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  // Some file systems (NFS, FUSE) report a full disk only here.
  if (::close(fd) != 0) return Reason(errno);
  return std::nullopt;
}

std::optional<std::string> MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return Reason(errno);
  return std::nullopt;
}

}  // namespace talvo::platform
