// SPDX-License-Identifier: MIT
// One line of output text: items written one after another, closed by CR LF.
#pragma once

#include <iosfwd>
#include <string>
#include <variant>
#include <vector>

namespace talvo {

/// A text, written unchanged, or a number, written with the blanks around it.
using PrintItem = std::variant<std::string, double>;

/// An ordered list of items; writing it ends with CR LF.
using PrintLine = std::vector<PrintItem>;

/// The number's text: 15 significant digits, plain decimal with ".", no exponent,
/// no trailing zeros, no zero before the point below 1, never "-0".
std::string NumberText(double value);

/// A number item as written: " 50 " for 50, "-38 " for -38.
std::string NumberItemText(double value);

/// Writes the items in order and then CR LF.
void WritePrintLine(std::ostream& out, const PrintLine& line);

/// True when every number item's text reads back as a number a controller takes: the value is
/// finite and its rounding to 15 digits is at most 1e9 in size.
bool IsWritable(const PrintLine& line);

}  // namespace talvo
