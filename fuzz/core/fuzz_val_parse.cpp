// SPDX-License-Identifier: MIT
// ValParse on any bytes: a finite number or the overflow outcome, the same reading whatever blanks,
// tabs and line feeds stand between the characters, and for a text that is one plain number the
// value a correctly rounding reader gives.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "val_parse.h"

namespace {

using talvo::ValParse;
using talvo::fuzz::Check;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool SameReading(const std::optional<double>& a, const std::optional<double>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || (*a == *b && std::signbit(*a) == std::signbit(*b));
}

// Blanks put before characters chosen from a hash of the text, so each input tries its own places.
std::string WithBlanksHere(std::string_view text) {
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  for (const unsigned char c : text) state = (state ^ c) * 0x100000001B3u;
  constexpr char kBlanks[] = {' ', '\t', '\n'};
  std::string out;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    state ^= state >> 31;
    state *= 0xBF58476D1CE4E5B9u;
    state ^= state >> 29;
    if ((state & 3) == 0) out.append(1 + (state >> 8) % 3, kBlanks[(state >> 4) % 3]);
    if (i < text.size()) out += text[i];
  }
  return out;
}

// A blank of each kind in turn between every two characters and at both ends.
std::string WithBlanksEverywhere(std::string_view text) {
  constexpr char kBlanks[] = {' ', '\t', '\n'};
  std::string out(1, '\n');
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    out += kBlanks[i % 3];
  }
  return out;
}

// The text without blanks, in the form std::from_chars reads, when it is one plain number and nothing else.
std::optional<std::string> AsPlainNumber(std::string_view text) {
  std::string plain;
  for (const char c : text) {
    if (IsBlank(c)) continue;
    if (c == 'D' || c == 'd') {
      plain += 'e';
    } else if ((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-') {
      plain += c;
    } else {
      return std::nullopt;
    }
  }
  if (!plain.empty() && plain[0] == '+') {
    plain.erase(0, 1);  // from_chars takes no plus sign, and "+-" is no number
    if (!plain.empty() && (plain[0] == '+' || plain[0] == '-')) return std::nullopt;
  }
  if (plain.empty()) return std::nullopt;
  return plain;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<double> value = ValParse(text);
  Check(!value || std::isfinite(*value), "a reading is a finite number");

  Check(SameReading(ValParse(WithBlanksHere(text)), value), "blanks inserted here and there change nothing");
  Check(SameReading(ValParse(WithBlanksEverywhere(text)), value), "blanks between all characters change nothing");

  std::size_t first = 0;
  while (first < size && IsBlank(text[first])) ++first;
  if (value && first < size && text[first] == '&') {
    Check(*value >= 0 && *value <= 4294967295.0 && *value == std::floor(*value), "&H and &O give whole 32-bit numbers");
  }

  if (const auto plain = AsPlainNumber(text)) {
    double reference = 0;
    const char* end = plain->data() + plain->size();
    const auto res = std::from_chars(plain->data(), end, reference);
    if (res.ptr == end && res.ec == std::errc()) {
      Check(SameReading(value, reference), "a plain number reads as the correctly rounded double");
    } else if (res.ptr == end && res.ec == std::errc::result_out_of_range) {
      Check(!value || *value == 0, "a number beyond a double is refused, one below it reads as zero");
    }
  }
  return 0;
}
