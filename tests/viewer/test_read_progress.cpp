// SPDX-License-Identifier: MIT
// The reader's progress: the bytes read counted up to the whole text, the same program read as
// without it, and a stop asked for before the reading ends it within its first chunk of lines.
#include <gtest/gtest.h>

#include <string>

#include "gcode_reader.h"
#include "loaded_plot.h"

namespace talvo::plot {
namespace {

// Enough lines for several chunks and, at over a megabyte, two threads when asked.
std::string ManyLines() {
  std::string text;
  for (int i = 0; text.size() < 1'500'000; ++i)
    text.append("G1 X").append(std::to_string(i % 997)).append(" Y").append(std::to_string(i % 13)).append(" F600\n");
  return text;
}

TEST(ReadProgress, CountsTheBytesAndStops) {
  const std::string text = ManyLines();
  const PlotProgram whole = ReadProgram(text, ThreadChoice::One);
  for (const ThreadChoice threads : {ThreadChoice::One, ThreadChoice::Two}) {
    SCOPED_TRACE(threads == ThreadChoice::One ? "one thread" : "two threads");
    ReadProgress progress;
    const PlotProgram read = ReadProgram(text, threads, &progress);
    EXPECT_EQ(progress.bytesTotal.load(), text.size());
    EXPECT_EQ(progress.bytesRead.load(), text.size());
    EXPECT_EQ(progress.Percent(), 100);
    EXPECT_EQ(read.moves.size(), whole.moves.size());
    EXPECT_EQ(read.lineStarts, whole.lineStarts);

    ReadProgress stopped;
    stopped.stop = true;
    const PlotProgram cut = ReadProgram(text, threads, &stopped);
    EXPECT_EQ(cut.lineStarts.size(), 1024u);
    EXPECT_LE(cut.moves.size(), 1024u);
    EXPECT_LT(stopped.bytesRead.load(), text.size() / 10);
  }
}

}  // namespace
}  // namespace talvo::plot
