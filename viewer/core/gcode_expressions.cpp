// SPDX-License-Identifier: MIT
#include "gcode_expressions.h"

#include <cstddef>
#include <cstring>

#include "gcode_numbers.h"

namespace talvo::plot {

namespace {

// Deeper nesting is refused: no program nests expressions this deep, and the skipping stays
// within a small stack whatever the line.
constexpr int kMaxNesting = 64;

const char* SkipBrackets(const char* p, const char* end, int nesting);

const char* SkipParameterAt(const char* p, const char* end, int nesting) {
  while (p < end && (*p == '#' || IsBlank(*p))) ++p;  // "##1" is the parameter #1 names
  if (p >= end) return nullptr;
  if (*p == '<') {
    const void* close = std::memchr(p, '>', static_cast<std::size_t>(end - p));
    return close ? static_cast<const char*>(close) + 1 : nullptr;
  }
  if (*p == '[') return SkipBrackets(p, end, nesting + 1);
  if (!IsDigit(*p)) return nullptr;
  while (p < end && (IsDigit(*p) || *p == '.')) ++p;
  return p;
}

// A bracketed expression; p is at the '['. Names in <> may hold brackets of their own.
const char* SkipBrackets(const char* p, const char* end, int nesting) {
  if (nesting > kMaxNesting) return nullptr;
  int depth = 0;
  while (p < end) {
    if (*p == '#') {
      const char* after = SkipParameterAt(p, end, nesting);
      if (!after) return nullptr;
      p = after;
      continue;
    }
    if (*p == '[') ++depth;
    if (*p == ']' && --depth == 0) return p + 1;
    ++p;
  }
  return nullptr;
}

}  // namespace

const char* SkipParameter(const char* p, const char* end) { return SkipParameterAt(p, end, 0); }

const char* SkipExpression(const char* p, const char* end) {
  if (p < end && (*p == '+' || *p == '-')) ++p;
  if (p >= end) return nullptr;
  if (*p == '[') return SkipBrackets(p, end, 0);
  if (*p == '#') return SkipParameterAt(p, end, 0);
  if (!IsAlpha(*p)) return nullptr;
  const char* q = p;
  while (q < end && IsAlpha(*q)) ++q;
  if (q - p < 2 || q >= end || *q != '[') return nullptr;  // a function name has two letters or more
  const char* after = SkipBrackets(q, end, 0);
  if (!after) return nullptr;
  const char* slash = after;
  while (slash < end && IsBlank(*slash)) ++slash;
  if (slash < end && *slash == '/') {  // ATAN[y]/[x]
    ++slash;
    while (slash < end && IsBlank(*slash)) ++slash;
    if (slash < end && *slash == '[') return SkipBrackets(slash, end, 0);
  }
  return after;
}

}  // namespace talvo::plot
