// SPDX-License-Identifier: MIT
#include "ngc_line.h"

#include <algorithm>
#include <cstring>

#include "gcode_numbers.h"
#include "ngc_messages.h"
#include "plot_messages.h"

namespace talvo::plot {

namespace {

const char* SkipBlanks(const char* p, const char* end) {
  while (p < end && IsBlank(*p)) ++p;
  return p;
}

struct Keyword {
  const char* name;
  Oword kind;
};
constexpr Keyword kKeywords[] = {
    {"sub", Oword::Sub},
    {"endsub", Oword::EndSub},
    {"call", Oword::Call},
    {"return", Oword::Return},
    {"if", Oword::If},
    {"elseif", Oword::ElseIf},
    {"else", Oword::Else},
    {"endif", Oword::EndIf},
    {"while", Oword::While},
    {"endwhile", Oword::EndWhile},
    {"do", Oword::Do},
    {"repeat", Oword::Repeat},
    {"endrepeat", Oword::EndRepeat},
    {"break", Oword::Break},
    {"continue", Oword::Continue},
};

// Only comments may follow an o-word's own parts.
const char* OnlyComments(const char* p, const char* end) {
  while (p < end) {
    if (IsBlank(*p)) {
      ++p;
    } else if (*p == ';') {
      return nullptr;
    } else if (*p == '(') {
      const void* close = std::memchr(p, ')', static_cast<std::size_t>(end - p));
      if (!close) return msg::kOpenComment;
      p = static_cast<const char*>(close) + 1;
    } else {
      return msg::kBadCharacter;
    }
  }
  return nullptr;
}

// "o100 if [...]", "o<name> call [1] [2]". p is after the 'o'.
const char* ReadOword(const char* p, const char* end, ParameterNames& names, NgcLine& out) {
  p = SkipBlanks(p, end);
  if (p < end && *p == '<') {
    const void* close = std::memchr(p, '>', static_cast<std::size_t>(end - p));
    if (!close) return msg::kBadCharacter;
    const char* after = static_cast<const char*>(close);
    out.label = "<" + names.Name(names.Intern(std::string_view(p + 1, static_cast<std::size_t>(after - p - 1)))) + ">";
    p = after + 1;
  } else {
    const char* digits = p;
    while (p < end && IsDigit(*p)) ++p;
    if (digits == p) return msg::kNumberMissing;
    while (digits + 1 < p && *digits == '0') ++digits;  // o010 is o10
    out.label.assign(digits, p);
  }
  p = SkipBlanks(p, end);
  std::string word;
  while (p < end && IsAlpha(*p)) word += AsciiLower(*p++);
  for (const Keyword& k : kKeywords) {
    if (word == k.name) out.oword = k.kind;
  }
  if (out.oword == Oword::None) return msg::kOwordUnknown;
  for (p = SkipBlanks(p, end); p < end && *p == '['; p = SkipBlanks(p, end)) {
    const char* why = nullptr;
    out.arguments.emplace_back();
    p = NgcExpression::Read(p, end, names, out.arguments.back(), why);
    if (!p) return why;
  }
  if (out.arguments.size() > 30) return msg::kTooManyArguments;
  return OnlyComments(p, end);
}

// "#1 = value". p is at the '#'.
const char* ReadAssignment(const char*& p, const char* end, ParameterNames& names, NgcLine& out) {
  Assignment a;
  const char* q = SkipBlanks(p + 1, end);
  const char* why = nullptr;
  if (q < end && *q == '<') {
    const void* close = std::memchr(q, '>', static_cast<std::size_t>(end - q));
    if (!close) return msg::kBadCharacter;
    a.named = true;
    a.name = names.Intern(std::string_view(q + 1, static_cast<std::size_t>(static_cast<const char*>(close) - q - 1)));
    q = static_cast<const char*>(close) + 1;
  } else {
    q = NgcExpression::Read(q, end, names, a.number, why);
    if (!q) return why;
  }
  q = SkipBlanks(q, end);
  if (q >= end || *q != '=') return msg::kBadCharacter;
  q = NgcExpression::Read(q + 1, end, names, a.value, why);
  if (!q) return why;
  out.assignments.push_back(std::move(a));
  p = q;
  return nullptr;
}

// A word's value: a plain number stays in the text for the parser, anything else is computed.
const char* ReadValue(const char*& p, const char* end, char letter, ParameterNames& names, NgcLine& out) {
  double v = 0;
  bool tooBig = false;
  const char* plain = ReadNumber(p, end, v, tooBig);
  if (plain) {
    out.text.append(p, plain);
    p = plain;
    return nullptr;
  }
  ComputedWord word;
  word.at = static_cast<std::uint32_t>(out.text.size());
  word.letter = letter;
  const char* why = nullptr;
  const char* after = NgcExpression::Read(p, end, names, word.value, why);
  if (!after) return why;
  out.words.push_back(std::move(word));
  p = after;
  return nullptr;
}

const char* ReadWords(const char* p, const char* end, ParameterNames& names, NgcLine& out) {
  while (p < end) {
    const char c = *p;
    if (c == '(') {
      const void* close = std::memchr(p, ')', static_cast<std::size_t>(end - p));
      const char* after = close ? static_cast<const char*>(close) + 1 : end;
      out.text.append(p, after);
      p = after;
    } else if (c == ';') {
      out.text.append(p, end);
      break;
    } else if (c == '#') {
      if (const char* why = ReadAssignment(p, end, names, out)) return why;
    } else if (IsAlpha(c)) {
      out.text += c;
      p = SkipBlanks(p + 1, end);
      if (const char* why = ReadValue(p, end, c, names, out)) return why;
    } else {
      out.text += c;
      ++p;
    }
  }
  return nullptr;
}

}  // namespace

bool MayUseLanguage(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t\r\f\v");
  if (first != std::string_view::npos && (line[first] == 'o' || line[first] == 'O')) return true;
  // A '#' or '[' in a comment, as in "(TOOL #2)", is only text.
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '#' || c == '[') return true;
    if (c == ';') return false;
    if (c == '(') {
      i = line.find(')', i);
      if (i == std::string_view::npos) return false;
    }
  }
  return false;
}

bool ProgramUsesLanguage(std::string_view text) {
  const auto has = [text](char c, std::size_t from) -> const char* {
    return from >= text.size() ? nullptr
                               : static_cast<const char*>(std::memchr(text.data() + from, c, text.size() - from));
  };
  // Each '#' or '[' is looked at in its line, where it may stand in a comment.
  for (const char c : {'#', '['}) {
    for (const char* at = has(c, 0); at; at = has(c, static_cast<std::size_t>(at - text.data()) + 1)) {
      const std::size_t hit = static_cast<std::size_t>(at - text.data());
      const std::size_t start = text.rfind('\n', hit) + 1;  // npos + 1 is 0
      const std::size_t stop = std::min(text.find('\n', hit), text.size());
      if (MayUseLanguage(text.substr(start, stop - start))) return true;
      at = text.data() + stop;  // the rest of the line was read with it
      if (stop >= text.size()) break;
    }
  }
  // An o-word starts its line: an 'o' after nothing but blanks.
  for (const char o : {'o', 'O'}) {
    for (const char* at = has(o, 0); at; at = has(o, static_cast<std::size_t>(at - text.data()) + 1)) {
      const char* before = at;
      while (before > text.data() && (before[-1] == ' ' || before[-1] == '\t')) --before;
      if (before == text.data() || before[-1] == '\n') return true;
    }
  }
  return false;
}

void ReadNgcLine(std::string_view line, ParameterNames& names, NgcLine& out) {
  const char* p = SkipBlanks(line.data(), line.data() + line.size());
  const char* const end = line.data() + line.size();
  if (p < end && (*p == 'o' || *p == 'O')) {
    out.why = ReadOword(p + 1, end, names, out);
    return;
  }
  out.why = ReadWords(p, end, names, out);
}

}  // namespace talvo::plot
