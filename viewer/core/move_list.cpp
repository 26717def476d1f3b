// SPDX-License-Identifier: MIT
#include "move_list.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace talvo::plot {

void MoveList::reserve(std::size_t n) {
  x_.reserve(n);
  y_.reserve(n);
  line_.reserve(n);
  flags_.reserve(n);
  arcs_.reserve(n);
  heightChanges_.reserve(n);
}

void MoveList::push_back(const PlotMove& move) {
  const std::size_t i = size();
  const double lastZ = heights_.empty() ? 0.0 : heights_.back();
  assert(move.start.x == StartX(i) && move.start.y == StartY(i) && move.start.z == lastZ);
  x_.push_back(move.end.x);
  y_.push_back(move.end.y);
  line_.push_back(move.line);
  flags_.push_back(static_cast<std::uint8_t>(static_cast<std::uint8_t>(move.kind) | (move.pierce ? kPierceBit : 0)));
  if (feeds_.empty() ? move.feed != kNoFeed : move.feed != feeds_.back()) {
    feedFrom_.push_back(static_cast<std::uint32_t>(i));
    feeds_.push_back(move.feed);
  }
  arcs_.push_back(move.IsArc());
  if (move.IsArc()) {
    centres_.push_back(move.centreX);
    centres_.push_back(move.centreY);
  }
  // By the bits, so that a -0 height stays one.
  const bool newHeight = std::bit_cast<std::uint64_t>(move.end.z) != std::bit_cast<std::uint64_t>(lastZ);
  heightChanges_.push_back(newHeight);
  if (newHeight) heights_.push_back(move.end.z);
}

PlotMove MoveList::operator[](std::size_t i) const {
  PlotMove m = Geometry(i);
  m.feed = Feed(i);
  return m;
}

PlotMove MoveList::Geometry(std::size_t i) const {
  PlotMove m;
  if (i > 0) m.start = {x_[i - 1], y_[i - 1], EndZ(i - 1)};
  m.end = {x_[i], y_[i], EndZ(i)};
  m.line = line_[i];
  m.kind = Kind(i);
  m.pierce = Pierce(i);
  if (m.IsArc()) {
    const std::size_t k = arcs_.Before(i);
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
  return (x_.capacity() + y_.capacity() + centres_.capacity() + heights_.capacity() + feeds_.capacity()) *
             sizeof(double) +
         (line_.capacity() + feedFrom_.capacity()) * sizeof(std::uint32_t) + flags_.capacity() + arcs_.HeldBytes() +
         heightChanges_.HeldBytes();
}

}  // namespace talvo::plot
