// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <sstream>

#include "print_line.h"
#include "round3.h"
#include "val_parse.h"

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
      {{"G1", "X", 1.79769313486231e308}, true},
      {{"G1", "X", std::numeric_limits<double>::denorm_min()}, true},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(IsWritable(cases[i].line), cases[i].writable) << i;
}

struct ParseCase {
  const char* text;
  double value;
};

TEST(ValParse, ReadsTheNumberAtTheStart) {
  const ParseCase cases[] = {
      {"", 0},
      {"300", 300},
      {"4.5", 4.5},
      {"4,5", 4},
      {"1 2", 12},
      {" \t\n1\t2\n.\n5 ", 12.5},
      {"-38", -38},
      {"+7", 7},
      {"- 7", -7},
      {".5", 0.5},
      {"-.75", -0.75},
      {"5.", 5},
      {"1.2.3", 1.2},
      {"abc", 0},
      {"12abc", 12},
      {"-", 0},
      {".", 0},
      {"--5", 0},
      {"1E3", 1000},
      {"1e-2", 0.01},
      {"2D2", 200},
      {"1.5E+2x", 150},
      {"1E", 1},
      {"1E+", 1},
      {"1 E 2", 100},
      {"E5", 0},
      {"0012.50", 12.5},
      {"0.000125", 0.000125},
      {"&H1F", 31},
      {"&hff", 255},
      {"&O17", 15},
      {"&o8", 0},
      {"&HFFFFFFFF", 4294967295.0},
      {"&Hxyz", 0},
      {"&", 0},
      {"1E-400", 0},
      {"100.125", 100.125},
      {"0.1", 0.1},
      {"\r5", 0},  // a carriage return is no blank: the text holds no number
  };
  for (const auto& c : cases) {
    const auto value = ValParse(c.text);
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, c.value) << '"' << c.text << '"';
  }
}

TEST(ValParse, ReadsLongDigitRunsExactly) {
  // Many digits decide the rounding of the last bit: 0.1 followed by zeros and a 1 far out.
  std::string text = "0.1" + std::string(2000, '0') + "1";
  EXPECT_EQ(*ValParse(text), 0.1);
  EXPECT_EQ(*ValParse("1" + std::string(300, '0')), 1e300);
}

TEST(ValParse, LongZeroRunsMeetAFarExponent) {
  // A pasted text can shift the point further than any double's exponent before the written
  // exponent brings the value back into range.
  const std::string zeros(200000, '0');
  const struct {
    std::string text;
    double value;
  } cases[] = {
      {"." + zeros + "1E200000", 0.1},
      {"1" + zeros + "E-199990", 1e10},
      {"-." + zeros + "25D200003", -250},
      {"." + zeros + "1", 0},
  };
  for (const auto& c : cases) {
    const auto value = ValParse(c.text);
    ASSERT_TRUE(value.has_value()) << c.value;
    EXPECT_EQ(*value, c.value);
  }
  EXPECT_FALSE(ValParse("1" + zeros).has_value());
}

TEST(ValParse, NumbersBeyondADoubleAreRefused) {
  for (const char* text : {"1E400", "-1E309", "1.8E308", "&H100000000", "&O40000000000", "1E99999999999999999999"}) {
    EXPECT_FALSE(ValParse(text).has_value()) << text;
  }
  EXPECT_FALSE(ValParse(std::string(400, '9')).has_value());
  EXPECT_TRUE(ValParse("1.7976931348623157E308").has_value());
}

TEST(Round3, ThreeDecimalsTiesToEven) {
  const struct {
    double in, out;
  } cases[] = {
      {-38.00049, -38},
      {12.3456, 12.346},
      {0.0625, 0.062},
      {0.1875, 0.188},
      {-0.0625, -0.062},
      {38.0625, 38.062},
      {-48.0625, -48.062},
      {41.6875, 41.688},
      {47.6875, 47.688},
      {2.5, 2.5},
      {0, 0},
      {1e15, 1e15},
      {-0.0004, 0},
      {0.0015, 0.002},
      {999.9995, 1000},
      // No exact double for these: the stored value decides, 2.0005 lies just above the half,
      // 1.0005 and 1.2345 just below.
      {2.0005, 2.001},
      {-2.0005, -2.001},
      {1.0005, 1},
      {1.2345, 1.234},
  };
  for (const auto& c : cases) EXPECT_EQ(Round3(c.in), c.out) << c.in;
  EXPECT_TRUE(std::isinf(Round3(std::numeric_limits<double>::infinity())));
}

}  // namespace
}  // namespace talvo
