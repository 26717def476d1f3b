// SPDX-License-Identifier: MIT
#include "val_parse.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>
#include <utility>

namespace talvo {
namespace {

/// Walks the text, passing over the characters that the reading ignores.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) { SkipBlanks(); }
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Next() {
    ++pos_;
    SkipBlanks();
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n')) {
      ++pos_;
    }
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<double> ParseRadix(Cursor& cur, unsigned radix) {
  std::uint64_t value = 0;
  for (int d = HexDigit(cur.Peek()); d >= 0 && static_cast<unsigned>(d) < radix; d = HexDigit(cur.Peek())) {
    value = value * radix + static_cast<unsigned>(d);
    if (value > 0xFFFFFFFFu) return std::nullopt;
    cur.Next();
  }
  return static_cast<double>(value);
}

// Enough significant digits to decide the rounding of any double; the rest only
// matter as "something non-zero follows", kept as one sticky digit.
constexpr std::size_t kKeptDigits = 780;
// A written exponent is saturated here. The point's own shift is never capped: it counts at most
// one per character of the text, so the sum stays exact for any text shorter than this and an
// exponent beyond it means overflow or zero whatever the digits.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

/// "&H" and "&O" numbers, read after the '&'; any other letter reads as zero.
std::optional<double> ParsePrefixed(Cursor& cur) {
  const char prefix = cur.Peek();
  if (prefix == 'H' || prefix == 'h') {
    cur.Next();
    return ParseRadix(cur, 16);
  }
  if (prefix == 'O' || prefix == 'o') {
    cur.Next();
    return ParseRadix(cur, 8);
  }
  return 0.0;
}

/// Significant digits (leading zeros dropped) and the power of ten of the first one:
/// value = 0.<digits> * 10^pointExponent.
struct Mantissa {
  std::string digits;
  bool sticky = false;
  bool anyDigit = false;
  std::int64_t pointExponent = 0;
};

void TakeDigit(Mantissa& m, char c, bool seenPoint) {
  m.anyDigit = true;
  if (m.digits.empty() && c == '0') {
    if (seenPoint) --m.pointExponent;
    return;
  }
  if (m.digits.size() < kKeptDigits) {
    m.digits += c;
  } else if (c != '0') {
    m.sticky = true;
  }
  if (!seenPoint) ++m.pointExponent;
}

Mantissa ReadMantissa(Cursor& cur) {
  Mantissa m;
  bool seenPoint = false;
  for (;;) {
    const char c = cur.Peek();
    if (IsDigit(c)) {
      TakeDigit(m, c, seenPoint);
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
    cur.Next();
  }
  return m;
}

/// The written exponent after E or D (also accepted in lower case), saturated at the cap; 0 without one.
std::int64_t ReadExponent(Cursor& cur) {
  std::int64_t exponent = 0;
  const char e = cur.Peek();
  if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return exponent;
  cur.Next();
  bool expNegative = false;
  if (cur.Peek() == '+' || cur.Peek() == '-') {
    expNegative = cur.Peek() == '-';
    cur.Next();
  }
  while (IsDigit(cur.Peek())) {
    if (exponent < kExponentCap) exponent = exponent * 10 + (cur.Peek() - '0');
    cur.Next();
  }
  return expNegative ? -exponent : exponent;
}

/// The nearest double, rounded once by the standard library from the kept digits.
std::optional<double> ToDouble(Mantissa m, std::int64_t exponent, bool negative) {
  if (m.digits.empty()) return negative ? -0.0 : 0.0;
  const std::int64_t magnitude = m.pointExponent + exponent;  // value lies in [10^(m-1), 10^m)
  if (magnitude > 309) return std::nullopt;
  if (magnitude < -330) return negative ? -0.0 : 0.0;

  if (m.sticky) m.digits += '1';
  std::string scientific = m.digits.substr(0, 1) + "." + m.digits.substr(1) + "e" + std::to_string(magnitude - 1);
  double value = 0;
  const auto res = std::from_chars(scientific.data(), scientific.data() + scientific.size(), value);
  if (res.ec == std::errc::result_out_of_range) {
    if (magnitude > 0) return std::nullopt;
    value = 0;  // below the smallest double: reads as zero
  }
  return negative ? -value : value;
}

}  // namespace

std::optional<double> ValParse(std::string_view text) {
  Cursor cur(text);
  if (cur.Peek() == '&') {
    cur.Next();
    return ParsePrefixed(cur);
  }
  bool negative = false;
  if (cur.Peek() == '+' || cur.Peek() == '-') {
    negative = cur.Peek() == '-';
    cur.Next();
  }
  Mantissa mantissa = ReadMantissa(cur);
  if (!mantissa.anyDigit) return 0.0;
  const std::int64_t exponent = ReadExponent(cur);
  return ToDouble(std::move(mantissa), exponent, negative);
}

}  // namespace talvo
