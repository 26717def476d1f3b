// SPDX-License-Identifier: MIT
#include "program_icon_painter.h"

#include <array>

#include "palette.h"
#include "pixel_canvas.h"

namespace talvo::assets {

namespace {

QRect Box(int x1, int y1, int x2, int y2) { return QRect(QPoint(x1, y1), QPoint(x2, y2)); }

// The red strokes, 2 pixels wide. With their outline the T covers columns 1 to 14 and the A
// columns 17 to 30, both from row 1 to row 30.
const std::array kStrokes = {
    Box(2, 2, 13, 3),     // T: bar
    Box(7, 4, 8, 29),     // T: stem
    Box(18, 2, 29, 3),    // A: top
    Box(18, 4, 19, 29),   // A: left leg
    Box(28, 4, 29, 29),   // A: right leg
    Box(20, 15, 27, 16),  // A: cross bar
};

}  // namespace

QImage DrawProgramIcon() {
  PixelCanvas canvas({kIconSize, kIconSize}, kYellow);
  // Outlines first, so that where strokes meet the red runs on unbroken.
  for (const QRect& stroke : kStrokes) canvas.Fill(stroke.adjusted(-1, -1, 1, 1), kBlue);
  for (const QRect& stroke : kStrokes) canvas.Fill(stroke, kRed);
  return canvas.Image();
}

}  // namespace talvo::assets
