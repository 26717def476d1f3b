// SPDX-License-Identifier: MIT
// The o-word structure of a program, found in one pass before it runs.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "ngc_line.h"

namespace talvo::plot {

/// Links each o-word line of `lines` (the program's language lines, in file order) to the lines
/// it jumps to, and returns where each subroutine starts, by label. A line whose block does not
/// close, or closes one it did not open, gets why it cannot run.
std::unordered_map<std::string, std::uint32_t> LinkOwords(std::vector<NgcLine>& lines);

}  // namespace talvo::plot
