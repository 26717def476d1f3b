// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "loaded_plot.h"

namespace talvo::plot {

/// Draws a program fitted to a picture of the given size, as the window shows it on opening.
QImage PlotPicture(const LoadedPlot& plot, QSize size);

/// Writes the picture of a program already read into the PNG file `out`. Returns an empty text on
/// success, else why it could not be drawn or written; `file` names the program in the reason.
QString ExportPlot(const talvo::plot::LoadedPlot& plot, const QString& file, const QString& out, QSize size);

/// Writes the picture of the program file `file` into the PNG file `out`. Returns an empty
/// text on success, else why the file could not be drawn or written.
QString ExportPlot(const QString& file, const QString& out, QSize size);

}  // namespace talvo::plot
