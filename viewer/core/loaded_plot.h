// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>

#include "move_index.h"
#include "plot_program.h"
#include "read_progress.h"

namespace talvo::plot {

/// A program file as the viewer holds it: its text for the text pane, the moves the reader
/// found and their index for drawing, or the reason the file cannot be drawn.
struct LoadedPlot {
  std::string path;
  std::string text;
  std::string problem;
  PlotProgram program;
  MoveIndex index;
};

/// `progress`, if given, counts the bytes read and can stop the reading: a stopped plot is
/// incomplete and only fit to be thrown away.
LoadedPlot LoadPlot(const std::string& path, ReadProgress* progress = nullptr);

/// The bytes a loaded program holds, text and index included.
std::size_t HeldBytes(const LoadedPlot& plot);

/// The same for a text already in memory.
LoadedPlot PlotOfText(std::string text);

}  // namespace talvo::plot
