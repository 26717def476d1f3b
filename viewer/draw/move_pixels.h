// SPDX-License-Identifier: MIT
// The moves of a view written straight into pixels: a crowded view's strokes, the kerf band at
// every zoom and the moves playback has done. Only moves in view are looked at, and each
// costs at most the pixels it covers, so a million-line program draws in a fraction of a second.
#pragma once

#include <cstddef>
#include <functional>

#include "loaded_plot.h"
#include "pixel_buffer.h"
#include "view_mapping.h"

namespace talvo::plot {

/// True when so many moves are near the view that its strokes are written as pixels; fewer
/// are worth drawing smoothly.
bool CrowdedView(const LoadedPlot& plot, const ViewMapping& view);

/// Every move in view, one pixel wide over what `picture` (opaque, view size) holds: cuts
/// over everything, rapids dashed on background and kerf pixels only. On both cores; the
/// moves touch the picture only at the end, so `underneath` (when given) paints what lies
/// under them on this core while the other starts on the moves.
void WriteMovePixels(const PixelBuffer& picture, const LoadedPlot& plot, const ViewMapping& view,
                     const std::function<void()>& underneath = {});

/// The kerf band, `widthPixels` wide, under the cuts; nothing when thinner than a line.
void WriteKerfBand(const PixelBuffer& picture, const LoadedPlot& plot, const ViewMapping& view, double widthPixels);

/// Moves [first, last) in the done colour into `overlay` (transparent where nothing is).
void WriteDoneMoves(const PixelBuffer& overlay, const LoadedPlot& plot, const ViewMapping& view, std::size_t first,
                    std::size_t last);

}  // namespace talvo::plot
