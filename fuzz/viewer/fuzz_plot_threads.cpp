// SPDX-License-Identifier: MIT
// libFuzzer target over the reader's two threads: a program made of the input's lines is read
// on two threads and on one, and the two results must be the same, field by field; so must the
// move index built on two threads and on one. Taken round
// and round, the lines make programs that end on or next to the edges of the chunks the threads
// hand over (1024 lines, 8 of them in the ring), which the input alone (at most -max_len bytes)
// seldom reaches, and which a text must pass 1 MiB to be read on two threads by itself. `make fuzz` runs it with the
// seeds in corpus/plot_threads/.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "gcode_reader.h"
#include "move_index.h"
#include "ngc_runner.h"

namespace {

using namespace talvo::plot;
using talvo::fuzz::Check;

constexpr std::size_t kChunkLines = 1024;
// Whole chunks before the edge; most programs stay small so that a run reads many, and a few pass
// the ring of eight, where the finder waits for the interpreter to free a chunk, and the
// 10,000 refused lines kept.
constexpr std::size_t kChunksBefore[] = {0, 1, 1, 2, 2, 3, 8, 10};

// The program read: the input as it is, or its lines taken round and round until the program
// has a number of lines on or next to a chunk edge, which the input's size picks.
std::string ProgramOf(std::string_view input) {
  const std::size_t chunks = kChunksBefore[input.size() % std::size(kChunksBefore)];
  if (chunks == 0) return std::string(input);
  const std::size_t lines = chunks * kChunkLines - 2 + input.size() / std::size(kChunksBefore) % 5;
  std::string text;
  std::size_t start = 0;
  for (std::size_t line = 0; line < lines; ++line) {
    if (start > input.size()) start = 0;
    const std::size_t end = std::min(input.find('\n', start), input.size());
    text.append(input.substr(start, end - start)).push_back('\n');
    start = end + 1;
  }
  return text;
}

bool Same(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

void CheckSame(const PlotProgram& two, const PlotProgram& one) {
  Check(two.moves.size() == one.moves.size(), "two threads make as many moves as one");
  for (std::size_t i = 0; i < one.moves.size(); ++i) {
    const PlotMove m = two.moves[i], n = one.moves[i];
    Check(Same(m.end.x, n.end.x) && Same(m.end.y, n.end.y) && Same(m.end.z, n.end.z) && Same(m.centreX, n.centreX) &&
              Same(m.centreY, n.centreY) && Same(m.feed, n.feed) && m.line == n.line && m.kind == n.kind &&
              m.pierce == n.pierce,
          "two threads make the moves one makes");
  }
  Check(two.errorCount == one.errorCount && two.errors.size() == one.errors.size(),
        "two threads refuse as many lines as one");
  for (std::size_t i = 0; i < one.errors.size(); ++i) {
    Check(two.errors[i].line == one.errors[i].line && two.errors[i].reason == one.errors[i].reason,
          "two threads refuse the lines one refuses, for its reasons");
  }
  Check(two.passedOver.size() == one.passedOver.size(), "two threads pass over as many words as one");
  for (std::size_t i = 0; i < one.passedOver.size(); ++i) {
    const PassedOver &a = two.passedOver[i], &b = one.passedOver[i];
    Check(a.word == b.word && a.firstLine == b.firstLine && a.lines == b.lines,
          "two threads pass over the words one passes over");
  }
  Check(two.lineStarts == one.lineStarts, "two threads find the lines one finds");
  Check(two.pierces == one.pierces, "two threads find the pierces one finds");
  Check(two.units == one.units && two.feedUnknown == one.feedUnknown, "two threads end in the modes one ends in");
  Check(Same(two.extents.minX, one.extents.minX) && Same(two.extents.minY, one.extents.minY) &&
            Same(two.extents.maxX, one.extents.maxX) && Same(two.extents.maxY, one.extents.maxY),
        "two threads find the extents one finds");
  Check(Same(two.cutLength, one.cutLength) && Same(two.rapidLength, one.rapidLength),
        "two threads measure the lengths one measures");
}

// Every view of the index built on two threads visits the moves the one built on one visits, in
// the same order, whether one thread or two share the view, and these are the moves that meet it.
void CheckSameIndex(const PlotProgram& program) {
  const MoveIndex two(program, ThreadChoice::Two), one(program, ThreadChoice::One);
  const PlotExtents& all = program.extents;
  PlotExtents corner;  // the lower left quarter
  corner.Add(all.minX, all.minY);
  corner.Add((all.minX + all.maxX) / 2, (all.minY + all.maxY) / 2);
  for (const PlotExtents& view : {all, corner}) {
    std::vector<std::uint32_t> meeting;
    for (std::size_t i = 0; i < program.moves.size(); ++i) {
      const PlotExtents b = BoxOfMove(program.moves, i);
      if (!(b.minX > view.maxX || b.maxX < view.minX || b.minY > view.maxY || b.maxY < view.minY)) {
        meeting.push_back(static_cast<std::uint32_t>(i));
      }
    }
    for (const std::size_t parts : {1u, 2u}) {
      std::vector<std::uint32_t> visited, visitedOnOne;
      for (std::size_t part = 0; part < parts; ++part) {
        two.ForEachIn(
            program.moves, view, [&](std::uint32_t i) { visited.push_back(i); }, part, parts);
        one.ForEachIn(
            program.moves, view, [&](std::uint32_t i) { visitedOnOne.push_back(i); }, part, parts);
      }
      Check(visited == visitedOnOne, "the index built on two threads is the one built on one");
      std::sort(visited.begin(), visited.end());
      Check(visited == meeting, "a view's shares visit each move that meets it once");
    }
  }
}

}  // namespace

// A program that loops without end must stop within the fuzzer's timeout.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  talvo::plot::ProgramLanguageLimits() = {200'000, 100, 200'000};
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string text = ProgramOf(input);
  const PlotProgram program = ReadProgram(text, ThreadChoice::Two);
  CheckSame(program, ReadProgramOnOneThread(text));
  if (!program.moves.empty()) CheckSameIndex(program);
  return 0;
}
