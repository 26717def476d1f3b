// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>

/// A plate nest of about `lines` lines for timing the viewer: the four contours our generator
/// writes, laid out on a grid, each followed by a short cut with G3, R and full-circle arcs.
std::string NestProgram(std::size_t lines);
