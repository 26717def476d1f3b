// SPDX-License-Identifier: MIT
// The checks of a block's words that need no modes, so they run on the parsing thread.
#pragma once

#include <cstdint>

#include "parsed_block.h"
#include "plot_messages.h"

namespace talvo::plot {

/// The words that need a code on the same line to mean anything: a line that carries one without
/// it would be run differently from the way it reads, so it is refused as LinuxCNC refuses it.
/// Returns why, or nullptr. Inline: it runs for every line.
inline const char* CheckWords(const ParsedBlock& block) {
  constexpr std::uint32_t kOtherAxes =
      WordBit('A') | WordBit('B') | WordBit('C') | WordBit('U') | WordBit('V') | WordBit('W');
  constexpr std::uint32_t kPathWords = WordBit('X') | WordBit('Y') | WordBit('Z') | WordBit('I') | WordBit('J') |
                                       WordBit('K') | WordBit('R') | WordBit('P');
  if (block.present & kOtherAxes) {
    // A rotary axis turns the work (a pipe, a bevel head): the job is not a flat plate.
    if (block.Has('A')) return msg::kRotaryA;
    if (block.Has('B')) return msg::kRotaryB;
    if (block.Has('C')) return msg::kRotaryC;
    return msg::kAxisNotDrawn;
  }
  if (block.expression & kPathWords) return msg::kExpression;
  if (block.Has('F') && !block.IsExpression('F') && block.Get('F') < 0) return msg::kNegativeFeed;
  if (block.Has('D') || (block.Has('H') && block.lengthOffset != 43)) return msg::kWordNoUse;
  if ((block.Has('E') || block.Has('L')) && !block.ioM) return msg::kWordNoUse;
  if (block.Has('Q') && !block.wordsM && !block.pathControl) return msg::kWordNoUse;
  if (block.dollar && !block.spindleM && !block.Has('S')) return msg::kWordNoUse;
  return nullptr;
}

}  // namespace talvo::plot
