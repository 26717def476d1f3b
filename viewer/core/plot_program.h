// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "move_list.h"
#include "plot_error.h"
#include "plot_extents.h"
#include "plot_move.h"

namespace talvo::plot {

enum class PlotUnits : std::uint8_t { Millimetre, Inch };

/// Everything the reader found in one program text.
struct PlotProgram {
  MoveList moves;                         ///< in program order, so their source lines never decrease
  std::vector<PlotError> errors;          ///< the first kMaxKeptErrors unreadable lines
  std::size_t errorCount = 0;             ///< all unreadable lines, also those not kept
  std::vector<std::uint32_t> lineStarts;  ///< offset of each source line in the text
  std::vector<std::uint32_t> pierces;     ///< indices of cutting moves that follow a rapid
  PlotUnits units = PlotUnits::Millimetre;
  PlotExtents extents;
  double cutLength = 0;
  double rapidLength = 0;

  static constexpr std::size_t kMaxKeptErrors = 10000;

  /// Half-open range of indices into moves of the moves that source line `line` commands.
  std::pair<std::size_t, std::size_t> MovesOfLine(std::uint32_t line) const;
};

}  // namespace talvo::plot
