// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

namespace talvo {

/// Reads the number at the start of a field's text. Blanks, tabs and line feeds are ignored
/// wherever they stand; a sign, digits, one "." and an exponent (E or D) form the number and
/// reading stops at the first character that cannot continue it; "&H" and "&O" give whole
/// hexadecimal and octal numbers up to 32 bits; no number at the start reads as 0.
/// Returns nothing when the number cannot be held (beyond the range of a double, or an
/// &H or &O number of more than 32 bits).
std::optional<double> ValParse(std::string_view text);

}  // namespace talvo
