// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace talvo::plot {

/// A source line the reader could not follow; the rest of the program is read regardless.
struct PlotError {
  std::uint32_t line = 0;  ///< zero-based index of the source line
  std::string reason;
};

}  // namespace talvo::plot
