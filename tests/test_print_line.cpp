// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <sstream>

#include "print_line.h"

namespace talvo {
namespace {

struct NumberCase {
  double value;
  const char* text;
};

TEST(NumberText, PlainDecimalWith15SignificantDigits) {
  const NumberCase cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {48, "48"},
      {-38, "-38"},
      {48.0625, "48.0625"},
      {0.65, ".65"},
      {-0.65, "-.65"},
      {0.1 + 0.2, ".3"},
      {312.5, "312.5"},
      {60.0617, "60.0617"},
      {1e-4, ".0001"},
      {-1.5e-7, "-.00000015"},
      {1e15, "1000000000000000"},
      {1e20, "100000000000000000000"},
      {123456789012345678.0, "123456789012346000"},
      {1.0 / 3, ".333333333333333"},
      {2.0 / 3, ".666666666666667"},
      {0.999999999999999944, "1"},  // rounds up to a whole number at 15 digits
      {9.9999999999999999e-5, ".0001"},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberText(c.value), c.text) << c.value;
}

TEST(PrintLine, NumbersCarryTheirBlanksAndLinesEndWithCrLf) {
  const struct {
    PrintLine line;
    const char* written;
  } cases[] = {
      {{"G0", "X", 0.0, "Y", 0.0}, "G0X 0 Y 0 \r\n"},
      {{"G1", "Y", -48.0, "F", 300.0}, "G1Y-48 F 300 \r\n"},
      {{"G2", "J", 48.0625, "F", 300.0}, "G2J 48.0625 F 300 \r\n"},
      {{"M30"}, "M30\r\n"},
      {{"cd Program Files"}, "cd Program Files\r\n"},
      {{"G1", "Y", -0.0}, "G1Y 0 \r\n"},
  };
  for (const auto& c : cases) {
    std::ostringstream out;
    WritePrintLine(out, c.line);
    EXPECT_EQ(out.str(), c.written);
  }
}

TEST(PrintLine, WritableCheckSeesEveryNumber) {
  const double largest = std::numeric_limits<double>::max();
  const struct {
    PrintLine line;
    bool writable;
  } cases[] = {
      {{"G0", "X", 1.0, "Y", -2.0}, true},
      {{"G0", "X", 1.0, "Y", std::numeric_limits<double>::infinity()}, false},
      {{"G2", "J", std::nan(""), "F", 1.0}, false},
      // Rounded to 15 digits, the largest doubles are written beyond any double.
      {{"G1", "Y", 1.0, "F", largest}, false},
      {{"G1", "X", -largest}, false},
      // Past a billion no reader of the program takes the number; a billion itself it does.
      {{"G1", "X", 1.79769313486231e308}, false},
      {{"G1", "X", -1e9, "Y", 1e9}, true},
      {{"G1", "X", 1000000000.0001}, false},
      {{"G1", "F", -1000000000.5}, false},
      {{"G1", "X", std::numeric_limits<double>::denorm_min()}, true},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(IsWritable(cases[i].line), cases[i].writable) << i;
}

}  // namespace
}  // namespace talvo
