// SPDX-License-Identifier: MIT
// The whole picture of a view written through the toolkit-free pixel layer: the Win32 window and
// its PNG export draw the same pixels.
#pragma once

#include <cstddef>
#include <utility>

#include "job_summary.h"
#include "loaded_plot.h"
#include "pixel_buffer.h"
#include "view_mapping.h"

namespace talvo::plot {

/// What the picture shows besides the moves.
struct PictureExtras {
  JobSettings job;                                      ///< the sheet, in millimetres
  double kerf = 0;                                      ///< band width in program units; 0 is off
  std::pair<std::size_t, std::size_t> highlight{0, 0};  ///< moves [first, last) drawn thick
};

/// Writes the sheet, pierce marks, kerf band, moves, origin and highlight of `view` into
/// `picture` (opaque, the view's size).
void DrawPlotPicture(const PixelBuffer& picture, const LoadedPlot& plot, const ViewMapping& view,
                     const PictureExtras& extras);

}  // namespace talvo::plot
