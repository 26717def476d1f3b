// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

namespace talvo::assets {

/// One cut screen's illustration bitmap: what differs from screen to screen lies in the main
/// panel; the torch, feed and flame panels are the same on all four.
struct IllustrationLayout {
  enum class Contour { kCircle, kRectangle };

  /// A size dimension: the line between two points on one row or column, arrowheads inside
  /// pointing out, and at each end an extension line running across to the contour.
  struct SizeDimension {
    QPoint from;
    QPoint to;
  };

  /// The start-distance dimension: a vertical line whose arrowheads sit outside the measured
  /// gap and point into it, with extension lines from the markers out past the line.
  struct StartDimension {
    int x;
    int top;
    int bottom;
    int upperTip;
    int lowerTip;
    int upperExtensionFrom;
    int lowerExtensionFrom;
    int extensionTo;
  };

  const char* name;
  QRect sheet;
  Contour contour;
  QRect contourBox;
  QPoint zeroMark;
  QPoint pierceMarker;
  QPoint startMarker;
  std::vector<SizeDimension> sizeDimensions;
  StartDimension startDimension;
};

inline constexpr QSize kIllustrationSize{691, 355};

/// `Form4`, `Form11`, `Form8` and `Form12`, in that order.
const std::vector<IllustrationLayout>& IllustrationLayouts();

}  // namespace talvo::assets
