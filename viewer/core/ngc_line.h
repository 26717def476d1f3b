// SPDX-License-Identifier: MIT
// A source line that uses the language, read once: its words with computed values, its
// parameter assignments, or its o-word. Running it again only evaluates the values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ngc_expression.h"

namespace talvo::plot {

enum class Oword : std::uint8_t {
  None,
  Sub,
  EndSub,
  Call,
  Return,
  If,
  ElseIf,
  Else,
  EndIf,
  While,
  EndWhile,
  Do,
  Repeat,
  EndRepeat,
  Break,
  Continue,
  EndDo,  // the "while" that closes a do loop
};

/// A word whose value is computed: it goes into the line's text at `at`, after its letter.
struct ComputedWord {
  std::uint32_t at = 0;
  char letter = 0;
  NgcExpression value;
};

/// "#n = value", "#<name> = value", "#[expr] = value".
struct Assignment {
  bool named = false;
  std::uint32_t name = 0;  // for a named one
  NgcExpression number;    // for a numbered one
  NgcExpression value;
};

struct NgcLine {
  std::uint32_t source = 0;  // the file's line
  std::string text;          // the line without its assignments and without the computed values
  std::vector<ComputedWord> words;
  std::vector<Assignment> assignments;
  Oword oword = Oword::None;
  std::string label;                     // "100" or "<name>", as the o-word's lines match it
  std::vector<NgcExpression> arguments;  // a call's, or the condition, count or value
  const char* why = nullptr;             // why the line cannot be read
  // The o-word structure, as the file's lines: a block's closing line, the next branch of an
  // if, the loop that an end, break or continue belongs to.
  std::uint32_t end = 0, next = 0, start = 0;
};

/// True when `line` may use the language: a parameter or a bracket outside its comments, or
/// an o-word.
bool MayUseLanguage(std::string_view line);

/// True when some line of `text` may use the language (a parameter, a bracket or an o-word):
/// a program without one is read line by line as it stands, on one thread or two.
bool ProgramUsesLanguage(std::string_view text);

/// Reads `line` into `out`.
void ReadNgcLine(std::string_view line, ParameterNames& names, NgcLine& out);

}  // namespace talvo::plot
