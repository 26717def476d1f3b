// SPDX-License-Identifier: MIT
// The lines of a text through the block parser and the modal interpreter, in program order.
#pragma once

#include <string_view>

#include "plot_program.h"
#include "read_progress.h"

namespace talvo::plot {

/// Reads `text` into `out` on the calling thread; `progress`, if any, is told of each chunk of
/// lines read and may stop the reading.
void ReadOnOneThread(std::string_view text, PlotProgram& out, ReadProgress* progress = nullptr);

/// Reads `text` into `out` on two threads: one finds the lines and parses them chunk by chunk,
/// the other interprets them in order as they come. The result is the one reading alone gives.
void ReadOnTwoThreads(std::string_view text, PlotProgram& out, ReadProgress* progress = nullptr);

}  // namespace talvo::plot
