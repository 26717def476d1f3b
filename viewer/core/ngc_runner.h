// SPDX-License-Identifier: MIT
// Programs that compute their path: parameters, expressions and o-word control flow.
#pragma once

#include <string_view>

#include "plot_program.h"

namespace talvo::plot {

/// True when some line of `text` may use the language (a parameter, a bracket or an o-word):
/// a program without one is read line by line as it stands, on one thread or two.
bool ProgramUsesLanguage(std::string_view text);

/// Reads `text` into `out` on the calling thread, running its o-words with a program counter
/// and a call stack. Every line it runs becomes an ordinary line with numbers for the modal
/// interpreter; a move records the file's line that made it, so lines repeat in a loop.
/// A program that runs too long, calls too deep or moves too much stops with its own message.
void ReadWithLanguage(std::string_view text, PlotProgram& out);

}  // namespace talvo::plot
