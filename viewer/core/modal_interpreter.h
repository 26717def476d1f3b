// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

#include "parsed_block.h"
#include "plot_move.h"
#include "plot_program.h"

namespace talvo::plot {

/// The modes a line leaves for the next, with the tool's position.
struct ModalState {
  enum class Motion : std::uint8_t { None, Rapid, Feed, ArcCw, ArcCcw, Probe };

  PlotPoint position;  // in the units in effect, as LinuxCNC keeps it
  Motion motion = Motion::None;
  bool incremental = false;
  bool inch = false;           // the units in effect
  bool jobUnitsFixed = false;  // the first move fixed the program's units, which its moves are kept in
  bool sawCode = false;        // a line with words, or an opening "%", came before
  bool percentOpened = false;  // the program opened with "%", so the next "%" ends it
  bool lastWasRapid = true;    // the torch is off at the start: the first cut pierces
  bool feedUnknown = false;
  double feed = kNoFeed;  // in the units in effect per minute
  double offsetZ = 0;     // what G92 took off Z, in the units in effect
};

/// Runs parsed lines in program order, with the modes each leaves for the next, and adds their
/// moves, refusals and passed-over words to a program. Arcs are held to LinuxCNC's allowances,
/// so that the viewer refuses the arcs it refuses and draws those it runs.
class ModalInterpreter {
 public:
  explicit ModalInterpreter(PlotProgram& out) : out_(out) {}

  /// Runs source line `index`. Returns false once the program has ended.
  /// `again`: a loop or a call runs the line once more, so its passed-over words, which count
  /// lines, are already counted.
  bool Take(ParsedLine& line, std::uint32_t index, bool again = false);

 private:
  PlotProgram& out_;
  ModalState state_;
};

}  // namespace talvo::plot
