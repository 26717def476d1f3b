// SPDX-License-Identifier: MIT
// Programs that compute their path: parameters, expressions and o-word control flow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ngc_line.h"
#include "plot_program.h"
#include "read_progress.h"

namespace talvo::plot {

/// Where a program that runs away stops: executed blocks, call depth and moves. The messages
/// name the defaults; smaller limits are for tests and fuzzing, which cannot wait for them.
struct LanguageLimits {
  std::uint64_t blocks = 50'000'000;
  std::size_t depth = 100;
  // At about 30 bytes a move, 20 million hold 600 MB; a job that draws more is no plasma job.
  std::size_t moves = 20'000'000;
};

/// The limits ReadProgram runs the language within: the defaults, unless a fuzzer, which cannot
/// wait for a loop without end to run 50 million blocks, sets smaller ones before it reads.
LanguageLimits& ProgramLanguageLimits();

/// Reads `text` into `out` on the calling thread, running its o-words with a program counter
/// and a call stack. Every line it runs becomes an ordinary line with numbers for the modal
/// interpreter; a move records the file's line that made it, so lines repeat in a loop.
/// A program that runs too long, calls too deep or moves too much stops with its own message.
/// `progress`, if any, learns how far into the file the run has come and may stop it.
void ReadWithLanguage(std::string_view text, PlotProgram& out, const LanguageLimits& limits = {},
                      ReadProgress* progress = nullptr);

}  // namespace talvo::plot
