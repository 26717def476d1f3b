// SPDX-License-Identifier: MIT
// talvo-plot --export and --summary on a terminal: how far the work has come, on one line.
#pragma once

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "read_progress.h"

namespace talvo::plot {

/// One line on `err` rewritten in place a few times a second, e.g. "talvo-plot: OKUNUYOR 45%",
/// and wiped when the work is done, so that what is written next starts on a clean line. Where
/// `err` is not a terminal (a file, a pipe, a test) nothing at all is written.
class TerminalProgress {
 public:
  /// How a piece of the line is written; a console that takes UTF-16 is given its own.
  using Writer = bool (*)(std::FILE* stream, std::string_view utf8);

  explicit TerminalProgress(std::FILE* err, Writer write = nullptr);
  ~TerminalProgress();
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  /// Shows `what`, and the share of `progress` read when given, until Clear() or the next Show().
  void Show(std::string what, const ReadProgress* progress = nullptr);
  /// Wipes the line.
  void Clear();

 private:
  void Run(const std::string& what, const ReadProgress* progress);
  void Write(const std::string& line);

  std::FILE* err_;
  Writer write_;
  bool terminal_;
  std::size_t shown_ = 0;  // characters on the line now
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace talvo::plot
