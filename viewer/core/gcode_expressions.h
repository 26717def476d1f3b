// SPDX-License-Identifier: MIT
// Values the reader passes over without evaluating them: parameters and expressions. They are
// rare in the programs it reads, so they stay out of line.
#pragma once

namespace talvo::plot {

/// A parameter: "#5", "#<name>", "#<_hal[pin.name]>", "#[expression]", "##1". p is at the '#'.
/// Returns its end, or nullptr when it is not one.
const char* SkipParameter(const char* p, const char* end);

/// A value the reader does not evaluate: a bracketed expression, a parameter, a function such as
/// "ABS[...]" or "ATAN[...]/[...]", each with an optional sign. Returns its end, or nullptr.
/// Nesting deeper than any program needs is refused, so the skipping stays within a small stack.
const char* SkipExpression(const char* p, const char* end);

}  // namespace talvo::plot
