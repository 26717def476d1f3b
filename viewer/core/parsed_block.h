// SPDX-License-Identifier: MIT
// What the parser makes of one line and hands to the word checks and the modal interpreter.
#pragma once

#include <cstdint>
#include <iterator>

namespace talvo::plot {

/// The bit of a word's letter in ParsedBlock's masks.
constexpr std::uint32_t WordBit(char letter) { return 1u << (letter - 'A'); }

/// The words of one block. The small fields come first and the values are kept in the order
/// read, so a short line touches one or two cache lines of it: a large program's lines are handed
/// from one thread to another by the hundred thousand.
struct ParsedBlock {
  std::uint32_t present = 0;
  std::uint32_t expression = 0;   // letters whose value is an expression the reader does not evaluate
  std::int8_t motion = -1;        // G0..G3, G38 (any G38.x), G80 seen on this line (-1: none)
  std::int8_t distance = -1;      // 90 or 91
  std::int8_t units = -1;         // 20 or 21
  std::int8_t plane = -1;         // 17, 18 or 19
  std::int8_t lengthOffset = -1;  // 43, 49, or 44 for G43.1: the tool length offset's group
  std::int16_t axisUse = -1;      // G28, G30, G43.1 or G92 in tenths (280, 300, 431, 920): takes the axis words
  bool end = false;               // M2 or M30
  bool dwell = false;             // G4
  bool pathControl = false;       // G64
  bool dollar = false;            // a $ word (spindle selection)
  bool wordsM = false;            // an M code that takes P and Q: M19, M50-M53, M62-M68, user codes M100-M199
  bool ioM = false;               // M66, M67 or M68, which take E, L and Q
  bool spindleM = false;          // M3, M4, M5, M19 or M51, which take $
  std::uint8_t passedCount = 0;
  std::uint8_t valueCount = 0;
  // Only the entries of present letters are set, which spares every line clearing them.
  std::uint8_t slot[26];  // where each present letter's value is in value[]
  double value[26];
  // What the line carries that the drawing passes over: each kind has one text, so the pointer
  // names it. Only the first passedCount are set, which spares every line clearing them.
  const char* passed[8];

  bool Has(char letter) const { return present & WordBit(letter); }
  bool IsExpression(char letter) const { return expression & WordBit(letter); }
  double Get(char letter) const { return Has(letter) ? value[slot[letter - 'A']] : 0; }
  // Once for each letter: a word given twice is refused before it is set.
  void Set(char letter, double v) {
    present |= WordBit(letter);
    slot[letter - 'A'] = valueCount;
    value[valueCount++] = v;
  }
  void Pass(const char* word) {
    for (int i = 0; i < passedCount; ++i) {
      if (passed[i] == word) return;
    }
    if (passedCount < std::size(passed)) passed[passedCount++] = word;
  }
};

enum class LineKind : std::uint8_t { Blank, TooLong, Percent, Code };

/// One source line as read on its own, before the modes of the lines above it apply.
struct ParsedLine {
  LineKind kind = LineKind::Blank;
  std::uint32_t length = 0;   // for a TooLong line
  const char* why = nullptr;  // why the words cannot be read, for a Code line
  ParsedBlock block;
};

}  // namespace talvo::plot
