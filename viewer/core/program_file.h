// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace talvo::plot {

/// The text of a program file, or why it cannot be drawn (problem is then not empty).
struct ProgramFile {
  std::string text;
  std::string problem;
};

/// Larger files are refused before reading: no plasma program comes near it, and the moves
/// of one would not fit the memory a viewer may take.
inline constexpr std::uintmax_t kMaxProgramFileSize = std::uintmax_t{64} * 1024 * 1024;

/// Reads a whole program file; refuses a missing, unreadable, empty, oversized or binary one.
ProgramFile LoadProgramFile(const std::string& path);

/// The reason a text cannot be a program at all (empty, or with NUL bytes), else empty.
std::string TextProblem(const std::string& text);

}  // namespace talvo::plot
