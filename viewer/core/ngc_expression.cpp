// SPDX-License-Identifier: MIT
#include "ngc_expression.h"

#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

#include "gcode_numbers.h"
#include "ngc_messages.h"
#include "plot_messages.h"

namespace talvo::plot {

namespace {

using Op = NgcExpression::Op;
using Step = NgcExpression::Step;

// Deeper nesting, or a longer stack, is refused: no program needs it, and both stay small.
constexpr int kMaxNesting = 64;
constexpr std::size_t kMaxStack = 512;
// rs274 takes two values within this of each other as equal (EQ, NE only).
constexpr double kEqualWithin = 0.0001;
// Degrees to radians and back in long double, as rs274 turns them: SIN[180] is then -5e-20,
// not 1.2e-16, and a value near a boundary (of MOD, of a comparison) falls on the same side.
using Long = long double;
constexpr Long kPi = std::numbers::pi_v<Long>;
Long Radians(double degrees) { return static_cast<Long>(degrees) * kPi / 180; }
double Degrees(Long radians) { return static_cast<double>(radians * 180 / kPi); }

const char* SkipBlanks(const char* p, const char* end) {
  while (p < end && IsBlank(*p)) ++p;
  return p;
}

bool WordIs(const char* p, const char* end, const char* word) {
  const std::size_t n = std::strlen(word);
  if (static_cast<std::size_t>(end - p) < n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = p[i] >= 'a' && p[i] <= 'z' ? static_cast<char>(p[i] - 'a' + 'A') : p[i];
    if (c != word[i]) return false;
  }
  return true;
}

// The functions of one value, by name.
struct Function {
  const char* name;
  Op op;
};
constexpr Function kFunctions[] = {{"ABS", Op::Abs},   {"ACOS", Op::Acos},     {"ASIN", Op::Asin},   {"ATAN", Op::Atan},
                                   {"COS", Op::Cos},   {"EXISTS", Op::Exists}, {"EXP", Op::Exp},     {"FIX", Op::Fix},
                                   {"FUP", Op::Fup},   {"LN", Op::Ln},         {"ROUND", Op::Round}, {"SIN", Op::Sin},
                                   {"SQRT", Op::Sqrt}, {"TAN", Op::Tan}};

// The binary operators, longest spelling first where one starts another.
struct Binary {
  const char* name;
  Op op;
  int level;  // higher binds tighter
};
constexpr Binary kBinaries[] = {{"**", Op::Power, 4}, {"*", Op::Times, 3}, {"/", Op::Divide, 3}, {"MOD", Op::Mod, 3},
                                {"+", Op::Plus, 2},   {"-", Op::Minus, 2}, {"EQ", Op::Eq, 1},    {"NE", Op::Ne, 1},
                                {"GT", Op::Gt, 1},    {"GE", Op::Ge, 1},   {"LT", Op::Lt, 1},    {"LE", Op::Le, 1},
                                {"AND", Op::And, 0},  {"OR", Op::Or, 0},   {"XOR", Op::Xor, 0}};

class ExpressionReader {
 public:
  ExpressionReader(const char* end, ParameterNames& names, std::vector<Step>& steps)
      : end_(end), names_(names), steps_(steps) {}

  const char* Value(const char* p, int nesting);
  const char* why = nullptr;

 private:
  const char* Bracketed(const char* p, int nesting);  // p at '['
  const char* Parameter(const char* p, int nesting);  // p at '#'
  const char* Call(const char* p, int nesting);       // p at a letter
  const char* Fail(const char* reason) {
    if (!why) why = reason;
    return nullptr;
  }
  void Emit(Op op, std::uint32_t index = 0, double arg = 0) { steps_.push_back({op, index, arg}); }

  const char* end_;
  ParameterNames& names_;
  std::vector<Step>& steps_;
};

const char* ExpressionReader::Value(const char* p, int nesting) {
  if (nesting > kMaxNesting) return Fail(msg::kBadExpression);
  p = SkipBlanks(p, end_);
  if (p >= end_) return Fail(msg::kNumberMissing);
  if (*p == '-' || *p == '+') {
    const bool negate = *p == '-';
    p = Value(p + 1, nesting + 1);
    if (p && negate) Emit(Op::Negate);
    return p;
  }
  if (*p == '[') return Bracketed(p, nesting);
  if (*p == '#') return Parameter(p, nesting);
  if (IsAlpha(*p)) return Call(p, nesting);
  double v = 0;
  bool tooBig = false;
  const char* after = ReadNumber(p, end_, v, tooBig);
  if (!after) return Fail(msg::kNumberMissing);
  // A large number is fine inside an expression: only a word's value must stay in range, and
  // the parser checks it once the value is written in.
  if (!std::isfinite(v)) return Fail(msg::kNumberTooBig);
  Emit(Op::Constant, 0, v);
  return after;
}

// Operators at the same level apply left to right, each level over the ones below it.
const char* ExpressionReader::Bracketed(const char* p, int nesting) {
  struct Pending {
    Op op;
    int level;
  };
  std::array<Pending, 5> pending;  // one operator a level at most waits
  std::size_t waiting = 0;
  p = Value(p + 1, nesting + 1);
  while (p) {
    p = SkipBlanks(p, end_);
    if (p >= end_) return Fail(msg::kBadExpression);
    const Binary* binary = nullptr;
    for (const Binary& b : kBinaries) {
      if (WordIs(p, end_, b.name)) {
        binary = &b;
        break;
      }
    }
    const int level = binary ? binary->level : -1;
    while (waiting > 0 && pending[waiting - 1].level >= level) Emit(pending[--waiting].op);
    if (*p == ']') return p + 1;
    if (!binary) return Fail(msg::kBadExpression);
    pending[waiting++] = {binary->op, binary->level};
    p = Value(p + std::strlen(binary->name), nesting + 1);
  }
  return nullptr;
}

const char* ExpressionReader::Parameter(const char* p, int nesting) {
  p = SkipBlanks(p + 1, end_);
  if (p < end_ && *p == '<') {
    const void* close = std::memchr(p, '>', static_cast<std::size_t>(end_ - p));
    if (!close) return Fail(msg::kBadExpression);
    const char* after = static_cast<const char*>(close);
    Emit(Op::Named, names_.Intern(std::string_view(p + 1, static_cast<std::size_t>(after - p - 1))));
    return after + 1;
  }
  const std::size_t first = steps_.size();
  p = Value(p, nesting + 1);
  if (!p) return nullptr;
  int n = 0;
  if (steps_.size() == first + 1 && steps_[first].op == Op::Constant) {
    if (!ParameterNumber(steps_[first].arg, n)) return Fail(msg::kParameterNumber);
    steps_[first] = {Op::Numbered, static_cast<std::uint32_t>(n), 0};
  } else {
    Emit(Op::Indirect);
  }
  return p;
}

const char* ExpressionReader::Call(const char* p, int nesting) {
  const char* name = p;
  while (p < end_ && IsAlpha(*p)) ++p;
  const std::size_t length = static_cast<std::size_t>(p - name);
  const Function* function = nullptr;
  for (const Function& f : kFunctions) {
    if (std::strlen(f.name) == length && WordIs(name, end_, f.name)) function = &f;
  }
  if (!function) return Fail(msg::kBadExpression);
  p = SkipBlanks(p, end_);
  if (p >= end_ || *p != '[') return Fail(msg::kBadExpression);
  if (function->op == Op::Exists) {
    p = SkipBlanks(p + 1, end_);
    if (p >= end_ || *p != '#') return Fail(msg::kBadExpression);
    p = Parameter(p, nesting + 1);
    if (!p || steps_.back().op != Op::Named) return Fail(msg::kBadExpression);
    steps_.back().op = Op::Exists;
    p = SkipBlanks(p, end_);
    if (p >= end_ || *p != ']') return Fail(msg::kBadExpression);
    return p + 1;
  }
  p = Bracketed(p, nesting + 1);
  if (p && function->op == Op::Atan) {
    p = SkipBlanks(p, end_);
    if (p >= end_ || *p != '/') return Fail(msg::kBadExpression);
    p = SkipBlanks(p + 1, end_);
    if (p >= end_ || *p != '[') return Fail(msg::kBadExpression);
    p = Bracketed(p, nesting + 1);
  }
  if (p) Emit(function->op);
  return p;
}

bool Fails(NgcFailure& failure, const char* why, std::string detail = {}) {
  failure.why = why;
  failure.detail = std::move(detail);
  return false;
}

// One function of a value; false when the value is outside its domain. NaN passes through.
bool ApplyOne(Op op, double& v) {
  switch (op) {
    case Op::Negate: v = -v; return true;
    case Op::Abs: v = std::abs(v); return true;
    case Op::Acos:
    case Op::Asin:
      if (v < -1 || v > 1) return false;
      v = Degrees(op == Op::Acos ? std::acos(static_cast<Long>(v)) : std::asin(static_cast<Long>(v)));
      return true;
    case Op::Cos: v = static_cast<double>(std::cos(Radians(v))); return true;
    case Op::Sin: v = static_cast<double>(std::sin(Radians(v))); return true;
    case Op::Tan: v = static_cast<double>(std::tan(Radians(v))); return true;
    case Op::Exp: v = std::exp(v); return true;
    case Op::Fix: v = std::floor(v); return true;
    case Op::Fup: v = std::ceil(v); return true;
    case Op::Round: v = std::round(v); return true;  // halves away from zero, as rs274
    case Op::Ln:
      if (v <= 0) return false;
      v = std::log(v);
      return true;
    case Op::Sqrt:
      if (v < 0) return false;
      v = std::sqrt(v);
      return true;
    default: return false;
  }
}

// One operator of two values; returns why it has no value, or nullptr.
const char* ApplyTwo(Op op, double& a, double b) {
  switch (op) {
    case Op::Power:
      if (a < 0 && b != std::floor(b)) return msg::kNegativePower;
      a = std::pow(a, b);
      return nullptr;
    case Op::Times: a *= b; return nullptr;
    case Op::Divide:
      if (b == 0) return msg::kDivideByZero;
      a /= b;
      return nullptr;
    case Op::Mod:
      if (b == 0) return msg::kDivideByZero;
      a = std::fmod(a, b);
      if (a < 0) a += std::abs(b);
      return nullptr;
    case Op::Plus: a += b; return nullptr;
    case Op::Minus: a -= b; return nullptr;
    case Op::Atan: a = Degrees(std::atan2(static_cast<Long>(a), static_cast<Long>(b))); return nullptr;
    default: break;
  }
  if (std::isnan(a) || std::isnan(b)) {
    a = kUnknownValue;
    return nullptr;
  }
  const bool equal = std::abs(a - b) < kEqualWithin;
  switch (op) {
    case Op::Eq: a = equal; break;
    case Op::Ne: a = !equal; break;
    case Op::Gt: a = a > b; break;
    case Op::Ge: a = a >= b; break;
    case Op::Lt: a = a < b; break;
    case Op::Le: a = a <= b; break;
    case Op::And: a = a != 0 && b != 0; break;
    case Op::Or: a = a != 0 || b != 0; break;
    case Op::Xor: a = (a != 0) != (b != 0); break;
    default: break;
  }
  return nullptr;
}

}  // namespace

bool ParameterNumber(double v, int& n) {
  const double whole = std::round(v);
  if (!(std::abs(v - whole) < kEqualWithin) || whole < 1 || whole > ParameterStore::kMaxNumber) return false;
  n = static_cast<int>(whole);
  return true;
}

const char* NgcExpression::Read(const char* p, const char* end, ParameterNames& names, NgcExpression& out,
                                const char*& why) {
  out.steps_.clear();
  ExpressionReader reader(end, names, out.steps_);
  const char* after = reader.Value(p, 0);
  why = reader.why;
  if (after && out.steps_.size() > kMaxStack) {  // a generous bound on the stack it needs
    why = msg::kBadExpression;
    return nullptr;
  }
  return after;
}

bool NgcExpression::Evaluate(const ParameterStore& parameters, const ParameterNames& names, double& value,
                             NgcFailure& failure) const {
  std::array<double, kMaxStack + 1> stack;
  std::size_t top = 0;
  for (const Step& step : steps_) {
    switch (step.op) {
      case Op::Constant: stack[top++] = step.arg; break;
      case Op::Numbered: stack[top++] = parameters.Numbered(static_cast<int>(step.index)); break;
      case Op::Indirect: {
        int n = 0;
        if (std::isnan(stack[top - 1])) break;  // an unknown parameter's number: unknown
        if (!ParameterNumber(stack[top - 1], n)) return Fails(failure, msg::kParameterNumber);
        stack[top - 1] = parameters.Numbered(n);
        break;
      }
      case Op::Named:
        if (!parameters.Named(step.index, stack[top++]))
          return Fails(failure, msg::kParameterUndefined, "#<" + names.Name(step.index) + ">");
        break;
      case Op::Exists: {
        double ignored = 0;
        stack[top++] = parameters.Named(step.index, ignored) ? 1 : 0;
        break;
      }
      case Op::Atan:
      case Op::Power:
      case Op::Times:
      case Op::Divide:
      case Op::Mod:
      case Op::Plus:
      case Op::Minus:
      case Op::Eq:
      case Op::Ne:
      case Op::Gt:
      case Op::Ge:
      case Op::Lt:
      case Op::Le:
      case Op::And:
      case Op::Or:
      case Op::Xor: {
        --top;
        if (const char* why = ApplyTwo(step.op, stack[top - 1], stack[top])) return Fails(failure, why);
        break;
      }
      default:
        if (!ApplyOne(step.op, stack[top - 1])) return Fails(failure, msg::kOutsideDomain);
        break;
    }
  }
  value = stack[0];
  return true;
}

}  // namespace talvo::plot
