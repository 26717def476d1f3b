// SPDX-License-Identifier: MIT
#include "loop_program.h"

std::string LoopProgram(std::size_t iterations) {
  // #1 walks the generator x' = (75 x + 74) mod 65537; X and Y fall on a 3000 × 1500 sheet.
  return "G21 G90 G17\n"
         "#1 = 12345\n"
         "o1 repeat [" +
         std::to_string(iterations) +
         "]\n"
         "  #1 = [[#1 * 75 + 74] MOD 65537]\n"
         "  G1 X[#1 MOD 3000] Y[[#1 * 7] MOD 1500] F2500\n"
         "o1 endrepeat\n"
         "M2\n";
}
