// SPDX-License-Identifier: MIT
// The file operations of a run, behind a seam so that tests can make any step fail. The real
// file system is platform's DiskFiles.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvo {

/// What a name in a folder is, seen without following a link.
enum class NameKind { Absent, Folder, Other };

/// Each operation returns the system's reason when it fails, nothing when it succeeds.
class RunFiles {
 public:
  virtual ~RunFiles() = default;
  /// Creates the file, which must not exist yet, and writes the bytes.
  virtual std::optional<std::string> WriteNew(const std::filesystem::path& path, std::string_view bytes) = 0;
  virtual std::optional<std::string> Read(const std::filesystem::path& path, std::string& bytes) = 0;
  /// Deletes the name (a link, not what it points to); a name that is already gone is no failure.
  virtual std::optional<std::string> Remove(const std::filesystem::path& path) = 0;
  /// Puts the file `from` in place of the name `to` in one step.
  virtual std::optional<std::string> Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  virtual NameKind Kind(const std::filesystem::path& path) = 0;
};

}  // namespace talvo
