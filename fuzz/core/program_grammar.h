// SPDX-License-Identifier: MIT
// What a program may hold, checked line by line without trusting the writer that made it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvo::fuzz {

/// True for one stripped program line without its CR LF: "M30", "%", or G0, G1 or G2 followed by
/// one or more words of X, Y, J or F and a plain decimal number ("-" and "." at most once each).
bool IsProgramLine(std::string_view line);

/// The first fault of a stripped program text (its lines each ended by CR LF, the last two
/// "M30" and "%"), or nothing when it has none.
std::optional<std::string> ProgramFault(std::string_view stripped);

}  // namespace talvo::fuzz
