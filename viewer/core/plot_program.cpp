// SPDX-License-Identifier: MIT
#include "plot_program.h"

#include <algorithm>
#include <cstdint>

namespace talvo::plot {

std::pair<std::size_t, std::size_t> PlotProgram::MovesOfLine(std::uint32_t line) const {
  if (!lineMovesFrom_.empty()) {
    const auto runs = MoveRunsOfLine(line);
    return runs.empty() ? std::pair<std::size_t, std::size_t>{0, 0} : runs.front();
  }
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

std::vector<std::pair<std::size_t, std::size_t>> PlotProgram::MoveRunsOfLine(std::uint32_t line) const {
  std::vector<std::pair<std::size_t, std::size_t>> runs;
  if (lineMovesFrom_.empty()) {
    const auto range = MovesOfLine(line);
    if (range.first < range.second) runs.push_back(range);
    return runs;
  }
  if (line + std::size_t{1} >= lineMovesFrom_.size()) return runs;
  for (std::uint32_t k = lineMovesFrom_[line]; k < lineMovesFrom_[line + 1]; ++k) {
    const std::size_t move = movesByLine_[k];
    if (!runs.empty() && runs.back().second == move) {
      ++runs.back().second;
    } else {
      runs.emplace_back(move, move + 1);
    }
  }
  return runs;
}

void PlotProgram::IndexRepeatedLines() {
  lineMovesFrom_.clear();
  movesByLine_.clear();
  std::uint32_t last = 0;
  bool ordered = true;
  for (std::size_t i = 0; i < moves.size() && ordered; ++i) {
    ordered = moves.Line(i) >= last;
    last = moves.Line(i);
  }
  if (ordered) return;
  // A counting sort by line keeps each line's moves in program order.
  std::uint32_t lines = 0;
  for (std::size_t i = 0; i < moves.size(); ++i) lines = std::max(lines, moves.Line(i) + 1);
  lineMovesFrom_.assign(std::size_t{lines} + 1, 0);
  for (std::size_t i = 0; i < moves.size(); ++i) ++lineMovesFrom_[moves.Line(i) + 1];
  for (std::size_t l = 0; l < lines; ++l) lineMovesFrom_[l + 1] += lineMovesFrom_[l];
  movesByLine_.resize(moves.size());
  std::vector<std::uint32_t> next(lineMovesFrom_.begin(), lineMovesFrom_.end() - 1);
  for (std::size_t i = 0; i < moves.size(); ++i) movesByLine_[next[moves.Line(i)]++] = static_cast<std::uint32_t>(i);
}

}  // namespace talvo::plot
