// SPDX-License-Identifier: MIT
#include "program_grammar.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace talvo::fuzz {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

/// Reads "-"? then digits with at most one "." among them, at least one digit; the value must
/// be one a reader can hold. Moves `pos` past the number.
bool ReadNumber(std::string_view line, std::size_t& pos) {
  const std::size_t start = pos;
  if (pos < line.size() && line[pos] == '-') ++pos;
  std::size_t digits = 0;
  bool point = false;
  for (; pos < line.size(); ++pos) {
    if (IsDigit(line[pos])) {
      ++digits;
    } else if (line[pos] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  double value = 0;
  const auto res = std::from_chars(line.data() + start, line.data() + pos, value);
  return res.ec == std::errc() && res.ptr == line.data() + pos && std::isfinite(value);
}

}  // namespace

bool IsProgramLine(std::string_view line) {
  if (line == "M30" || line == "%") return true;
  if (line.size() < 2 || line[0] != 'G' || (line[1] != '0' && line[1] != '1' && line[1] != '2')) return false;
  std::size_t pos = 2;
  int words = 0;
  while (pos < line.size()) {
    const char address = line[pos++];
    if (address != 'X' && address != 'Y' && address != 'J' && address != 'F') return false;
    if (!ReadNumber(line, pos)) return false;
    ++words;
  }
  return words > 0;
}

std::optional<std::string> ProgramFault(std::string_view stripped) {
  std::vector<std::string_view> lines;
  std::size_t pos = 0;
  while (pos < stripped.size()) {
    const std::size_t end = stripped.find("\r\n", pos);
    if (end == std::string_view::npos) return "a line without CR LF at its end";
    lines.push_back(stripped.substr(pos, end - pos));
    pos = end + 2;
  }
  for (const auto line : lines) {
    if (!IsProgramLine(line)) return "a line no program may hold: " + std::string(line.substr(0, 200));
  }
  if (lines.size() < 3 || lines[lines.size() - 2] != "M30" || lines.back() != "%") {
    return "the program does not end with M30 and %";
  }
  return std::nullopt;
}

}  // namespace talvo::fuzz
