// SPDX-License-Identifier: MIT
#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "loaded_plot.h"
#include "plot_renderer.h"
#include "plot_viewport.h"

namespace talvo::plot {

/// The drawing area: zooms about the mouse with the wheel, pans by dragging, reports the
/// cursor in program units and the move under a click. A crowded view is drawn on another
/// thread, so the window keeps answering; meanwhile the last finished picture stands in,
/// moved and scaled, and a picture of a view already left is thrown away.
class PlotWidget : public QWidget {
  Q_OBJECT

 public:
  explicit PlotWidget(QWidget* parent = nullptr);
  ~PlotWidget() override;

  /// Shows `plot` (kept by the caller, alive until the next call) fitted to the widget.
  void SetPlot(const LoadedPlot* plot);
  /// Shows a text instead of a picture, e.g. why the file cannot be drawn.
  void SetMessage(const QString& message);
  void SetHighlight(std::pair<std::size_t, std::size_t> moves);
  void Fit();
  /// The sheet and kerf band drawn with the moves.
  void SetStyle(const PlotStyle& style);
  /// Playback: the moves before `doneBefore` drawn as done and the torch at (x, y) in
  /// program units; off with Playback(false).
  void SetPlayback(bool on, std::size_t doneBefore = 0, double x = 0, double y = 0);
  /// Measuring: clicks are reported as points instead of selecting moves; the points
  /// measured so far are drawn joined.
  void SetMeasuring(bool on);
  void SetMeasured(const std::vector<QPointF>& programPoints);
  /// Zooms about the middle of the view; pans by pixels (right and down positive).
  void ZoomBy(double factor);
  void PanBy(double dx, double dy);

  const PlotViewport& Viewport() const { return view_; }
  void SetViewport(const PlotViewport& view);
  const QString& Message() const { return message_; }
  /// True while a picture is being drawn on another thread.
  bool Drawing() const;

 signals:
  void CursorMoved(double x, double y);
  void MoveClicked(std::size_t move);
  void PointClicked(double x, double y, double reach);
  /// The exact picture of the plot at the view shown has been painted.
  void Drawn();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct Picture {
    QImage image;
    PlotViewport view;
    std::uint64_t generation = 0;
  };
  static Picture Draw(const LoadedPlot& plot, const PlotStyle& style, const PlotViewport& view, qreal ratio,
                      std::uint64_t generation);
  void RenderExact();
  void DrawElsewhere();
  void TakePicture();
  void PaintPlayback(QPainter& painter);
  void PaintMeasured(QPainter& painter);

  const LoadedPlot* plot_ = nullptr;
  QString message_;
  PlotViewport view_;
  PlotStyle style_;
  bool playing_ = false;
  std::size_t doneBefore_ = 0;
  QPointF torch_;
  QImage done_;  // the done moves at doneView_, doneCount_ of them
  PlotViewport doneView_;
  std::size_t doneCount_ = 0;
  bool measuring_ = false;
  std::vector<QPointF> measured_;
  bool fitted_ = true;  // a fitted view follows the widget's size
  std::pair<std::size_t, std::size_t> highlight_{0, 0};
  QImage picture_;
  PlotViewport pictureView_;
  bool pictureValid_ = false;
  QFutureWatcher<Picture> drawing_;
  std::uint64_t generation_ = 0;  // counts the plots and styles shown, so a picture of an old one is dropped
  QPoint pressAt_;
  QPoint dragFrom_;
  bool dragging_ = false;
  bool dragged_ = false;
};

}  // namespace talvo::plot
