// SPDX-License-Identifier: MIT
#include "run_files.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

namespace talvo {
namespace {

std::string Reason(int err) { return std::make_error_code(static_cast<std::errc>(err ? err : EIO)).message(); }

}  // namespace

std::optional<std::string> DiskFiles::Write(const std::filesystem::path& path, std::string_view bytes) {
  errno = 0;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return Reason(errno);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();  // a full disk often shows only here, when the buffer is flushed
  if (!out) return Reason(errno);
  return std::nullopt;
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

}  // namespace talvo
