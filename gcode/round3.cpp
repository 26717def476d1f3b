// SPDX-License-Identifier: MIT
#include "round3.h"

#include <cmath>

namespace talvo {

double Round3(double value) {
  if (!std::isfinite(value)) return value;
  const double magnitude = std::fabs(value);
  // From 2^52 / 1000 on, every double is closer to its own thousandths than rounding can move it.
  if (magnitude >= 4503599627370.496) return value;

  // magnitude * 1000 exactly, as a rounded product plus its error.
  const double product = magnitude * 1000.0;
  const double error = std::fma(magnitude, 1000.0, -product);
  const double whole = std::floor(product);
  const double fraction = product - whole;  // exact: both share the scale of product

  double rounded = whole;
  if (fraction > 0.5 || (fraction == 0.5 && error > 0)) {
    rounded = whole + 1;
  } else if (fraction == 0.5 && error == 0 && std::fmod(whole, 2.0) != 0) {
    rounded = whole + 1;  // exact tie: to the even digit
  }
  const double result = rounded / 1000.0;
  return value < 0 ? -result : result;
}

}  // namespace talvo
