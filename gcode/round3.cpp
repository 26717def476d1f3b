// SPDX-License-Identifier: MIT
#include "round3.h"

#include <cmath>

namespace talvo {

double Round3(double value) {
  if (!std::isfinite(value)) return value;
  const double magnitude = std::fabs(value);
  // From 2^52 / 1000 on the product below is no longer exact, and the 15 digits of the number
  // text do not reach the thousandths anyway.
  if (magnitude >= 4503599627370.496) return value;

  // magnitude * 1000 exactly, as a rounded product plus its error.
  const double product = magnitude * 1000.0;
  const double error = std::fma(magnitude, 1000.0, -product);
  const double whole = std::floor(product);
  const double fraction = product - whole;  // exact: both share the scale of product

  // Up when past the half, or on an exact tie when that makes the last digit even.
  const bool tie = fraction == 0.5 && error == 0;
  const bool up = fraction > 0.5 || (fraction == 0.5 && error > 0) || (tie && std::fmod(whole, 2.0) != 0);
  const double result = (up ? whole + 1 : whole) / 1000.0;
  return value < 0 ? -result : result;
}

}  // namespace talvo
