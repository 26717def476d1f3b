// SPDX-License-Identifier: MIT
// A program that computes its path, for timing the reader's language.
#pragma once

#include <cstddef>
#include <string>

/// One o-word loop that runs `iterations` times and cuts a segment to a new point each time:
/// the points come from a linear congruential generator in the program's own parameters,
/// seeded with 12345, so no two passes draw the same move.
std::string LoopProgram(std::size_t iterations);
