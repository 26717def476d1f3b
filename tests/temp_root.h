// SPDX-License-Identifier: MIT
// A fresh folder that stands for the root during one test, removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace talvo::test_support {

class TempRoot {
 public:
  TempRoot() : path_(UniquePath()) { std::filesystem::create_directories(path_); }
  ~TempRoot() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempRoot(const TempRoot&) = delete;
  TempRoot& operator=(const TempRoot&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  static std::filesystem::path UniquePath() {
    std::random_device random;
    return std::filesystem::temp_directory_path() / ("talvo-" + std::to_string(random()) + std::to_string(random()));
  }
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace talvo::test_support
