// SPDX-License-Identifier: MIT
#include "illustration_layout.h"

namespace talvo::assets {

namespace {

QRect Box(int x1, int y1, int x2, int y2) { return QRect(QPoint(x1, y1), QPoint(x2, y2)); }

using Contour = IllustrationLayout::Contour;

}  // namespace

const std::vector<IllustrationLayout>& IllustrationLayouts() {
  // clang-format off: the coordinates read as the drawing tables
  static const std::vector<IllustrationLayout> layouts = {
      {
          .name = "Form4",  // inner circle
          .sheet = Box(133, 24, 271, 154),
          .contour = Contour::kCircle,
          .contourBox = Box(142, 31, 262, 146),
          .zeroMark = {203, 88},
          .pierceMarker = {202, 116},
          .startMarker = {202, 140},
          .sizeDimensions = {{{91, 32}, {91, 145}}},
          .startDimension = {.x = 328,
                             .top = 75,
                             .bottom = 176,
                             .upperTip = 116,
                             .lowerTip = 146,
                             .upperExtensionFrom = 212,
                             .lowerExtensionFrom = 229,
                             .extensionTo = 345},
      },
      {
          .name = "Form11",  // outer circle
          .sheet = Box(154, 15, 292, 179),
          .contour = Contour::kCircle,
          .contourBox = Box(163, 22, 283, 137),
          .zeroMark = {224, 80},
          .pierceMarker = {223, 167},
          .startMarker = {223, 143},
          .sizeDimensions = {{{112, 23}, {112, 136}}},
          .startDimension = {.x = 338,
                             .top = 97,
                             .bottom = 188,
                             .upperTip = 138,
                             .lowerTip = 168,
                             .upperExtensionFrom = 241,
                             .lowerExtensionFrom = 234,
                             .extensionTo = 345},
      },
      {
          .name = "Form8",  // inner rectangle
          .sheet = Box(154, 58, 292, 169),
          .contour = Contour::kRectangle,
          .contourBox = Box(166, 66, 280, 150),
          .zeroMark = {166, 149},
          .pierceMarker = {222, 120},
          .startMarker = {222, 144},
          .sizeDimensions = {{{166, 37}, {280, 37}}, {{112, 66}, {112, 149}}},
          .startDimension = {.x = 338,
                             .top = 79,
                             .bottom = 168,
                             .upperTip = 120,
                             .lowerTip = 149,
                             .upperExtensionFrom = 230,
                             .lowerExtensionFrom = 287,
                             .extensionTo = 345},
      },
      {
          .name = "Form12",  // outer rectangle
          .sheet = Box(154, 45, 292, 179),
          .contour = Contour::kRectangle,
          .contourBox = Box(166, 53, 280, 137),
          .zeroMark = {166, 136},
          .pierceMarker = {223, 167},
          .startMarker = {223, 143},
          .sizeDimensions = {{{166, 24}, {280, 24}}, {{112, 53}, {112, 136}}},
          .startDimension = {.x = 338,
                             .top = 97,
                             .bottom = 188,
                             .upperTip = 138,
                             .lowerTip = 168,
                             .upperExtensionFrom = 292,
                             .lowerExtensionFrom = 234,
                             .extensionTo = 345},
      },
  };
  // clang-format on
  return layouts;
}

}  // namespace talvo::assets
