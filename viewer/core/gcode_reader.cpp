// SPDX-License-Identifier: MIT
#include "gcode_reader.h"

#include <cstddef>
#include <thread>
#include <utility>
#include <vector>

#include "large_pages.h"
#include "newline_count.h"
#include "ngc_runner.h"
#include "reading_pipeline.h"

namespace talvo::plot {

namespace {

// Smaller texts are read on the calling thread alone: a second one would not pay for itself.
constexpr std::size_t kTwoThreadsFrom = std::size_t{1} << 20;

// The two-thread reading hands every parsed line from one core to the other. Where the machine
// has only two cores, the window's own thread and the rest of the machine share them with it,
// and cores that share no cache pass each line slowly: measured on a two-core machine, one
// thread read a million-line sheet in 105 ms and two in 130–180 ms.
constexpr unsigned kTwoThreadReadingCores = 4;

PlotProgram Reserved(std::string_view text) {
  PlotProgram out;
  // One pass to count lines spares the vectors their growing copies; the moves' room is
  // only touched as it fills. A plain line makes one move at most, so the room never runs out:
  // on a file of stacked moves, growing would copy hundreds of megabytes and hold twice as
  // many. Only a loop or a subroutine makes more, and then the moves grow as they come.
  const std::size_t lines = CountNewlines(text) + 1;
  ReserveLarge(out.lineStarts, lines);
  out.moves.reserve(lines);
  return out;
}

}  // namespace

PlotProgram ReadProgram(std::string_view text, ThreadChoice threads, ReadProgress* progress) {
  PlotProgram out = Reserved(text);
  if (progress) progress->bytesTotal.store(text.size(), std::memory_order_relaxed);
  if (ProgramUsesLanguage(text)) {
    ReadWithLanguage(text, out, ProgramLanguageLimits(), progress);
  } else if (UsesTwoThreads(threads, text.size() >= kTwoThreadsFrom, kTwoThreadReadingCores)) {
    ReadOnTwoThreads(text, out, progress);
  } else {
    // While this thread reads, a second one takes the page faults of the room the moves and
    // line starts go into, ahead of it: they were a quarter of the reading. The room is named
    // here, before the reading moves anything.
    std::vector<std::pair<void*, std::size_t>> room;
    out.moves.ForEachLargeBuffer([&](void* data, std::size_t bytes) { room.emplace_back(data, bytes); });
    room.emplace_back(out.lineStarts.data(), out.lineStarts.capacity() * sizeof(std::uint32_t));
    std::jthread prefault;
    if (UsesTwoThreads(threads, text.size() >= kTwoThreadsFrom))
      prefault = std::jthread([room] {
        for (const auto& [data, bytes] : room) PrefaultPages(data, bytes);
      });
    ReadOnOneThread(text, out, progress);
  }
  return out;
}

PlotProgram ReadProgramOnOneThread(std::string_view text) { return ReadProgram(text, ThreadChoice::One); }

}  // namespace talvo::plot
