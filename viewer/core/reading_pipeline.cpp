// SPDX-License-Identifier: MIT
#include "reading_pipeline.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <thread>
#include <vector>

#include "block_parser.h"
#include "modal_interpreter.h"
#include "parsed_block.h"

namespace talvo::plot {

namespace {

// The end of the line that starts at `start`.
std::size_t LineEnd(std::string_view text, std::size_t start) {
  const void* nl = std::memchr(text.data() + start, '\n', text.size() - start);
  return nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - text.data()) : text.size();
}

constexpr std::size_t kChunkLines = 1024;
constexpr std::uint32_t kChunks = 8;

// Tells `progress`, if any, that the text before `at` is read; true when it asks the reading to end.
bool ReportRead(ReadProgress* progress, std::string_view text, std::size_t at) {
  if (!progress) return false;
  progress->bytesRead.store(std::min(at, text.size()), std::memory_order_relaxed);
  return progress->Stopped();
}

// One reading on two threads. The finder thread finds the lines and parses them into a ring of
// chunks; the calling thread interprets the chunks in order and hands them back. What each side
// writes lies on cache lines of its own, and the whole on lines no neighbour on the calling
// thread's stack shares: a line written by both sides goes back and forth between the cores for
// every source line, which made the interpreter wait on its own modes.
class alignas(64) TwoThreadReading {
 public:
  TwoThreadReading(std::string_view text, PlotProgram& out, ReadProgress* progress)
      : text_(text), out_(out), progress_(progress) {}

  void Run();

 private:
  // A cache line each: the finder fills one chunk while the interpreter reads the one before.
  struct alignas(64) Chunk {
    std::vector<ParsedLine> lines = std::vector<ParsedLine>(kChunkLines);
    std::size_t count = 0;  // an empty chunk ends the lines
  };

  void FindAndParse();
  void Interpret();
  void Publish();
  void WaitForRoom(std::uint32_t next);
  void HandBack(bool last);

  std::string_view text_;
  PlotProgram& out_;
  ReadProgress* progress_;
  std::vector<Chunk> chunks_ = std::vector<Chunk>(kChunks);
  std::exception_ptr failure_;
  // The finder's own.
  alignas(64) std::vector<std::uint32_t> lineStarts_;
  BlockParser parser_;
  // Chunks filled and chunks taken, each written by one side. Each side waits on the other's
  // count only when it has to, and the counts change a few thousand times a second.
  alignas(64) std::atomic<std::uint32_t> produced_{0};
  alignas(64) std::atomic<std::uint32_t> consumed_{0};
  alignas(64) std::atomic<bool> stop_{false};
};

void TwoThreadReading::Run() {
  // The finder fills the line starts in a vector of its own, handed back once it is done: the
  // program's vector shares a cache line with the fields the interpreter writes for every move.
  lineStarts_.swap(out_.lineStarts);
  std::thread finder([this] { FindAndParse(); });
  try {
    Interpret();
  } catch (...) {
    stop_.store(true);
    HandBack(true);
    finder.join();
    lineStarts_.swap(out_.lineStarts);
    throw;
  }
  // After the end of the program the finder may be waiting for room: stop lets it go.
  stop_.store(true);
  HandBack(true);
  finder.join();
  lineStarts_.swap(out_.lineStarts);
  if (failure_) std::rethrow_exception(failure_);
}

void TwoThreadReading::Publish() {
  produced_.fetch_add(1);
  produced_.notify_one();
}

// When the chunks are all full the finder sleeps until half are free again, so that it is
// woken once for several chunks taken rather than for each.
void TwoThreadReading::WaitForRoom(std::uint32_t next) {
  if (next - consumed_.load() < kChunks) return;
  for (std::uint32_t taken = consumed_.load(); next - taken > kChunks / 2 && !stop_.load(); taken = consumed_.load())
    consumed_.wait(taken);
}

void TwoThreadReading::HandBack(bool last) {
  const std::uint32_t taken = consumed_.fetch_add(1) + 1;
  if (last || produced_.load() - taken == kChunks / 2) consumed_.notify_one();
}

// The finder thread. Only it touches lineStarts_; the calling thread touches out_.
void TwoThreadReading::FindAndParse() {
  try {
    std::size_t start = 0;
    bool stopped = false;  // by the one waiting on the progress
    while (start < text_.size() && !stopped) {
      const std::uint32_t next = produced_.load();
      WaitForRoom(next);
      if (stop_.load()) break;
      Chunk& chunk = chunks_[next % kChunks];
      std::size_t count = 0;  // kept here until the chunk is full, off the interpreter's lines
      while (count < kChunkLines && start < text_.size()) {
        const std::size_t stopAt = LineEnd(text_, start);
        lineStarts_.push_back(static_cast<std::uint32_t>(start));
        parser_.Read(text_.substr(start, stopAt - start), chunk.lines[count++]);
        start = stopAt + 1;
      }
      chunk.count = count;
      Publish();
      stopped = ReportRead(progress_, text_, start);
    }
    // Once the program has ended the rest of the lines are only found, for the text pane.
    while (start < text_.size() && !stopped) {
      lineStarts_.push_back(static_cast<std::uint32_t>(start));
      start = LineEnd(text_, start) + 1;
    }
    ReportRead(progress_, text_, start);
  } catch (...) {
    failure_ = std::current_exception();
  }
  // The empty chunk that ends the lines, once there is room for it.
  const std::uint32_t next = produced_.load();
  WaitForRoom(next);
  chunks_[next % kChunks].count = 0;
  Publish();
}

void TwoThreadReading::Interpret() {
  ModalInterpreter interpreter(out_);
  std::uint32_t index = 0;
  for (bool reading = true; reading;) {
    const std::uint32_t mine = consumed_.load();
    for (std::uint32_t ready = produced_.load(); ready == mine; ready = produced_.load()) produced_.wait(ready);
    Chunk& chunk = chunks_[mine % kChunks];
    if (chunk.count == 0) break;
    for (std::size_t i = 0; i < chunk.count && reading; ++i) reading = interpreter.Take(chunk.lines[i], index++);
    if (!reading) stop_.store(true);
    HandBack(!reading);
  }
}

}  // namespace

void ReadOnOneThread(std::string_view text, PlotProgram& out, ReadProgress* progress) {
  BlockParser parser;
  ModalInterpreter interpreter(out);
  ParsedLine parsed;
  bool reading = true;
  std::size_t start = 0;
  std::uint32_t index = 0;
  while (start < text.size()) {
    const std::size_t stop = LineEnd(text, start);
    out.lineStarts.push_back(static_cast<std::uint32_t>(start));
    if (reading) {
      parser.Read(text.substr(start, stop - start), parsed);
      reading = interpreter.Take(parsed, index);
    }
    ++index;
    start = stop + 1;
    if (index % kChunkLines == 0 && ReportRead(progress, text, start)) return;
  }
  ReportRead(progress, text, start);
}

void ReadOnTwoThreads(std::string_view text, PlotProgram& out, ReadProgress* progress) {
  TwoThreadReading reading(text, out, progress);
  reading.Run();
}

}  // namespace talvo::plot
