// SPDX-License-Identifier: MIT
// Cut cases with the program lines they must give, shared by the contour and reader tests.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "generation_run.h"

namespace talvo::test_support {

struct ContourCase {
  const char* name;
  CutKind kind;
  FieldTexts fields;               ///< as typed, by the value each field feeds
  std::vector<std::string> lines;  ///< the contour lines as the display holds them
};

inline void PrintTo(const ContourCase& c, std::ostream* os) { *os << c.name; }

inline FieldTexts Circle(const char* diameter, const char* start, const char* flame = "4", const char* feed = "300") {
  return {{CutValue::Diameter, diameter},
          {CutValue::StartDistance, start},
          {CutValue::FlameDiameter, flame},
          {CutValue::Feed, feed}};
}

inline FieldTexts Rectangle(const char* sizeX, const char* sizeY, const char* start, const char* flame = "4",
                            const char* feed = "300") {
  return {{CutValue::SizeY, sizeY},
          {CutValue::SizeX, sizeX},
          {CutValue::StartDistance, start},
          {CutValue::FlameDiameter, flame},
          {CutValue::Feed, feed}};
}

inline const std::vector<ContourCase>& ContourCases() {
  using K = CutKind;
  // clang-format off: one case a row
  static const std::vector<ContourCase> cases = {
      {"inner_circle", K::InnerCircle, Circle("100", "10"), {"G0X0Y0", "G0Y-38", "G1Y-48F300", "G2J48F300"}},
      {"outer_circle", K::OuterCircle, Circle("100", "10"), {"G0X0Y0", "G0Y-62", "G1Y-52F300", "G2J52F300"}},
      {"inner_circle_half_way_rounding",
       K::InnerCircle,
       Circle("100.125", "10"),
       {"G0X0Y0", "G0Y-38.062", "G1Y-48.062F300", "G2J48.0625F300"}},
      {"outer_circle_half_way_rounding",
       K::OuterCircle,
       Circle("80.25", "6", "3.125", "250"),
       {"G0X0Y0", "G0Y-47.688", "G1Y-41.688F250", "G2J41.6875F250"}},
      {"circle_without_lead_in", K::InnerCircle, Circle("100", ""), {"G0X0Y0", "G0Y-48", "G1Y-48F300", "G2J48F300"}},
      {"lead_in_across_the_centre",
       K::InnerCircle,
       Circle("100", "60"),
       {"G0X0Y0", "G0Y12", "G1Y-48F300", "G2J48F300"}},
      {"flame_wider_than_the_hole", K::InnerCircle, Circle("2", "3"), {"G0X0Y0", "G0Y4", "G1Y1F300", "G2J-1F300"}},
      {"small_disc_below_one",
       K::OuterCircle,
       Circle(".5", "1", "1"),
       {"G0X0Y0", "G0Y-1.75", "G1Y-.75F300", "G2J.75F300"}},
      {"feed_written_as_typed",
       K::OuterCircle,
       Circle("100", "10", "4", "312.5"),
       {"G0X0Y0", "G0Y-62", "G1Y-52F312.5", "G2J52F312.5"}},
      {"inner_rectangle",
       K::InnerRectangle,
       Rectangle("200", "100", "10"),
       {"G0X100Y10", "G1Y2F300", "G1X198", "G1Y98", "G1X2", "G1Y2", "G1X100"}},
      {"outer_rectangle_full_decimals",
       K::OuterRectangle,
       Rectangle("120.1234", "60", "8", "3", "450"),
       {"G0X60.0617Y-8", "G1Y-1.5F450", "G1X121.6234", "G1Y61.5", "G1X-1.5", "G1Y-1.5", "G1X60.0617"}},
      {"rectangle_feed_zero_is_kept",
       K::InnerRectangle,
       Rectangle("200", "100", "10", "4", ""),
       {"G0X100Y10", "G1Y2F0", "G1X198", "G1Y98", "G1X2", "G1Y2", "G1X100"}},
      {"inner_rectangle_half_below_one",
       K::InnerRectangle,
       Rectangle("200", "100", "10", "1.5"),
       {"G0X100Y10", "G1Y.75F300", "G1X199.25", "G1Y99.25", "G1X.75", "G1Y.75", "G1X100"}},
      {"outer_rectangle_half_below_one",
       K::OuterRectangle,
       Rectangle("200", "100", "10", "1.5"),
       {"G0X100Y-10", "G1Y-.75F300", "G1X200.75", "G1Y100.75", "G1X-.75", "G1Y-.75", "G1X100"}},
      {"pierce_between_edge_and_path",
       K::InnerRectangle,
       Rectangle("200", "100", "1"),
       {"G0X100Y1", "G1Y2F300", "G1X198", "G1Y98", "G1X2", "G1Y2", "G1X100"}},
      {"sides_shorter_than_the_flame",
       K::InnerRectangle,
       Rectangle("3", "100", "10"),
       {"G0X1.5Y10", "G1Y2F300", "G1X1", "G1Y98", "G1X2", "G1Y2", "G1X1.5"}},
      {"sums_written_short",
       K::OuterRectangle,
       Rectangle(".1", ".2", ".3", ".2", "1"),
       {"G0X.05Y-.3", "G1Y-.1F1", "G1X.2", "G1Y.3", "G1X-.1", "G1Y-.1", "G1X.05"}},
  };
  // clang-format on
  return cases;
}

}  // namespace talvo::test_support
