// SPDX-License-Identifier: MIT
#include "move_list.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace talvo::plot {

void MoveList::reserve(std::size_t n) {
  x_.reserve(n);
  y_.reserve(n);
  z_.reserve(n);
  line_.reserve(n);
  flags_.reserve(n);
}

void MoveList::push_back(const PlotMove& move) {
  const std::size_t i = size();
  assert(move.start.x == StartX(i) && move.start.y == StartY(i) && move.start.z == (i ? z_[i - 1] : 0));
  x_.push_back(move.end.x);
  y_.push_back(move.end.y);
  z_.push_back(move.end.z);
  line_.push_back(move.line);
  flags_.push_back(static_cast<std::uint8_t>(static_cast<std::uint8_t>(move.kind) | (move.pierce ? kPierceBit : 0)));
  if (feeds_.empty() ? move.feed != kNoFeed : move.feed != feeds_.back()) {
    feedFrom_.push_back(static_cast<std::uint32_t>(i));
    feeds_.push_back(move.feed);
  }
  if (i % 64 == 0) {
    arcsBefore_.push_back(static_cast<std::uint32_t>(centres_.size() / 2));
    arcBits_.push_back(0);
  }
  if (move.IsArc()) {
    arcBits_.back() |= std::uint64_t{1} << (i % 64);
    centres_.push_back(move.centreX);
    centres_.push_back(move.centreY);
  }
}

std::size_t MoveList::ArcRank(std::size_t i) const {
  const std::uint64_t before = arcBits_[i / 64] & ((std::uint64_t{1} << (i % 64)) - 1);
  return arcsBefore_[i / 64] + static_cast<std::size_t>(std::popcount(before));
}

PlotMove MoveList::operator[](std::size_t i) const {
  PlotMove m = Geometry(i);
  m.feed = Feed(i);
  return m;
}

PlotMove MoveList::Geometry(std::size_t i) const {
  PlotMove m;
  if (i > 0) m.start = {x_[i - 1], y_[i - 1], z_[i - 1]};
  m.end = {x_[i], y_[i], z_[i]};
  m.line = line_[i];
  m.kind = Kind(i);
  m.pierce = Pierce(i);
  if (m.IsArc()) {
    const std::size_t k = ArcRank(i);
    m.centreX = centres_[2 * k];
    m.centreY = centres_[2 * k + 1];
  }
  return m;
}

double MoveList::Feed(std::size_t i) const {
  const auto after = std::upper_bound(feedFrom_.begin(), feedFrom_.end(), static_cast<std::uint32_t>(i));
  return after == feedFrom_.begin() ? kNoFeed : feeds_[static_cast<std::size_t>(after - feedFrom_.begin()) - 1];
}

std::size_t MoveList::HeldBytes() const {
  return (x_.capacity() + y_.capacity() + z_.capacity() + centres_.capacity() + feeds_.capacity()) * sizeof(double) +
         (line_.capacity() + arcsBefore_.capacity() + feedFrom_.capacity()) * sizeof(std::uint32_t) +
         flags_.capacity() + arcBits_.capacity() * sizeof(std::uint64_t);
}

}  // namespace talvo::plot
