// SPDX-License-Identifier: MIT
// The file operations of a run, behind a seam so that tests can make any step fail. The real
// file system is platform's DiskFiles.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvo {

/// What a name in a folder is, seen without following a link.
enum class NameKind { Absent, Folder, Other };

/// Held while a run writes in a folder, released when it goes.
class RunLock {
 public:
  virtual ~RunLock() = default;
};

/// Each operation returns the system's reason when it fails, nothing when it succeeds.
class RunFiles {
 public:
  virtual ~RunFiles() = default;
  /// Creates the file, which must not exist yet, and writes the bytes.
  virtual std::optional<std::string> WriteNew(const std::filesystem::path& path, std::string_view bytes) = 0;
  virtual std::optional<std::string> Read(const std::filesystem::path& path, std::string& bytes) = 0;
  /// Deletes the name (a link, not what it points to); a name that is already gone is no failure.
  virtual std::optional<std::string> Remove(const std::filesystem::path& path) = 0;
  /// Puts the file `from` in place of the name `to` in one step. A file at `to` hands its
  /// permissions on to `from`; a read-only one is not replaced.
  virtual std::optional<std::string> Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  /// Gives what the name `from` holds a second name `to`, which must not exist yet (a hard link,
  /// or a copy where the file system has none), so that an old file can be kept for an undo
  /// while its own name stays in place.
  virtual std::optional<std::string> KeepCopy(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  /// The names in the folder.
  virtual std::optional<std::string> Names(const std::filesystem::path& folder, std::vector<std::string>& names) = 0;
  /// Waits until no other run holds the lock file, creating it when needed, then holds it.
  virtual std::optional<std::string> Lock(const std::filesystem::path& lockFile, std::unique_ptr<RunLock>& held) = 0;
  virtual NameKind Kind(const std::filesystem::path& path) = 0;
};

}  // namespace talvo
