// SPDX-License-Identifier: MIT
// Shapes of moves in the XY plane, shared by the reader's totals, the drawing and hit tests.
#pragma once

#include "plot_extents.h"
#include "plot_move.h"

namespace talvo::plot {

/// Angle of the arc from start to end, positive counter-clockwise: in (0, 2π] for G3 and
/// [-2π, 0) for G2; a full circle sweeps a whole turn.
double ArcSweep(const PlotMove& move);

/// Radius at the start. An I J arc may end a little off its circle, within LinuxCNC's
/// allowance: then the path is a spiral whose radius goes evenly with the angle to the end's.
double ArcRadius(const PlotMove& move);

/// True when the arc is a full circle: it ends where it starts, or in the start's direction.
bool WholeTurn(const PlotMove& move);

/// Length of the path in space (a helix when Z changes along an arc, a spiral when its radius does).
double MoveLength(const PlotMove& move);

/// Length of an arc that goes from radius r0 to r1 while it turns by `turn` (radians, not
/// negative) and rises by dz: MoveLength of an arc whose turn is already known.
double ArcLength(double r0, double r1, double turn, double dz);

/// XY box of the path, including the arc's extreme points that lie on it.
PlotExtents MoveBox(const PlotMove& move);

/// Point at the fraction t (0..1) of the path, in XY.
void MovePointAt(const PlotMove& move, double t, double& x, double& y);

/// Shortest XY distance from (x, y) to the path.
double DistanceToMove(const PlotMove& move, double x, double y);

}  // namespace talvo::plot
