// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

namespace talvo::assets {

/// One picture button of the main menu: frame, band and field are the same on all four;
/// the title, the sheet and what lies on it differ.
struct MenuPictureLayout {
  enum class Contour { kCircle, kRectangle };
  enum class Arrow {
    kInsideArc,   // curved, inside the circle, up and to the right
    kOutsideArc,  // curved, outside the circle, up and to the right
    kStraight,    // along the bottom edge, to the right
  };

  const char* name;
  QSize size;
  std::vector<const char*> title;  // UTF-8, one entry a line
  QRect sheet;
  Contour contour;
  QRect contourBox;
  QPoint startDot;
  QPoint pierceDot;
  Arrow arrow;
  QPoint arrowEnd;  // the arrowhead: its middle for the arcs, its tip for straight arrows
};

/// `ICCAP`, `DISCAP`, `DORTGENHAVZ` and `KAREDIS`, in that order.
const std::vector<MenuPictureLayout>& MenuPictureLayouts();

}  // namespace talvo::assets
