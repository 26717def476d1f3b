// SPDX-License-Identifier: MIT
#include "move_index.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

#include "arc_geometry.h"

namespace talvo::plot {

namespace {

// Fewer moves are placed on the calling thread alone: a second thread would not pay for itself.
constexpr std::size_t kTwoThreadsFrom = 200'000;

}  // namespace

PlotExtents BoxOfMove(const MoveList& moves, std::size_t i) {
  if (moves.IsArc(i)) return MoveBox(moves.Geometry(i));
  PlotExtents box;
  box.Add(moves.StartX(i), moves.StartY(i));
  box.Add(moves.EndX(i), moves.EndY(i));
  return box;
}

MoveIndex::MoveIndex(const PlotProgram& program, ThreadChoice threads) {
  const MoveList& moves = program.moves;
  const std::size_t n = moves.size();
  // About eight moves a cell keeps both the cell scan and the move scan short.
  const std::size_t side = std::clamp<std::size_t>(static_cast<std::size_t>(std::sqrt(n / 8.0)), 1, 512);
  const PlotExtents& ext = program.extents;
  const double width = ext.Empty() ? 1 : std::max(ext.maxX - ext.minX, 1e-9);
  const double height = ext.Empty() ? 1 : std::max(ext.maxY - ext.minY, 1e-9);
  const double perX = static_cast<double>(side) / width, perY = static_cast<double>(side) / height;
  auto cellOf = [&](const PlotExtents& b) {
    const double cx = (0.5 * (b.minX + b.maxX) - ext.minX) * perX;
    const double cy = (0.5 * (b.minY + b.maxY) - ext.minY) * perY;
    const auto clampCell = [&](double v) {
      return static_cast<std::size_t>(std::clamp(v, 0.0, static_cast<double>(side - 1)));
    };
    return clampCell(cy) * side + clampCell(cx);
  };
  const std::size_t cells = side * side;
  LargeVector<std::uint32_t> cellOfMove(n);
  cellStart_.assign(cells + 1, 0);
  cellBox_.assign(cells, PlotExtents{});
  // Each move's box is found once: it places the move and widens its cell's box.
  const auto place = [&](std::size_t from, std::size_t to, std::uint32_t* counts, PlotExtents* boxes) {
    for (std::size_t i = from; i < to; ++i) {
      const PlotExtents box = BoxOfMove(moves, i);
      const std::size_t c = cellOf(box);
      cellOfMove[i] = static_cast<std::uint32_t>(c);
      ++counts[c];
      boxes[c].Add(box);
    }
  };
  order_.resize(n);
  // Moves [from, to) into their cells, from the slots in `fill` on.
  const auto sort = [&](std::size_t from, std::size_t to, std::vector<std::uint32_t>& fill) {
    for (std::size_t i = from; i < to; ++i) order_[fill[cellOfMove[i]]++] = static_cast<std::uint32_t>(i);
  };
  if (!UsesTwoThreads(threads, n >= kTwoThreadsFrom)) {
    place(0, n, cellStart_.data() + 1, cellBox_.data());
    for (std::size_t c = 0; c < cells; ++c) cellStart_[c + 1] += cellStart_[c];
    std::vector<std::uint32_t> fill(cellStart_.begin(), cellStart_.end() - 1);
    sort(0, n, fill);
    return;
  }
  // A large program is placed in two halves at once; the cells' counts and boxes are then
  // summed, which gives the grid one pass would. The second half's moves go after the first
  // half's in each cell, so the two halves are also sorted at once, in the order one pass gives.
  std::vector<std::uint32_t> counts(cells, 0);
  std::vector<PlotExtents> boxes(cells);
  std::thread placing([&] { place(n / 2, n, counts.data(), boxes.data()); });
  place(0, n / 2, cellStart_.data() + 1, cellBox_.data());
  placing.join();
  std::vector<std::uint32_t> firstHalf(cells), secondHalf(cells);
  for (std::size_t c = 0; c < cells; ++c) {
    const std::uint32_t inFirst = cellStart_[c + 1];
    cellStart_[c + 1] = cellStart_[c] + inFirst + counts[c];
    firstHalf[c] = cellStart_[c];
    secondHalf[c] = cellStart_[c] + inFirst;
    cellBox_[c].Add(boxes[c]);
  }
  std::thread sorting([&] { sort(n / 2, n, secondHalf); });
  sort(0, n / 2, firstHalf);
  sorting.join();
}

std::size_t MoveIndex::CountNear(const PlotExtents& view) const {
  std::size_t count = 0;
  for (std::size_t cell = 0; cell + 1 < cellStart_.size(); ++cell) {
    if (Meets(cellBox_[cell], view)) count += cellStart_[cell + 1] - cellStart_[cell];
  }
  return count;
}

std::ptrdiff_t MoveIndex::Nearest(const PlotProgram& program, double x, double y, double reach) const {
  std::ptrdiff_t best = -1;
  double bestDistance = reach;
  PlotExtents around;
  around.Add(x - reach, y - reach);
  around.Add(x + reach, y + reach);
  ForEachIn(program.moves, around, [&](std::uint32_t move) {
    const double d = DistanceToMove(program.moves[move], x, y);
    // On a tie the later move wins: it is drawn on top.
    if (d < bestDistance || (d == bestDistance && static_cast<std::ptrdiff_t>(move) > best)) {
      bestDistance = d;
      best = move;
    }
  });
  return best;
}

}  // namespace talvo::plot

namespace talvo::plot {

std::size_t MoveIndex::HeldBytes() const {
  return (cellStart_.capacity() + order_.capacity()) * sizeof(std::uint32_t) +
         cellBox_.capacity() * sizeof(PlotExtents);
}

}  // namespace talvo::plot
