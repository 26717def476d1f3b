// SPDX-License-Identifier: MIT
// New contents for a group of files that take the place of the old ones only once all of them are
// ready, so that a failure on the way leaves every old file as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "run_files.h"

namespace talvo {

/// Each file is written beside its target under a name of its own, never through the target's
/// name, so a link there or another name of the same file is never written into. Commit puts the
/// files in place; until then, and after any failure, the targets are untouched. Whatever is
/// still staged when the object goes is deleted.
class StagedFiles {
 public:
  explicit StagedFiles(RunFiles& files);
  ~StagedFiles();
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;

  /// Stages the bytes as the target's new content, in place of anything staged for it before.
  /// Fails at once when the target is a folder, which no file can replace.
  std::optional<std::string> Write(const std::filesystem::path& target, std::string_view bytes);
  /// Reads back what is staged for the target.
  std::optional<std::string> Read(const std::filesystem::path& target, std::string& bytes);
  /// Deletes what is staged for the target.
  std::optional<std::string> Drop(const std::filesystem::path& target);

  struct Failure {
    std::filesystem::path target;
    std::string reason;
  };
  /// Puts every staged file in place of its target, the last one staged last, each in one step
  /// over the old file, so a target's name never stands empty. When one cannot be put in place,
  /// the targets already replaced get their old files back.
  std::optional<Failure> Commit();

  /// Deletes the files staged for these targets by runs that ended before they could clean up
  /// (killed, or the machine went down). Only for a caller that holds the folder's run lock.
  void RemoveLeftovers(std::initializer_list<std::filesystem::path> targets);

 private:
  struct Entry {
    std::filesystem::path target;
    std::filesystem::path staged;
  };
  struct Replaced {
    std::filesystem::path target;
    std::optional<std::filesystem::path> aside;  ///< a second name of the old file; none when there was none
  };

  std::filesystem::path FreshName(const std::filesystem::path& target);
  Entry* Find(const std::filesystem::path& target);
  void Undo(const std::vector<Replaced>& replaced);
  void Discard(const std::filesystem::path& path);

  RunFiles& files_;
  std::vector<Entry> entries_;
  std::vector<std::filesystem::path> leftovers_;
  std::mt19937_64 random_;
};

}  // namespace talvo
