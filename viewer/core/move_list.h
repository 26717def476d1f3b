// SPDX-License-Identifier: MIT
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

#include "large_pages.h"
#include "plot_move.h"

namespace talvo::plot {

/// A mark for each move, ranked in one step: the marks before each block of 64 moves are
/// counted as the marks are made, and those within the block by one popcount.
class MarkedMoves {
 public:
  void reserve(std::size_t n) {
    bits_.reserve(n / 64 + 1);
    before_.reserve(n / 64 + 1);
  }
  void push_back(bool marked) {
    const std::size_t i = size_++;
    if (i % 64 == 0) {
      before_.push_back(count_);
      bits_.push_back(0);
    }
    if (marked) {
      bits_.back() |= std::uint64_t{1} << (i % 64);
      ++count_;
    }
  }
  bool Marked(std::size_t i) const { return (bits_[i / 64] >> (i % 64)) & 1; }
  /// How many of the moves before move i are marked.
  std::size_t Before(std::size_t i) const {
    return before_[i / 64] +
           static_cast<std::size_t>(std::popcount(bits_[i / 64] & ((std::uint64_t{1} << (i % 64)) - 1)));
  }
  std::size_t HeldBytes() const {
    return bits_.capacity() * sizeof(std::uint64_t) + before_.capacity() * sizeof(std::uint32_t);
  }

 private:
  LargeVector<std::uint64_t> bits_;
  LargeVector<std::uint32_t> before_;
  std::size_t size_ = 0;
  std::uint32_t count_ = 0;
};

/// The moves of a program, held compactly: each move starts where the one before it ended
/// (the first at the origin), so only ends are kept, centres only for arcs, and heights only
/// where they change: a sheet is cut at one height. A file of the
/// largest size the viewer takes holds over ten million moves; about 30 bytes each keep it
/// within memory. Reads give whole PlotMove values.
class MoveList {
 public:
  class Iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = PlotMove;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = PlotMove;

    Iterator(const MoveList* list, std::size_t i) : list_(list), i_(i) {}
    PlotMove operator*() const { return (*list_)[i_]; }
    Iterator& operator++() {
      ++i_;
      return *this;
    }
    bool operator==(const Iterator& other) const { return i_ == other.i_; }

   private:
    const MoveList* list_;
    std::size_t i_;
  };

  std::size_t size() const { return flags_.size(); }
  bool empty() const { return flags_.empty(); }
  void reserve(std::size_t n);
  /// Appends `move`, which must start where the last move ended (the first at the origin).
  void push_back(const PlotMove& move);

  PlotMove operator[](std::size_t i) const;
  /// The move without its feed, which takes a search: enough to draw or place it.
  PlotMove Geometry(std::size_t i) const;
  PlotMove front() const { return (*this)[0]; }
  PlotMove back() const { return (*this)[size() - 1]; }
  Iterator begin() const { return {this, 0}; }
  Iterator end() const { return {this, size()}; }

  MoveKind Kind(std::size_t i) const { return static_cast<MoveKind>(flags_[i] & kKindBits); }
  bool IsCut(std::size_t i) const { return Kind(i) != MoveKind::Rapid; }
  bool IsArc(std::size_t i) const { return Kind(i) == MoveKind::ArcCw || Kind(i) == MoveKind::ArcCcw; }
  bool Pierce(std::size_t i) const { return flags_[i] & kPierceBit; }
  std::uint32_t Line(std::size_t i) const { return line_[i]; }
  double EndX(std::size_t i) const { return x_[i]; }
  double EndY(std::size_t i) const { return y_[i]; }
  double EndZ(std::size_t i) const {
    const std::size_t changes = heightChanges_.Before(i) + heightChanges_.Marked(i);
    return changes ? heights_[changes - 1] : 0;
  }
  /// Where the last move ended, which the next one starts from: the origin before the first.
  PlotPoint LastEnd() const {
    return empty() ? PlotPoint{} : PlotPoint{x_.back(), y_.back(), heights_.empty() ? 0.0 : heights_.back()};
  }
  double StartX(std::size_t i) const { return i ? x_[i - 1] : 0; }
  double StartY(std::size_t i) const { return i ? y_[i - 1] : 0; }
  double Feed(std::size_t i) const;

  /// Calls room(data, bytes) for each of the large buffers the moves are written into, with
  /// the room reserved.
  template <typename Room>
  void ForEachLargeBuffer(Room&& room) {
    room(x_.data(), x_.capacity() * sizeof(double));
    room(y_.data(), y_.capacity() * sizeof(double));
    room(line_.data(), line_.capacity() * sizeof(std::uint32_t));
    room(flags_.data(), flags_.capacity());
  }

  /// Bytes held, for the memory figures.
  std::size_t HeldBytes() const;

 private:
  static constexpr std::uint8_t kKindBits = 3;
  static constexpr std::uint8_t kPierceBit = 4;

  LargeVector<double> x_, y_;
  LargeVector<std::uint32_t> line_;
  LargeVector<std::uint8_t> flags_;
  MarkedMoves arcs_;
  LargeVector<double> centres_;  // x, y of each arc's centre, in order
  // The moves that end at another height than the move before (the first: than 0), and the
  // height each of them ends at, in order.
  MarkedMoves heightChanges_;
  LargeVector<double> heights_;
  // The feed changes seldom: the first move of each new feed, and the feed.
  std::vector<std::uint32_t> feedFrom_;
  std::vector<double> feeds_;
};

}  // namespace talvo::plot
