// SPDX-License-Identifier: MIT
#include "plot_program.h"

#include <algorithm>

namespace talvo::plot {

std::pair<std::size_t, std::size_t> PlotProgram::MovesOfLine(std::uint32_t line) const {
  const auto lower =
      std::lower_bound(moves.begin(), moves.end(), line, [](const PlotMove& m, std::uint32_t l) { return m.line < l; });
  const auto upper =
      std::upper_bound(lower, moves.end(), line, [](std::uint32_t l, const PlotMove& m) { return l < m.line; });
  return {static_cast<std::size_t>(lower - moves.begin()), static_cast<std::size_t>(upper - moves.begin())};
}

}  // namespace talvo::plot
