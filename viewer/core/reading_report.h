// SPDX-License-Identifier: MIT
// What a script learns about a program read: the lines refused, the words passed over and the
// exit status that sums them up.
#pragma once

#include <string>
#include <string_view>

#include "plot_program.h"

namespace talvo::plot {

/// 1 when any line was refused, 0 when every line was drawn or only passed over.
int ReadingExitStatus(const PlotProgram& program);

/// For standard error: each refused line as "FILE:LINE: reason" and each kind of word passed
/// over as "FILE:LINE: GEÇİLDİ: word (N satır)", where LINE counts from 1 and names its first line.
std::string ReadingReport(const PlotProgram& program, std::string_view file);

}  // namespace talvo::plot
