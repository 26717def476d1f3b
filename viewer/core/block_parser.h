// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "parsed_block.h"

namespace talvo::plot {

/// Reads lines into words, each on its own, and runs the word checks that need no modes. It
/// keeps no state between lines but the texts the words point into, so it may run ahead of the
/// ModalInterpreter, on another thread.
class BlockParser {
 public:
  /// Fills `out` from `line` (without its '\n'). `out` may hold an earlier line: only what the
  /// new one sets is read later.
  void Read(std::string_view line, ParsedLine& out);

 private:
  // The texts of M codes passed over, kept so that the passed words can point into them.
  std::vector<std::unique_ptr<std::string>> mNames_;
};

}  // namespace talvo::plot
