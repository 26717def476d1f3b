// SPDX-License-Identifier: MIT
// The characters and numbers of a G-code line. Inline: every word of every line goes through
// them, on the parsing thread's hot path.
#pragma once

#include <charconv>
#include <cstdint>
#include <iterator>
#include <system_error>

namespace talvo::plot {

// Larger numbers are refused: no table is that big, and keeping every value within it keeps
// all later sums and squares finite.
inline constexpr double kMaxMagnitude = 1e9;

inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
/// The letter in lower case, by ASCII alone: the words and names of a program fold the same in
/// every locale (std::tolower follows the C locale, which a window system sets to the user's,
/// and a Turkish one does not fold 'I' to 'i').
inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Powers of ten that a double holds exactly.
inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                               1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

/// A number as G-code writes it: an optional sign, digits with at most one point (".5", "-.75",
/// "3."), no exponent. Returns the end of the number, or nullptr when there is none; `tooBig`
/// tells a number past kMaxMagnitude.
inline const char* ReadNumber(const char* p, const char* end, double& value, bool& tooBig) {
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  const char* first = p;
  // The digits are gathered as they are scanned: a program's numbers almost always fit
  // in a double's mantissa, and then one division gives the same value from_chars would.
  std::uint64_t mantissa = 0;
  int digits = 0, decimals = 0;
  bool wholePart = false;  // a digit other than 0 before the point
  while (p < end && IsDigit(*p)) {
    wholePart = wholePart || *p != '0';
    if (digits < 19) mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    ++digits;
    ++p;
  }
  if (p < end && *p == '.') {
    ++p;
    while (p < end && IsDigit(*p)) {
      if (digits < 19) mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
      ++digits;
      ++decimals;
      ++p;
    }
  }
  if (digits == 0) return nullptr;
  double v = 0;
  constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;
  if (digits <= 19 && mantissa <= kExactMantissa && decimals < static_cast<int>(std::size(kExactPowersOfTen))) {
    // Both operands are exact, so the quotient is the correctly rounded value of the text.
    v = static_cast<double>(mantissa) / kExactPowersOfTen[decimals];
    tooBig = !(v <= kMaxMagnitude);
  } else {
    const auto result = std::from_chars(first, p, v, std::chars_format::fixed);
    // Out of range below 1 is a number too small to hold: LinuxCNC reads it as 0.
    if (result.ec == std::errc::result_out_of_range && !wholePart) v = 0;
    tooBig = (result.ec == std::errc::result_out_of_range && wholePart) || !(v <= kMaxMagnitude);
  }
  value = negative ? -v : v;
  return p;
}

/// True when the number that ends at p goes on as an exponent ("1e3", "2.5E-4"): LinuxCNC reads
/// that as a number followed by an E word, so the line means something other than it shows.
inline bool ExponentFollows(const char* p, const char* end) {
  if (p >= end || (*p != 'e' && *p != 'E')) return false;
  ++p;
  if (p < end && (*p == '+' || *p == '-')) ++p;
  return p < end && IsDigit(*p);
}

}  // namespace talvo::plot
