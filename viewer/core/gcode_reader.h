// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "plot_program.h"
#include "read_progress.h"
#include "thread_choice.h"

namespace talvo::plot {

/// Reads the motions of a G-code program for drawing: G0 G1 G2 G3 (modal) with X Y Z I J R,
/// G17, G20/G21, G90/G91, N numbers, "%" tape marks, M2/M30 as the end, F as each move's feed.
/// It agrees with LinuxCNC's interpreter on what it draws: a line whose motion could be misread
/// is refused (a number in exponent form, a word that nothing on the line uses, such as E or Q
/// on a G1, an axis or arc word given as an expression, an arc outside the interpreter's
/// allowances). Words that do not change the path are passed over and listed: M codes with their
/// P, Q, E, L and $ words, S, T, G4 and G64 with P and Q, parameter assignments, comments, and
/// a feed given as an expression, which leaves the feed unknown.
/// A refused line is listed with the reason and moves nothing; as in the interpreter, the modes
/// it sets (units, distance, motion, feed) take effect when only its motion failed.
/// The start is G17 G21 G90 at the origin with no motion mode.
/// A large text is read on two threads, with the same result; `threads` may force one or two
/// whatever the size and the machine. `progress`, if given, counts the bytes read and can stop it.
PlotProgram ReadProgram(std::string_view text, ThreadChoice threads = ThreadChoice::ByMachine,
                        ReadProgress* progress = nullptr);

/// The same reading on the calling thread alone, whatever the size: what ReadProgram's two
/// threads must agree with.
PlotProgram ReadProgramOnOneThread(std::string_view text);

}  // namespace talvo::plot
