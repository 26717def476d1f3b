// SPDX-License-Identifier: MIT
#include "print_line.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <system_error>

namespace talvo {

std::string NumberText(double value) {
  if (value == 0.0 || !std::isfinite(value)) {
    // Zero (either sign) is written 0. Non-finite values never reach a program; the run
    // refuses them first, so this text only has to be harmless.
    return value == 0.0 ? "0" : (std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf"));
  }
  // Scientific form with 15 significant digits gives the correctly rounded digits and the
  // decimal exponent, independently of the C locale; they are then laid out in plain decimal.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
  const std::string sci(buf, res.ptr);
  const auto ePos = sci.find('e');
  std::string digits;
  for (std::size_t i = 0; i < ePos; ++i) {
    if (sci[i] != '.') digits += sci[i];
  }
  const int exponent = std::atoi(sci.c_str() + ePos + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = value < 0 ? "-" : "";
  const int pointAt = exponent + 1;  // digits before the decimal point
  if (pointAt <= 0) {
    text += '.';
    text.append(static_cast<std::size_t>(-pointAt), '0');
    text += digits;
  } else if (static_cast<std::size_t>(pointAt) >= digits.size()) {
    text += digits;
    text.append(static_cast<std::size_t>(pointAt) - digits.size(), '0');
  } else {
    text += digits.substr(0, static_cast<std::size_t>(pointAt));
    text += '.';
    text += digits.substr(static_cast<std::size_t>(pointAt));
  }
  return text;
}

std::string NumberItemText(double value) {
  std::string text = NumberText(value);
  if (text.front() != '-') text.insert(text.begin(), ' ');
  text += ' ';
  return text;
}

void WritePrintLine(std::ostream& out, const PrintLine& line) {
  for (const auto& item : line) {
    if (const auto* text = std::get_if<std::string>(&item)) {
      out << *text;
    } else {
      out << NumberItemText(std::get<double>(item));
    }
  }
  out << "\r\n";
}

namespace {

// The largest size of a number that the readers of our programs take: the viewer refuses any
// larger, and rs274 refuses the long lines that numbers far beyond it make.
constexpr double kLargestReadable = 1e9;

// The rounding NumberText writes, read back. Just below the largest double it rounds up past it:
// 1.7976931348623157E308 would be written as 179769313486232 and 294 zeros, which nothing reads.
bool ReadsBack(double value) {
  if (!std::isfinite(value)) return false;
  char buf[64];
  const auto written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
  double back = 0;
  return std::from_chars(buf, written.ptr, back).ec == std::errc() && std::fabs(back) <= kLargestReadable;
}

}  // namespace

bool IsWritable(const PrintLine& line) {
  for (const auto& item : line) {
    if (const auto* number = std::get_if<double>(&item); number && !ReadsBack(*number)) {
      return false;
    }
  }
  return true;
}

}  // namespace talvo
