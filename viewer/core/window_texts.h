// SPDX-License-Identifier: MIT
// The texts the viewer's window shows beside its picture, as plain UTF-8 strings, so every
// window toolkit shows the same words and numbers.
#pragma once

#include <cstddef>
#include <string>

#include "job_summary.h"
#include "plot_error.h"
#include "plot_move.h"
#include "plot_program.h"

namespace talvo::plot {

/// A number with `decimals` digits after the point; zero never signed.
std::string FixedNumber(double value, int decimals = 3);
/// Hours, minutes and seconds, as an operator reads a job's time: "1:02:03".
std::string DurationText(double seconds);

/// "TITLE - file.nc".
std::string WindowTitle(const std::string& fileName);
/// The cursor in program units.
std::string CursorText(double x, double y);
std::string UnitsText(PlotUnits units);
/// The program's extents; empty for a program without moves.
std::string ExtentsText(const PlotExtents& extents);
/// The cut and rapid lengths.
std::string LengthsText(const PlotProgram& program);
/// One unreadable line, and the line for the errors counted but not kept.
std::string ErrorLineText(const PlotError& error);
std::string MoreErrorsText(std::size_t notKept);
/// The job's summary: size, lengths, pierces, time and whether it fits the sheet.
std::string JobSummaryText(const PlotProgram& program, const JobSettings& job);
/// The facts of one move: its line, kind, length, feed and time.
std::string MoveFactsText(const PlotMove& move, const JobSettings& job);
/// The distance between two measured points, and its run along X and Y.
std::string DistanceText(double fromX, double fromY, double toX, double toY);

}  // namespace talvo::plot
