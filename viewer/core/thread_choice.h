// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace talvo::plot {

/// How many threads a job that can use two runs on. ByMachine takes two for a large job on a
/// machine with two cores or more; One and Two force the choice, so that tests compare one
/// thread with two on any machine.
enum class ThreadChoice : std::uint8_t { ByMachine, One, Two };

/// Whether a job runs on two threads; `large` tells that it is big enough to pay for a second one.
bool UsesTwoThreads(ThreadChoice threads, bool large);

}  // namespace talvo::plot
