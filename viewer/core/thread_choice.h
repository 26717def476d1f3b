// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace talvo::plot {

/// How many threads a job that can use two runs on. ByMachine takes two for a large job on a
/// machine with enough cores; One and Two force the choice, so that tests compare one thread
/// with two on any machine.
enum class ThreadChoice : std::uint8_t { ByMachine, One, Two };

/// Whether a job runs on two threads; `large` tells that it is big enough to pay for a second
/// one, and ByMachine takes two where the machine has `cores` or more.
bool UsesTwoThreads(ThreadChoice threads, bool large, unsigned cores = 2);

}  // namespace talvo::plot
