// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "val_parse.h"

namespace talvo {
namespace {

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

}  // namespace
}  // namespace talvo
