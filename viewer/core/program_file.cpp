// SPDX-License-Identifier: MIT
#include "program_file.h"

#include <filesystem>
#include <fstream>

#include "large_pages.h"
#include "plot_messages.h"

namespace talvo::plot {

std::string TextProblem(const std::string& text) {
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) return msg::kFileEmpty;
  if (text.find('\0') != std::string::npos) return msg::kFileBinary;
  return {};
}

ProgramFile LoadProgramFile(const std::string& path) {
  namespace fs = std::filesystem;
  ProgramFile file;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) {
    file.problem = msg::kFileMissing;
    return file;
  }
  if (!fs::is_regular_file(status)) {
    file.problem = msg::kFileUnreadable;
    return file;
  }
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) {
    file.problem = msg::kFileUnreadable;
    return file;
  }
  if (size > kMaxProgramFileSize) {
    file.problem = msg::kFileTooBig;
    return file;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    file.problem = msg::kFileUnreadable;
    return file;
  }
  ReserveLarge(file.text, static_cast<std::size_t>(size));
  file.text.resize(static_cast<std::size_t>(size));
  in.read(file.text.data(), static_cast<std::streamsize>(size));
  // The file may have changed since its size was taken; keep what was really read.
  file.text.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) {
    file.text.clear();
    file.problem = msg::kFileUnreadable;
    return file;
  }
  file.problem = TextProblem(file.text);
  if (!file.problem.empty()) file.text.clear();
  return file;
}

}  // namespace talvo::plot
