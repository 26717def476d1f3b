// SPDX-License-Identifier: MIT
// A checker for the summary's JSON: one flat object of strings, numbers, true, false and null,
// each by JSON's own grammar, so a bare "inf" or a stray digit run fails the parse.
#pragma once

#include <map>
#include <optional>
#include <regex>
#include <string>

namespace talvo::test_support {

/// The object's members, name to value as written; nullopt when `text` is not such an object.
inline std::optional<std::map<std::string, std::string>> ParseFlatJson(const std::string& text) {
  static const std::regex member(
      R"re(\s*"([^"\\]*)"\s*:\s*("(?:[^"\\]|\\.)*"|null|true|false|-?(?:0|[1-9][0-9]*)(?:\.[0-9]+)?(?:[eE][+-]?[0-9]+)?)\s*([,}]))re");
  std::map<std::string, std::string> members;
  if (text.empty() || text.front() != '{') return std::nullopt;
  auto at = text.cbegin() + 1;
  for (std::smatch m; std::regex_search(at, text.cend(), m, member, std::regex_constants::match_continuous);) {
    members[m[1]] = m[2];
    at = m[0].second;
    if (m[3] == "}") return std::string(at, text.cend()) == "\n" ? std::optional(members) : std::nullopt;
  }
  return std::nullopt;
}

}  // namespace talvo::test_support
