// SPDX-License-Identifier: MIT
// The core's file operations on the real file system.
#pragma once

#include "run_files.h"

namespace talvo {

/// The real file system: new files and replacements go through file_replace.
class DiskFiles final : public RunFiles {
 public:
  std::optional<std::string> WriteNew(const std::filesystem::path& path, std::string_view bytes) override;
  std::optional<std::string> Read(const std::filesystem::path& path, std::string& bytes) override;
  std::optional<std::string> Remove(const std::filesystem::path& path) override;
  std::optional<std::string> Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
  NameKind Kind(const std::filesystem::path& path) override;
};

}  // namespace talvo
