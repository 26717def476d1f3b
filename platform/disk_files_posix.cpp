// SPDX-License-Identifier: MIT
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>
#include <system_error>

#include "disk_files.h"

namespace talvo {
namespace {

std::string Reason(int err) { return std::generic_category().message(err ? err : EIO); }

/// A file descriptor closed when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  /// Closes now, with close's own result: some file systems (NFS, FUSE) report a full disk only here.
  int Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd);
  }

 private:
  int fd_;
};

/// A name within its opened folder. Working on the name alone keeps every path the system sees
/// short, whatever the length of the folder's own path.
struct InFolder {
  explicit InFolder(const std::filesystem::path& path)
      : folder(path.has_parent_path() ? ::open(path.parent_path().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)
                                      : AT_FDCWD),
        name(path.filename().string()),
        error(folder.Get() < 0 && path.has_parent_path() ? errno : 0) {}
  int Fd() const { return folder.Get() < 0 ? AT_FDCWD : folder.Get(); }

  Descriptor folder;
  std::string name;
  int error;  ///< why the folder did not open; 0 when it did
};

std::optional<std::string> WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return Reason(written < 0 ? errno : ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return std::nullopt;
}

/// A copy of the regular file `from` as the new file `to`, with its permissions.
std::optional<std::string> CopyFile(const InFolder& from, const InFolder& to) {
  const Descriptor in(::openat(from.Fd(), from.name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  struct stat info {};
  if (in.Get() < 0 || ::fstat(in.Get(), &info) != 0) return Reason(errno);
  if (!S_ISREG(info.st_mode)) return Reason(EPERM);
  Descriptor out(
      ::openat(to.Fd(), to.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, info.st_mode & 07777));
  if (out.Get() < 0) return Reason(errno);
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(in.Get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Reason(errno);
    if (got == 0) break;
    if (auto err = WriteAll(out.Get(), std::string_view(buffer, static_cast<std::size_t>(got)))) return err;
  }
  if (::fchmod(out.Get(), info.st_mode & 07777) != 0 || out.Close() != 0) return Reason(errno);
  return std::nullopt;
}

/// The permissions a new file gets by default: read and write for all, less the umask, which
/// Linux shows without changing it.
mode_t DefaultFileMode() {
  mode_t mask = 022;
  if (FILE* status = std::fopen("/proc/self/status", "re")) {
    char line[256];
    unsigned value = 0;
    while (std::fgets(line, sizeof line, status)) {
      if (std::sscanf(line, "Umask: %o", &value) == 1) {
        mask = static_cast<mode_t>(value);
        break;
      }
    }
    std::fclose(status);
  }
  return 0666 & ~mask;
}

class FlockHeld final : public RunLock {
 public:
  explicit FlockHeld(int fd) : fd_(fd) {}
  ~FlockHeld() override { ::close(fd_); }  // closing releases the lock
  FlockHeld(const FlockHeld&) = delete;
  FlockHeld& operator=(const FlockHeld&) = delete;

 private:
  int fd_;
};

}  // namespace

std::optional<std::string> DiskFiles::WriteNew(const std::filesystem::path& path, std::string_view bytes) {
  const InFolder at(path);
  if (at.error) return Reason(at.error);
  // Private until it is put in place, where it takes the permissions it is to have.
  Descriptor file(::openat(at.Fd(), at.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (file.Get() < 0) return Reason(errno);
  if (auto err = WriteAll(file.Get(), bytes)) return err;
  if (file.Close() != 0) return Reason(errno);
  return std::nullopt;
}

std::optional<std::string> DiskFiles::Read(const std::filesystem::path& path, std::string& bytes) {
  const InFolder at(path);
  if (at.error) return Reason(at.error);
  const Descriptor file(::openat(at.Fd(), at.name.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0) return Reason(errno);
  if (S_ISDIR(info.st_mode)) return Reason(EISDIR);
  bytes.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Reason(errno);
    if (got == 0) return std::nullopt;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

std::optional<std::string> DiskFiles::Remove(const std::filesystem::path& path) {
  const InFolder at(path);
  if (at.error) return at.error == ENOENT ? std::nullopt : std::optional(Reason(at.error));
  if (::unlinkat(at.Fd(), at.name.c_str(), 0) != 0 && errno != ENOENT) return Reason(errno);
  return std::nullopt;
}

std::optional<std::string> DiskFiles::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  const InFolder source(from), target(to);
  if (source.error || target.error) return Reason(source.error ? source.error : target.error);
  struct stat old {};
  if (::fstatat(target.Fd(), target.name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode)) {
    // A file its owner may not write is not ours to replace; one that may be keeps its mode, and
    // its owner where we may give it (a program of mode 600 must not become readable by others).
    if ((old.st_mode & S_IWUSR) == 0) return Reason(EACCES);
    if (::fchmodat(source.Fd(), source.name.c_str(), old.st_mode & 07777, 0) != 0) return Reason(errno);
    if (::fchownat(source.Fd(), source.name.c_str(), old.st_uid, old.st_gid, AT_SYMLINK_NOFOLLOW) != 0 &&
        errno != EPERM) {
      return Reason(errno);
    }
  } else if (::fchmodat(source.Fd(), source.name.c_str(), DefaultFileMode(), 0) != 0) {
    return Reason(errno);
  }
  if (::renameat(source.Fd(), source.name.c_str(), target.Fd(), target.name.c_str()) != 0) return Reason(errno);
  return std::nullopt;
}

std::optional<std::string> DiskFiles::KeepCopy(const std::filesystem::path& from, const std::filesystem::path& to) {
  const InFolder source(from), copy(to);
  if (source.error || copy.error) return Reason(source.error ? source.error : copy.error);
  if (::linkat(source.Fd(), source.name.c_str(), copy.Fd(), copy.name.c_str(), 0) == 0) return std::nullopt;
  const int err = errno;
  // File systems without hard links (FAT, some network ones) get a copy. (ENOTSUP is EOPNOTSUPP.)
  if (err != EPERM && err != EXDEV && err != EMLINK && err != EOPNOTSUPP) return Reason(err);
  return CopyFile(source, copy);
}

std::optional<std::string> DiskFiles::Names(const std::filesystem::path& folder, std::vector<std::string>& names) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return Reason(errno);
  names.clear();
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return std::nullopt;
}

std::optional<std::string> DiskFiles::Lock(const std::filesystem::path& lockFile, std::unique_ptr<RunLock>& held) {
  const InFolder at(lockFile);
  if (at.error) return Reason(at.error);
  const int fd = ::openat(at.Fd(), at.name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return Reason(errno);
  auto lock = std::make_unique<FlockHeld>(fd);
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) return Reason(errno);
  }
  held = std::move(lock);
  return std::nullopt;
}

NameKind DiskFiles::Kind(const std::filesystem::path& path) {
  const InFolder at(path);
  struct stat info {};
  if (at.error || ::fstatat(at.Fd(), at.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return NameKind::Absent;
  return S_ISDIR(info.st_mode) ? NameKind::Folder : NameKind::Other;
}

}  // namespace talvo
