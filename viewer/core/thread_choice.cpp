// SPDX-License-Identifier: MIT
#include "thread_choice.h"

#include <thread>

namespace talvo::plot {

bool UsesTwoThreads(ThreadChoice threads, bool large, unsigned cores) {
  switch (threads) {
    case ThreadChoice::One: return false;
    case ThreadChoice::Two: return true;
    case ThreadChoice::ByMachine: break;
  }
  return large && std::thread::hardware_concurrency() >= cores;
}

}  // namespace talvo::plot
