// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

#include "parsed_block.h"
#include "plot_move.h"
#include "plot_program.h"

namespace talvo::plot {

/// Runs parsed lines in program order, with the modes each leaves for the next (motion, units,
/// distance, feed, position), and adds their moves, refusals and passed-over words to a program.
/// Arcs are held to LinuxCNC's allowances, so that the viewer refuses the arcs it refuses and
/// draws those it runs.
class ModalInterpreter {
 public:
  explicit ModalInterpreter(PlotProgram& out) : out_(out) {}

  /// Runs source line `index`. Returns false once the program has ended.
  bool Take(ParsedLine& line, std::uint32_t index);

 private:
  enum class Motion { None, Rapid, Feed, ArcCw, ArcCcw };

  const char* Execute(const ParsedBlock& block, std::uint32_t index);
  const char* Arc(const ParsedBlock& block, PlotPoint end, std::uint32_t index);
  void Add(PlotMove& move);  // sets the move's feed and pierce mark
  void Fail(std::uint32_t index, const char* reason, std::string_view detail = {});
  void NotePassed(const ParsedBlock& block, std::uint32_t index);

  PlotProgram& out_;
  PlotPoint position_;
  Motion motion_ = Motion::None;
  bool incremental_ = false;
  bool sawCode_ = false;
  bool lastWasRapid_ = false;
  bool feedUnknown_ = false;
  double feed_ = kNoFeed;
};

}  // namespace talvo::plot
