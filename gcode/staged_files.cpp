// SPDX-License-Identifier: MIT
#include "staged_files.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace talvo {

StagedFiles::StagedFiles(RunFiles& files) : files_(files), random_(std::random_device{}()) {}

StagedFiles::~StagedFiles() {
  for (const Entry& e : entries_) files_.Remove(e.staged);
  for (const auto& path : leftovers_) files_.Remove(path);
}

void StagedFiles::Discard(const std::filesystem::path& path) {
  // A file of ours that cannot be deleted now gets one more try at the end.
  if (files_.Remove(path)) leftovers_.push_back(path);
}

namespace {

constexpr std::size_t kSuffixDigits = 16;

/// Whether `name` is a name FreshName gives for a target named `target`.
bool IsStagedName(std::string_view name, std::string_view target) {
  if (name.size() != target.size() + 1 + kSuffixDigits + 4 || !name.starts_with(target)) return false;
  name.remove_prefix(target.size());
  if (name.front() != '.' || !name.ends_with(".tmp")) return false;
  const std::string_view digits = name.substr(1, kSuffixDigits);
  return std::all_of(digits.begin(), digits.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

}  // namespace

void StagedFiles::RemoveLeftovers(std::initializer_list<std::filesystem::path> targets) {
  std::vector<std::filesystem::path> folders;
  for (const auto& target : targets) {
    if (std::find(folders.begin(), folders.end(), target.parent_path()) == folders.end())
      folders.push_back(target.parent_path());
  }
  for (const auto& folder : folders) {
    std::vector<std::string> names;
    if (files_.Names(folder, names)) continue;  // nothing to clean is no reason to stop a run
    for (const std::string& name : names) {
      for (const auto& target : targets) {
        const auto targetName = target.filename().u8string();
        if (target.parent_path() == folder &&
            IsStagedName(name, std::string_view(reinterpret_cast<const char*>(targetName.data()), targetName.size()))) {
          files_.Remove(folder / name);
          break;
        }
      }
    }
  }
}

std::filesystem::path StagedFiles::FreshName(const std::filesystem::path& target) {
  // Random, so that no one can lay a link in its way beforehand and two runs never meet; beside
  // the target, so that moving it in place stays within one folder.
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%0*llx.tmp", static_cast<int>(kSuffixDigits),
                static_cast<unsigned long long>(random_()));
  std::filesystem::path name = target;
  name += suffix;
  return name;
}

StagedFiles::Entry* StagedFiles::Find(const std::filesystem::path& target) {
  const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.target == target; });
  return it == entries_.end() ? nullptr : &*it;
}

std::optional<std::string> StagedFiles::Write(const std::filesystem::path& target, std::string_view bytes) {
  if (files_.Kind(target) == NameKind::Folder) return std::make_error_code(std::errc::is_a_directory).message();
  const std::filesystem::path fresh = FreshName(target);
  if (auto err = files_.WriteNew(fresh, bytes)) {
    Discard(fresh);  // a write that failed half-way leaves no file behind
    return err;
  }
  if (Entry* e = Find(target)) {
    Discard(e->staged);
    e->staged = fresh;
  } else {
    entries_.push_back({target, fresh});
  }
  return std::nullopt;
}

std::optional<std::string> StagedFiles::Read(const std::filesystem::path& target, std::string& bytes) {
  const Entry* e = Find(target);
  return files_.Read(e ? e->staged : target, bytes);
}

std::optional<std::string> StagedFiles::Drop(const std::filesystem::path& target) {
  const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.target == target; });
  if (it == entries_.end()) return std::nullopt;
  if (auto err = files_.Remove(it->staged)) return err;
  entries_.erase(it);
  return std::nullopt;
}

std::optional<StagedFiles::Failure> StagedFiles::Commit() {
  std::vector<Replaced> replaced;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    Entry& e = entries_[i];
    // Every file is moved straight over its target, so its name always holds a whole file. An
    // earlier one may have to be undone later, so its old file first gets a second name.
    std::optional<std::filesystem::path> aside;
    if (i + 1 < entries_.size() && files_.Kind(e.target) != NameKind::Absent) {
      aside = FreshName(e.target);
      if (auto err = files_.KeepCopy(e.target, *aside)) {
        Discard(*aside);
        Undo(replaced);
        return Failure{e.target, *err};
      }
    }
    if (auto err = files_.Rename(e.staged, e.target)) {
      if (aside) Discard(*aside);  // the old file never left its name
      Undo(replaced);
      return Failure{e.target, *err};
    }
    replaced.push_back({e.target, aside});
  }
  entries_.clear();
  for (const Replaced& r : replaced) {
    if (r.aside) Discard(*r.aside);
  }
  return std::nullopt;
}

void StagedFiles::Undo(const std::vector<Replaced>& replaced) {
  // Last replaced first. Counted down, not a ranges view: clang 14 cannot read this standard
  // library's views.
  for (std::size_t i = replaced.size(); i-- > 0;) {
    const Replaced& r = replaced[i];
    if (r.aside)
      files_.Rename(*r.aside, r.target);  // over the new file, so the name is never empty
    else
      files_.Remove(r.target);
  }
}

}  // namespace talvo
