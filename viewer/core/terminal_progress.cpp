// SPDX-License-Identifier: MIT
#include "terminal_progress.h"

#include <chrono>
#include <utility>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace talvo::plot {

namespace {

constexpr auto kEvery = std::chrono::milliseconds(100);

bool IsTerminal(std::FILE* stream) {
#ifdef _WIN32
  return _isatty(_fileno(stream)) != 0;
#else
  return isatty(fileno(stream)) != 0;
#endif
}

bool WriteBytes(std::FILE* stream, std::string_view utf8) {
  return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
}

}  // namespace

TerminalProgress::TerminalProgress(std::FILE* err, Writer write)
    : err_(err), write_(write ? write : &WriteBytes), terminal_(IsTerminal(err)) {}

TerminalProgress::~TerminalProgress() { Clear(); }

void TerminalProgress::Show(std::string what, const ReadProgress* progress) {
  if (!terminal_) return;
  Clear();
  stop_ = false;
  thread_ = std::thread([this, what = std::move(what), progress] { Run(what, progress); });
}

void TerminalProgress::Clear() {
  if (!thread_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  thread_.join();
  // Spaces over the line rather than an escape sequence, which not every console knows.
  Write(std::string(shown_, ' '));
  write_(err_, "\r");
  std::fflush(err_);
  shown_ = 0;
}

void TerminalProgress::Run(const std::string& what, const ReadProgress* progress) {
  std::unique_lock lock(mutex_);
  do {
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) of a text put before a
    // std::to_string.
    std::string line = "talvo-plot: " + what;
    if (progress) line.append(" ").append(std::to_string(progress->Percent())).append("%");
    Write(line);
  } while (!wake_.wait_for(lock, kEvery, [this] { return stop_; }));
}

void TerminalProgress::Write(const std::string& line) {
  // A shorter line leaves no tail of the longer one before it.
  const std::string padded = line.size() < shown_ ? line + std::string(shown_ - line.size(), ' ') : line;
  write_(err_, "\r" + padded);
  std::fflush(err_);
  shown_ = padded.size();
}

}  // namespace talvo::plot
