// SPDX-License-Identifier: MIT
#include <windows.h>

#include <algorithm>
#include <system_error>

#include "disk_files.h"
#include "text_conversion.h"

namespace talvo {
namespace {

std::string Reason(DWORD err) {
  return std::system_category().message(static_cast<int>(err ? err : ERROR_WRITE_FAULT));
}

/// A handle closed when it goes.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  /// Closes now, with the result: a full disk may show only here.
  bool Close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

class FileLockHeld final : public RunLock {
 public:
  explicit FileLockHeld(HANDLE file) : file_(file) {}  // closing the handle releases the lock

 private:
  Handle file_;
};

}  // namespace

std::optional<std::string> DiskFiles::WriteNew(const std::filesystem::path& path, std::string_view bytes) {
  // CREATE_NEW fails on any existing name, a link included, so nothing is written through one.
  Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return Reason(GetLastError());
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), chunk, &written, nullptr) || written == 0) return Reason(GetLastError());
    bytes.remove_prefix(written);
  }
  if (!file.Close()) return Reason(GetLastError());
  return std::nullopt;
}

std::optional<std::string> DiskFiles::Read(const std::filesystem::path& path, std::string& bytes) {
  Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return Reason(GetLastError());
  bytes.clear();
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) return Reason(GetLastError());
    if (got == 0) return std::nullopt;
    bytes.append(buffer, got);
  }
}

std::optional<std::string> DiskFiles::Remove(const std::filesystem::path& path) {
  if (!DeleteFileW(path.c_str())) {
    const DWORD err = GetLastError();
    if (err != ERROR_FILE_NOT_FOUND && err != ERROR_PATH_NOT_FOUND) return Reason(err);
  }
  return std::nullopt;
}

std::optional<std::string> DiskFiles::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  const DWORD old = GetFileAttributesW(to.c_str());
  if (old != INVALID_FILE_ATTRIBUTES && (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0) {
    // A read-only file is not ours to replace (Windows itself would move over it).
    if (old & FILE_ATTRIBUTE_READONLY) return Reason(ERROR_ACCESS_DENIED);
    // ReplaceFileW gives the new file the old one's attributes and access rights.
    if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      return std::nullopt;
    }
    const DWORD err = GetLastError();
    // Only a failure that left both files as they were may try the plain move below.
    if (err != ERROR_UNABLE_TO_MOVE_REPLACEMENT && err != ERROR_UNABLE_TO_REMOVE_REPLACED) return Reason(err);
  }
  if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return Reason(GetLastError());
  }
  return std::nullopt;
}

std::optional<std::string> DiskFiles::KeepCopy(const std::filesystem::path& from, const std::filesystem::path& to) {
  // A second name is kept only of a file about to be replaced, and a read-only one will not be;
  // its second name could not even be deleted again, the attribute being the file's own.
  const DWORD attributes = GetFileAttributesW(from.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return Reason(ERROR_ACCESS_DENIED);
  }
  if (CreateHardLinkW(to.c_str(), from.c_str(), nullptr)) return std::nullopt;
  // File systems without hard links (FAT) get a copy, which never overwrites.
  if (!CopyFileW(from.c_str(), to.c_str(), TRUE)) return Reason(GetLastError());
  return std::nullopt;
}

std::optional<std::string> DiskFiles::Names(const std::filesystem::path& folder, std::vector<std::string>& names) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder / L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return Reason(GetLastError());
  names.clear();
  do {
    const std::wstring_view name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(win::Utf8(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return std::nullopt;
}

std::optional<std::string> DiskFiles::Lock(const std::filesystem::path& lockFile, std::unique_ptr<RunLock>& held) {
  const HANDLE file = CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Reason(GetLastError());
  auto lock = std::make_unique<FileLockHeld>(file);
  OVERLAPPED whole{};
  if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &whole)) return Reason(GetLastError());
  held = std::move(lock);
  return std::nullopt;
}

NameKind DiskFiles::Kind(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return NameKind::Absent;
  // A link to a folder is a name of its own, not the folder.
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return NameKind::Folder;
  return NameKind::Other;
}

}  // namespace talvo
