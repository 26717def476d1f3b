// SPDX-License-Identifier: MIT
#include "plot_program.h"

#include <cstdint>

namespace talvo::plot {

std::pair<std::size_t, std::size_t> PlotProgram::MovesOfLine(std::uint32_t line) const {
  // The first move of a line at or after `line`, and of one after it.
  const auto firstFrom = [this](std::uint32_t l) {
    std::size_t lo = 0, hi = moves.size();
    while (lo < hi) {
      const std::size_t mid = lo + (hi - lo) / 2;
      if (moves.Line(mid) < l)
        lo = mid + 1;
      else
        hi = mid;
    }
    return lo;
  };
  return {firstFrom(line), line == UINT32_MAX ? moves.size() : firstFrom(line + 1)};
}

}  // namespace talvo::plot
