// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <vector>

namespace talvo::plot {

/// Marks cells of a picture that already hold something, so a crowd of marks or dots costs one
/// a cell.
class CellMask {
 public:
  CellMask(int width, int height, int cell)
      : w_(width / cell + 1), h_(height / cell + 1), cell_(cell), bits_(std::size_t(w_) * h_) {}
  /// True the first time a point lands in its cell; false then, and for points off the picture.
  bool Claim(double x, double y) {
    if (!(x >= 0 && y >= 0)) return false;
    const int cx = static_cast<int>(x) / cell_, cy = static_cast<int>(y) / cell_;
    if (cx >= w_ || cy >= h_) return false;
    const std::size_t k = std::size_t(cy) * w_ + cx;
    if (bits_[k]) return false;
    bits_[k] = 1;
    return true;
  }

 private:
  int w_, h_, cell_;
  std::vector<unsigned char> bits_;
};

}  // namespace talvo::plot
