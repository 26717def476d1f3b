// SPDX-License-Identifier: MIT
#include "plot_export.h"

#include <QFile>
#include <QImageWriter>

#include "large_pages.h"
#include "plot_messages.h"
#include "plot_renderer.h"
#include "plot_texts.h"

namespace talvo::plot {

QImage PlotPicture(const LoadedPlot& plot, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  AdviseLargePages(image.bits(), static_cast<std::size_t>(image.sizeInBytes()));
  PlotRenderer(plot).Render(image, PlotViewport::Fit(plot.program.extents, size, kPlotFitMargin));
  return image;
}

QString ExportPlot(const QString& file, const QString& out, QSize size) {
  return ExportPlot(LoadPlot(QFile::encodeName(file).toStdString()), file, out, size);
}

QString ExportPlot(const LoadedPlot& plot, const QString& file, const QString& out, QSize size) {
  if (!plot.problem.empty()) return QString::fromStdString(plot.problem) + ": " + file;
  if (plot.program.moves.empty()) return QString(msg::kNoMoves) + ": " + file;
  QImageWriter writer(out, "PNG");
  // On Qt's scale of 0 to 100, the least that still compresses (zlib's fastest level): a
  // crowded picture is written in half the time or less, and a little larger.
  writer.setCompression(12);
  if (!writer.write(PlotPicture(plot, size))) return QString(plot_text::kCannotWritePicture) + ": " + out;
  return {};
}

}  // namespace talvo::plot
