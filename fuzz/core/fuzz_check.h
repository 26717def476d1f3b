// SPDX-License-Identifier: MIT
// A broken rule inside a fuzz target: say which one and abort, so that libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace talvo::fuzz {

inline void Check(bool holds, const char* rule) {
  if (!holds) {
    std::fprintf(stderr, "rule broken: %s\n", rule);
    std::abort();
  }
}

}  // namespace talvo::fuzz
