// SPDX-License-Identifier: MIT
#include "disk_files.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "file_replace.h"

namespace talvo {
namespace {

std::string Reason(int err) { return std::make_error_code(static_cast<std::errc>(err ? err : EIO)).message(); }

}  // namespace

std::optional<std::string> DiskFiles::WriteNew(const std::filesystem::path& path, std::string_view bytes) {
  return platform::WriteNewFile(path, bytes);
}

std::optional<std::string> DiskFiles::Read(const std::filesystem::path& path, std::string& bytes) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return Reason(EISDIR);
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) return Reason(errno);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) return Reason(errno);
  return std::nullopt;
}

std::optional<std::string> DiskFiles::Remove(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (ec) return ec.message();
  return std::nullopt;
}

std::optional<std::string> DiskFiles::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  return platform::MoveIntoPlace(from, to);
}

NameKind DiskFiles::Kind(const std::filesystem::path& path) {
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return NameKind::Absent;
  return status.type() == std::filesystem::file_type::directory ? NameKind::Folder : NameKind::Other;
}

}  // namespace talvo
