// SPDX-License-Identifier: MIT
// The core's file operations on the real file system, one file per platform.
#pragma once

#include "run_files.h"

namespace talvo {

/// Every operation is made safe for replacing files by name: a new file is surely new (nothing is
/// ever written through a link), a replacement is one step that keeps the old file's permissions,
/// and a read-only file is never replaced. On Linux each operation works on a name within its
/// folder, so a path longer than the system takes at once still works while the folder opens.
class DiskFiles final : public RunFiles {
 public:
  std::optional<std::string> WriteNew(const std::filesystem::path& path, std::string_view bytes) override;
  std::optional<std::string> Read(const std::filesystem::path& path, std::string& bytes) override;
  std::optional<std::string> Remove(const std::filesystem::path& path) override;
  std::optional<std::string> Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
  std::optional<std::string> KeepCopy(const std::filesystem::path& from, const std::filesystem::path& to) override;
  std::optional<std::string> Names(const std::filesystem::path& folder, std::vector<std::string>& names) override;
  std::optional<std::string> Lock(const std::filesystem::path& lockFile, std::unique_ptr<RunLock>& held) override;
  NameKind Kind(const std::filesystem::path& path) override;
};

}  // namespace talvo
