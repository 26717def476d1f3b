// SPDX-License-Identifier: MIT
#include "menu_picture_layout.h"

namespace talvo::assets {

namespace {

QRect Box(int x1, int y1, int x2, int y2) { return QRect(QPoint(x1, y1), QPoint(x2, y2)); }

using Contour = MenuPictureLayout::Contour;
using Arrow = MenuPictureLayout::Arrow;

}  // namespace

const std::vector<MenuPictureLayout>& MenuPictureLayouts() {
  // clang-format off: the coordinates read as the drawing tables
  static const std::vector<MenuPictureLayout> layouts = {
      {
          .name = "ICCAP",
          .size = {158, 191},
          .title = {"İÇ ÇAP KESİMİ"},
          .sheet = Box(25, 63, 135, 171),
          .contour = Contour::kCircle,
          .contourBox = Box(38, 77, 128, 162),
          .startDot = {83, 158},
          .pierceDot = {83, 144},
          .arrow = Arrow::kInsideArc,
          .arrowEnd = {106, 149},
      },
      {
          .name = "DISCAP",
          .size = {161, 192},
          .title = {"DIŞ ÇAP KESİMİ"},
          .sheet = Box(26, 57, 136, 172),
          .contour = Contour::kCircle,
          .contourBox = Box(36, 66, 126, 151),
          .startDot = {81, 155},
          .pierceDot = {81, 166},
          .arrow = Arrow::kOutsideArc,
          .arrowEnd = {107, 151},
      },
      {
          .name = "DORTGENHAVZ",
          .size = {161, 191},
          .title = {"İÇ DÖRT KÖŞE", "KESİMİ"},
          .sheet = Box(28, 64, 138, 172),
          .contour = Contour::kRectangle,
          .contourBox = Box(39, 90, 127, 163),
          .startDot = {86, 159},
          .pierceDot = {86, 145},
          .arrow = Arrow::kStraight,
          .arrowEnd = {112, 159},
      },
      {
          .name = "KAREDIS",
          .size = {162, 193},
          .title = {"DIŞ DÖRT KÖŞE", "KESİMİ"},
          .sheet = Box(27, 59, 137, 174),
          .contour = Contour::kRectangle,
          .contourBox = Box(38, 78, 127, 146),
          .startDot = {83, 150},
          .pierceDot = {83, 161},
          .arrow = Arrow::kStraight,
          .arrowEnd = {109, 150},
      },
  };
  // clang-format on
  return layouts;
}

}  // namespace talvo::assets
