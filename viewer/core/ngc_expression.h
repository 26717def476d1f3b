// SPDX-License-Identifier: MIT
// A value as rs274 writes it: a number, a parameter, a bracketed expression or a function,
// read once into a small program that runs again on every pass of a loop.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "ngc_parameters.h"

namespace talvo::plot {

/// What a value could not be found for: a fixed text, with a name when one helps.
struct NgcFailure {
  const char* why = nullptr;
  std::string detail;
};

class NgcExpression {
 public:
  enum class Op : std::uint8_t {
    Constant,  // push arg
    Numbered,  // push #index
    Indirect,  // pop n, push #n
    Named,     // push #<index>
    Exists,    // push 1 when #<index> is set
    Negate,
    Abs,
    Acos,
    Asin,
    Cos,
    Exp,
    Fix,
    Fup,
    Ln,
    Round,
    Sin,
    Sqrt,
    Tan,
    Atan,  // pop x, pop y
    Power,
    Times,
    Divide,
    Mod,
    Plus,
    Minus,
    Eq,
    Ne,
    Gt,
    Ge,
    Lt,
    Le,
    And,
    Or,
    Xor,
  };
  struct Step {
    Op op;
    std::uint32_t index = 0;
    double arg = 0;
  };

  /// Reads a value at p: "[...]", "#...", "ABS[...]", "ATAN[...]/[...]", a number, each with an
  /// optional sign. Returns its end, or nullptr with `why` set.
  static const char* Read(const char* p, const char* end, ParameterNames& names, NgcExpression& out, const char*& why);

  /// The value, NaN when it depends on one only the machine has; false with `failure` set when
  /// it has none (division by zero, a domain error, an undefined parameter).
  bool Evaluate(const ParameterStore& parameters, const ParameterNames& names, double& value,
                NgcFailure& failure) const;

  bool IsConstant() const { return steps_.size() == 1 && steps_[0].op == Op::Constant; }
  std::vector<Step>& Steps() { return steps_; }

 private:
  std::vector<Step> steps_;
};

/// A parameter number as rs274 takes it: within a ten-thousandth of a whole number in 1-5399.
bool ParameterNumber(double v, int& n);

}  // namespace talvo::plot
