// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "plot_extents.h"
#include "plot_program.h"

namespace talvo::plot {

/// A grid over the program's extents that finds the moves near a point or inside a box
/// without looking at all of them: each move sits in the cell of its box's centre, and each
/// cell keeps the union of its moves' boxes.
class MoveIndex {
 public:
  struct Box {
    float minX, minY, maxX, maxY;
  };

  MoveIndex() = default;
  explicit MoveIndex(const PlotProgram& program);

  /// Calls visit(moveIndex) for every move whose box meets `view`.
  template <typename Visit>
  void ForEachIn(const PlotExtents& view, Visit&& visit) const {
    for (std::size_t cell = 0; cell + 1 < cellStart_.size(); ++cell) {
      if (cellStart_[cell] == cellStart_[cell + 1] || !Meets(cellBox_[cell], view)) continue;
      for (std::uint32_t k = cellStart_[cell]; k < cellStart_[cell + 1]; ++k) {
        const std::uint32_t move = order_[k];
        if (Meets(boxes_[move], view)) visit(move);
      }
    }
  }

  /// Moves in the cells that meet `view`: a quick upper bound of what ForEachIn visits.
  std::size_t CountNear(const PlotExtents& view) const;

  /// The move nearest to (x, y) within `reach`, or -1.
  std::ptrdiff_t Nearest(const PlotProgram& program, double x, double y, double reach) const;

  const Box& BoxOf(std::size_t move) const { return boxes_[move]; }

 private:
  static bool Meets(const Box& b, const PlotExtents& v) {
    return !(b.minX > v.maxX || b.maxX < v.minX || b.minY > v.maxY || b.maxY < v.minY);
  }

  std::vector<Box> boxes_;                // per move, rounded outward to float
  std::vector<std::uint32_t> cellStart_;  // moves of cell c are order_[cellStart_[c] .. cellStart_[c+1])
  std::vector<std::uint32_t> order_;
  std::vector<Box> cellBox_;
};

}  // namespace talvo::plot
