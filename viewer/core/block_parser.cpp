// SPDX-License-Identifier: MIT
#include "block_parser.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

#include "block_checks.h"
#include "gcode_expressions.h"
#include "gcode_numbers.h"
#include "plot_messages.h"

namespace talvo::plot {

namespace {

// Longer lines are refused: no hand- or CAM-written block comes near it, and the text pane
// would have to lay the whole line out.
constexpr std::size_t kMaxLineLength = std::size_t{64} * 1024;

using MNames = std::vector<std::unique_ptr<std::string>>;

// The helpers below take the position in the line by reference and leave it after what they
// read; each returns why the line cannot be read, or nullptr. They stay in this file, where
// the compiler can fold them into the word loop.

// A parameter assignment: "#<holes> = 4", "#1=[#2*3]". p is at the '#'.
const char* SkipAssignment(const char*& p, const char* end, ParsedBlock& block) {
  const char* after = SkipParameter(p, end);
  if (!after) return msg::kBadCharacter;
  while (after < end && IsBlank(*after)) ++after;
  if (after >= end || *after != '=') return msg::kBadCharacter;
  ++after;
  while (after < end && IsBlank(*after)) ++after;
  double v = 0;
  bool tooBig = false;
  const char* value = ReadNumber(after, end, v, tooBig);
  if (!value || (value < end && (*value == '[' || *value == '#'))) value = SkipExpression(after, end);
  if (!value) return msg::kNumberMissing;
  p = value;
  block.Pass(msg::kPassedAssignment);
  return nullptr;
}

// A $ word, the spindle a code is for. p is at the '$'.
const char* ReadDollar(const char*& p, const char* end, ParsedBlock& block) {
  double v = 0;
  bool tooBig = false;
  const char* after = ReadNumber(p + 1, end, v, tooBig);
  if (!after) return msg::kNumberMissing;
  p = after;
  block.dollar = true;
  return nullptr;
}

// Sets a modal group's code, once a line.
template <typename T>
const char* SetGroup(T& group, int code) {
  if (group != -1) return msg::kCodesClash;
  group = static_cast<T>(code);
  return nullptr;
}

const char* TakeGCode(double v, bool expression, ParsedBlock& block) {
  if (expression) return msg::kCodeUnknown;
  // Codes are read in tenths, so that G38.2 and G43.1 are codes of their own; like LinuxCNC,
  // a code more than a thousandth of a tenth off is none.
  if (std::abs(v) > 1000) return msg::kCodeUnknown;
  // Rounded half away from zero, as std::round, which is a library call on every G word here.
  const int code = static_cast<int>(v * 10 + (v < 0 ? -0.5 : 0.5));
  if (std::abs(v * 10 - code) > 1e-3) return msg::kCodeUnknown;
  switch (code) {
    case 0:
    case 10:
    case 20:
    case 30:
    case 800: return SetGroup(block.motion, code / 10);
    case 900:
    case 910: return SetGroup(block.distance, code / 10);
    case 200:
    case 210: return SetGroup(block.units, code / 10);
    case 170:
    case 180:
    case 190: return SetGroup(block.plane, code / 10);
    case 40:
      block.dwell = true;
      block.Pass("G4");
      return nullptr;
    case 640:
      block.pathControl = true;
      block.Pass("G64");
      return nullptr;
    // Probing moves the torch down to the plate; where it touches only the machine knows.
    case 382: block.Pass("G38.2"); return SetGroup(block.motion, 38);
    case 383: block.Pass("G38.3"); return SetGroup(block.motion, 38);
    case 384: block.Pass("G38.4"); return SetGroup(block.motion, 38);
    case 385: block.Pass("G38.5"); return SetGroup(block.motion, 38);
    // Tool length offsets shift the machine's Z, not the programmed path.
    case 430: block.Pass("G43"); return SetGroup(block.lengthOffset, 43);
    case 431:
      block.Pass("G43.1");
      if (const char* why = SetGroup(block.lengthOffset, 44)) return why;
      break;
    case 490: return SetGroup(block.lengthOffset, 49);
    case 920: block.Pass("G92"); break;
    case 280:
    case 300: break;
    // Modes that do not change the drawn path: cutter compensation off, work offsets, exact
    // path, feed per minute, spindle speed in turns.
    case 400:
    case 540:
    case 550:
    case 560:
    case 570:
    case 580:
    case 590:
    case 610:
    case 940:
    case 970: return nullptr;
    default: return msg::kCodeUnknown;
  }
  // G28, G30, G92 and G43.1 take the line's axis words for themselves.
  return SetGroup(block.axisUse, code);
}

const char* TakeMCode(double v, bool expression, ParsedBlock& block, MNames& names) {
  if (expression || v < 0 || v != std::floor(v) || v > 1000) return msg::kCodeUnknown;
  const int code = static_cast<int>(v);
  if (code == 2 || code == 30) {
    block.end = true;
    return nullptr;
  }
  if (code == 98 || code == 99) return msg::kSubprogram;
  block.wordsM = block.wordsM || code == 19 || (code >= 50 && code <= 53) || (code >= 62 && code <= 68) ||
                 (code >= 100 && code <= 199);
  block.ioM = block.ioM || code == 66 || code == 67 || code == 68;
  block.spindleM = block.spindleM || code == 3 || code == 4 || code == 5 || code == 19 || code == 51;
  if (names.size() <= static_cast<std::size_t>(code)) names.resize(static_cast<std::size_t>(code) + 1);
  auto& name = names[static_cast<std::size_t>(code)];
  if (!name) {
    // Appended, not "M" + std::to_string(code), which GCC 12 at -O3 warns of falsely (-Wrestrict).
    name = std::make_unique<std::string>("M");
    name->append(std::to_string(code));
  }
  block.Pass(name->c_str());
  return nullptr;
}

// A letter and its value, a number or an expression. p is at the letter.
const char* ReadWord(const char*& p, const char* end, ParsedBlock& block, MNames& names) {
  const char c = *p;
  const char letter = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  if (letter < 'A' || letter > 'Z') return msg::kBadCharacter;
  ++p;
  while (p < end && IsBlank(*p)) ++p;
  double v = 0;
  bool tooBig = false;
  bool expression = false;
  const char* after = ReadNumber(p, end, v, tooBig);
  if (after) {
    if (tooBig) return msg::kNumberTooBig;
    if (ExponentFollows(after, end)) return msg::kExponent;
  } else {
    after = SkipExpression(p, end);
    if (!after) return msg::kNumberMissing;
    expression = true;
  }
  p = after;
  if (letter == 'G') return TakeGCode(v, expression, block);
  if (letter == 'M') return TakeMCode(v, expression, block, names);
  if (letter == 'O') return msg::kSubprogram;
  const std::uint32_t bit = WordBit(letter);
  if (block.present & bit) return msg::kWordTwice;
  if (expression) block.expression |= bit;
  block.Set(letter, v);
  return nullptr;
}

// The words of a line into `block`.
const char* ParseWords(std::string_view line, ParsedBlock& block, MNames& names) {
  const char* p = line.data();
  const char* const end = p + line.size();
  while (p < end && IsBlank(*p)) ++p;
  if (p < end && *p == '/') ++p;  // block delete is off: the line is read as if unmarked
  while (p < end) {
    const char c = *p;
    if (IsBlank(c)) {
      ++p;
      continue;
    }
    if (c == ';') {
      block.Pass(msg::kPassedComment);
      break;
    }
    const char* why = nullptr;
    if (c == '(') {
      const void* close = std::memchr(p, ')', static_cast<std::size_t>(end - p));
      if (!close) return msg::kOpenComment;
      p = static_cast<const char*>(close) + 1;
      block.Pass(msg::kPassedComment);
    } else if (c == '#') {
      why = SkipAssignment(p, end, block);
    } else if (c == '$') {
      why = ReadDollar(p, end, block);
    } else {
      why = ReadWord(p, end, block, names);
    }
    if (why) return why;
  }
  return nullptr;
}

}  // namespace

void BlockParser::Read(std::string_view line, ParsedLine& out) {
  if (line.size() > kMaxLineLength) {
    out.kind = LineKind::TooLong;
    out.length = static_cast<std::uint32_t>(line.size());
    return;
  }
  std::size_t first = 0, last = line.size();
  while (first < last && IsBlank(line[first])) ++first;
  while (last > first && IsBlank(line[last - 1])) --last;
  if (first == last) {
    out.kind = LineKind::Blank;
    return;
  }
  if (line.substr(first, last - first) == "%") {
    out.kind = LineKind::Percent;
    return;
  }
  out.kind = LineKind::Code;
  // A fresh block without clearing its values, which are only read once set.
  ::new (&out.block) ParsedBlock;
  ParsedBlock& block = out.block;
  out.why = ParseWords(line, block, mNames_);
  // What needs no modes is found here, where it may run ahead of the reading thread.
  if (!out.why) out.why = CheckWords(block);
  if (out.why) return;
  if (block.Has('F') && block.IsExpression('F')) block.Pass(msg::kPassedFeedExpression);
  if (block.Has('S')) block.Pass("S");
  if (block.Has('T')) block.Pass("T");
  if (block.dollar) block.Pass("$");
}

}  // namespace talvo::plot
