// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "large_pages.h"
#include "move_list.h"
#include "plot_extents.h"
#include "plot_program.h"
#include "thread_choice.h"

namespace talvo::plot {

/// The XY box of move i, quick for straight moves.
PlotExtents BoxOfMove(const MoveList& moves, std::size_t i);

/// A grid over the program's extents that finds the moves near a point or inside a box
/// without looking at all of them: each move sits in the cell of its box's centre, and each
/// cell keeps the union of its moves' boxes. Boxes of single moves are found again when
/// asked, so the grid holds four bytes a move.
class MoveIndex {
 public:
  MoveIndex() = default;
  /// A large program is placed on two threads, with the same grid; `threads` may force one or
  /// two whatever the size and the machine.
  explicit MoveIndex(const PlotProgram& program, ThreadChoice threads = ThreadChoice::ByMachine);

  /// Calls visit(moveIndex) for every move of `moves` (the program indexed) whose box meets
  /// `view`, cell by cell. With `parts` above one, only share `part` of those moves is visited,
  /// so that each of `parts` threads takes about as many.
  template <typename Visit>
  void ForEachIn(const MoveList& moves, const PlotExtents& view, Visit&& visit, std::size_t part = 0,
                 std::size_t parts = 1) const {
    // The moves of the cells that meet the view, in cell order, are cut into equal slices.
    const std::size_t near = parts > 1 ? CountNear(view) : 0;
    const std::size_t from = near * part / parts;
    const std::size_t to = parts > 1 ? near * (part + 1) / parts : order_.size();
    std::size_t seen = 0;
    for (std::size_t cell = 0; cell + 1 < cellStart_.size() && seen < to; ++cell) {
      const std::uint32_t first = cellStart_[cell], last = cellStart_[cell + 1];
      if (first == last || !Meets(cellBox_[cell], view)) continue;
      const std::size_t lo = std::max(seen, from), hi = std::min<std::size_t>(seen + (last - first), to);
      const std::size_t before = seen;
      seen += last - first;
      if (lo >= hi) continue;
      const bool whole = Within(cellBox_[cell], view);
      for (std::size_t k = first + (lo - before); k < first + (hi - before); ++k) {
        const std::uint32_t move = order_[k];
        if (whole || Meets(BoxOfMove(moves, move), view)) visit(move);
      }
    }
  }

  /// Moves in the cells that meet `view`: a quick upper bound of what ForEachIn visits.
  std::size_t CountNear(const PlotExtents& view) const;

  /// The move nearest to (x, y) within `reach`, or -1.
  std::ptrdiff_t Nearest(const PlotProgram& program, double x, double y, double reach) const;

  std::size_t HeldBytes() const;

 private:
  static bool Meets(const PlotExtents& b, const PlotExtents& v) {
    return !(b.minX > v.maxX || b.maxX < v.minX || b.minY > v.maxY || b.maxY < v.minY);
  }
  static bool Within(const PlotExtents& b, const PlotExtents& v) {
    return b.minX >= v.minX && b.maxX <= v.maxX && b.minY >= v.minY && b.maxY <= v.maxY;
  }

  std::vector<std::uint32_t> cellStart_;  // moves of cell c are order_[cellStart_[c] .. cellStart_[c+1])
  LargeVector<std::uint32_t> order_;
  std::vector<PlotExtents> cellBox_;
};

}  // namespace talvo::plot
