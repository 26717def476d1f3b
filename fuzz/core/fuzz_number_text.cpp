// SPDX-License-Identifier: MIT
// NumberText on any finite double: plain decimal with "." only, no exponent, no "-0", no zero
// before the point below 1, no trailing zeros, and reading it back gives the value rounded to
// 15 significant digits as an independent scientific rounding gives it.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>

#include "fuzz_check.h"
#include "print_line.h"
#include "round3.h"

namespace {

using talvo::fuzz::Check;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct Reading {
  std::errc ec;
  double value;
  bool whole;  ///< the reader used every character
};

Reading Read(std::string_view text) {
  Reading r{std::errc(), 0, false};
  const auto res = std::from_chars(text.data(), text.data() + text.size(), r.value);
  r.ec = res.ec;
  r.whole = res.ptr == text.data() + text.size();
  return r;
}

void CheckShape(std::string_view text, double value) {
  Check(!text.empty(), "a number has a text");
  const bool negative = text.front() == '-';
  Check(negative == (value < 0), "the minus sign stands exactly for negative values");
  const std::string_view unsigned_ = text.substr(negative ? 1 : 0);
  const std::size_t point = unsigned_.find('.');
  const std::string_view whole = unsigned_.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : unsigned_.substr(point + 1);
  for (const char c : whole) Check(IsDigit(c), "only digits before the point");
  for (const char c : fraction) Check(IsDigit(c), "only digits after the point, and one point at most");
  Check(point == std::string_view::npos || !fraction.empty(), "a point is followed by digits");
  Check(fraction.empty() || fraction.back() != '0', "no trailing zeros after the point");
  Check(!whole.empty() || !fraction.empty(), "some digit is written");
  Check(whole.empty() || whole.front() != '0' || text == "0", "no leading zero, nor zero before the point");
  Check(text != "-0", "never -0");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) return 0;
  double value = 0;
  std::memcpy(&value, data, sizeof value);
  if (!std::isfinite(value)) return 0;  // the run refuses these before anything is written

  const std::string text = talvo::NumberText(value);
  CheckShape(text, value);
  if (value == 0) Check(text == "0", "zero of either sign is 0");

  char sci[64];
  const auto res = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, 14);
  Check(res.ec == std::errc(), "the reference rounding has room");
  const Reading expected = Read(std::string_view(sci, static_cast<std::size_t>(res.ptr - sci)));
  const Reading got = Read(text);
  Check(got.whole, "the whole text is one number");
  Check(got.ec == expected.ec, "the text reads back like the value rounded to 15 digits");
  if (got.ec == std::errc())
    Check(got.value == expected.value, "the text reads back as the value rounded to 15 digits");

  const std::string item = talvo::NumberItemText(value);
  Check(item == (value < 0 ? "" : " ") + text + " ", "an item is the text with its blank or minus sign and a blank");

  const double rounded = talvo::Round3(value);
  Check(talvo::Round3(-value) == -rounded, "Round3 of -x is -Round3(x)");
  Check(std::fabs(rounded - value) <= 0.0005 + std::fabs(value) * 0x1p-51,
        "Round3 moves a value by half a thousandth at most");
  return 0;
}
