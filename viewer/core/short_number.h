// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace talvo::plot {

/// The shortest "%g" text that reads back as `value` (15 to 17 digits): "1e+308", not 309 digits.
std::string ShortNumber(double value);

}  // namespace talvo::plot
