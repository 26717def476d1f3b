// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
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

  /// The moves' index, built on first use by whichever thread asks first. A picture of the
  /// whole program visits every move and needs none, so the first picture does not wait for it.
  const MoveIndex& Index() const;

 private:
  struct LazyIndex {
    std::once_flag built;
    MoveIndex index;
  };
  std::unique_ptr<LazyIndex> index_ = std::make_unique<LazyIndex>();
};

/// `progress`, if given, counts the bytes read and can stop the reading: a stopped plot is
/// incomplete and only fit to be thrown away.
LoadedPlot LoadPlot(const std::string& path, ReadProgress* progress = nullptr);

/// The bytes a loaded program holds, text and index included.
std::size_t HeldBytes(const LoadedPlot& plot);

/// The same for a text already in memory.
LoadedPlot PlotOfText(std::string text);

}  // namespace talvo::plot
