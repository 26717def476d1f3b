// SPDX-License-Identifier: MIT
// The file operations of a run, behind a seam so that tests can make any step fail.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvo {

/// Each operation returns the system's reason when it fails, nothing when it succeeds.
class RunFiles {
 public:
  virtual ~RunFiles() = default;
  /// Creates the file, or truncates it, and writes the bytes.
  virtual std::optional<std::string> Write(const std::filesystem::path& path, std::string_view bytes) = 0;
  virtual std::optional<std::string> Read(const std::filesystem::path& path, std::string& bytes) = 0;
  /// Deleting a file that is already gone is no failure.
  virtual std::optional<std::string> Remove(const std::filesystem::path& path) = 0;
};

/// The real file system.
class DiskFiles final : public RunFiles {
 public:
  std::optional<std::string> Write(const std::filesystem::path& path, std::string_view bytes) override;
  std::optional<std::string> Read(const std::filesystem::path& path, std::string& bytes) override;
  std::optional<std::string> Remove(const std::filesystem::path& path) override;
};

}  // namespace talvo
