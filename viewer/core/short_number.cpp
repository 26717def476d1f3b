// SPDX-License-Identifier: MIT
#include "short_number.h"

#include <cstdio>
#include <cstdlib>

namespace talvo::plot {

std::string ShortNumber(double value) {
  char text[32];
  for (const int digits : {15, 16, 17}) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  return text;
}

}  // namespace talvo::plot
