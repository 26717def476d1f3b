// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstddef>

namespace talvo::plot {

/// How far a reading on another thread has come, and the way to end it early. The reader sets
/// the text's size as it starts and the bytes read after each chunk of lines; whoever waits on
/// it may set `stop`, after which the reading ends within a chunk and its result is incomplete,
/// only fit to be thrown away.
struct ReadProgress {
  std::atomic<std::size_t> bytesTotal{0};
  std::atomic<std::size_t> bytesRead{0};
  std::atomic<bool> stop{false};

  bool Stopped() const { return stop.load(std::memory_order_relaxed); }
  /// The share read so far, 0 to 100; 0 until the reading has started.
  int Percent() const {
    const std::size_t total = bytesTotal.load(std::memory_order_relaxed);
    return total ? static_cast<int>(bytesRead.load(std::memory_order_relaxed) * 100 / total) : 0;
  }
};

}  // namespace talvo::plot
