// SPDX-License-Identifier: MIT
#include "plot_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

#include "plot_renderer.h"

namespace talvo::plot {

namespace {

// Up to this many moves in view the exact picture is drawn at once, well within a frame;
// beyond it the picture is drawn on another thread and the moved picture stands in.
constexpr std::size_t kExactBelow = 1500;
constexpr int kClickSlop = 4;     // pixels a press may move and still be a click
constexpr double kHitPixels = 6;  // how near a click must come to a move

}  // namespace

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(200, 150);
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(&drawing_, &QFutureWatcher<Picture>::finished, this, &PlotWidget::TakePicture);
}

PlotWidget::~PlotWidget() { drawing_.waitForFinished(); }

PlotWidget::Picture PlotWidget::Draw(const LoadedPlot& plot, const PlotStyle& style, const PlotViewport& view,
                                     qreal ratio, std::uint64_t generation) {
  Picture picture{QImage(view.size * ratio, QImage::Format_RGB32), view, generation};
  picture.image.setDevicePixelRatio(ratio);
  PlotViewport device = view;
  device.size = picture.image.size();
  device.scale *= ratio;
  PlotRenderer(plot, style).Render(picture.image, device);
  return picture;
}

void PlotWidget::DrawElsewhere() {
  // One picture at a time: the one that ends checks whether the view moved on meanwhile.
  if (!plot_ || drawing_.isRunning()) return;
  drawing_.setFuture(
      QtConcurrent::run(&PlotWidget::Draw, std::cref(*plot_), style_, view_, devicePixelRatioF(), generation_));
}

void PlotWidget::TakePicture() {
  const Picture picture = drawing_.result();
  if (!plot_) return;
  if (picture.generation != generation_) {
    update();  // a picture of the plot shown before: paint asks for one of this plot
    return;
  }
  // Even a picture of a view already left is the best stand-in until the next one.
  picture_ = picture.image;
  pictureView_ = picture.view;
  pictureValid_ = true;
  if (picture.view != view_) DrawElsewhere();
  update();
}

bool PlotWidget::Drawing() const { return drawing_.isRunning(); }

void PlotWidget::SetPlot(const LoadedPlot* plot) {
  drawing_.waitForFinished();  // it reads the plot
  ++generation_;
  plot_ = plot;
  message_.clear();
  highlight_ = {0, 0};
  pictureValid_ = false;
  picture_ = QImage();
  Fit();
}

void PlotWidget::SetMessage(const QString& message) {
  drawing_.waitForFinished();
  ++generation_;
  plot_ = nullptr;
  message_ = message;
  pictureValid_ = false;
  picture_ = QImage();
  update();
}

void PlotWidget::SetHighlight(std::pair<std::size_t, std::size_t> moves) {
  highlight_ = moves;
  update();
}

void PlotWidget::Fit() {
  SetViewport(PlotViewport::Fit(plot_ ? plot_->program.extents : PlotExtents{}, size(), kPlotFitMargin));
  fitted_ = true;  // after SetViewport, which marks a view as moved by hand
}

void PlotWidget::SetPlayback(bool on, std::size_t doneBefore, double x, double y) {
  playing_ = on;
  doneBefore_ = doneBefore;
  torch_ = QPointF(x, y);
  update();
}

void PlotWidget::PaintPlayback(QPainter& painter) {
  // The done part is kept as an overlay and only the moves done since are added to it, so
  // playing a long program costs the new moves a frame.
  const qreal ratio = devicePixelRatioF();
  PlotViewport device = view_;
  device.size = view_.size * ratio;
  device.scale *= ratio;
  if (done_.isNull() || doneView_ != view_ || doneBefore_ < doneCount_) {
    done_ = QImage(device.size, QImage::Format_ARGB32);
    done_.setDevicePixelRatio(ratio);
    done_.fill(Qt::transparent);
    doneView_ = view_;
    doneCount_ = 0;
  }
  if (doneBefore_ > doneCount_) {
    PlotRenderer(*plot_).WriteDone(done_, device, doneCount_, doneBefore_);
    doneCount_ = doneBefore_;
  }
  painter.drawImage(QPointF(0, 0), done_);
  const QPointF at = view_.ToScreen(torch_.x(), torch_.y());
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(PlotRenderer::kTorch, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(at, 7, 7);
  painter.drawLine(at - QPointF(11, 0), at + QPointF(11, 0));
  painter.drawLine(at - QPointF(0, 11), at + QPointF(0, 11));
}

void PlotWidget::SetMeasuring(bool on) {
  measuring_ = on;
  setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
  if (!on) SetMeasured({});
}

void PlotWidget::SetMeasured(const std::vector<QPointF>& programPoints) {
  measured_ = programPoints;
  update();
}

void PlotWidget::PaintMeasured(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
  painter.setBrush(Qt::NoBrush);
  QPointF previous;
  for (std::size_t i = 0; i < measured_.size(); ++i) {
    const QPointF p = view_.ToScreen(measured_[i].x(), measured_[i].y());
    painter.drawRect(QRectF(p - QPointF(4, 4), QSizeF(8, 8)));
    if (i > 0) painter.drawLine(previous, p);
    previous = p;
  }
}

void PlotWidget::SetStyle(const PlotStyle& style) {
  drawing_.waitForFinished();
  ++generation_;
  style_ = style;
  pictureValid_ = false;
  update();
}

void PlotWidget::ZoomBy(double factor) {
  SetViewport(view_.ZoomedAbout(QPointF(width() / 2.0, height() / 2.0), factor));
}

void PlotWidget::PanBy(double dx, double dy) {
  PlotViewport next = view_;
  next.centreX += dx / view_.scale;
  next.centreY -= dy / view_.scale;
  SetViewport(next);
}

void PlotWidget::SetViewport(const PlotViewport& view) {
  view_ = view;
  view_.size = size();
  fitted_ = false;
  update();
}

void PlotWidget::RenderExact() {
  if (!plot_) return;
  picture_ = Draw(*plot_, style_, view_, devicePixelRatioF(), generation_).image;
  pictureView_ = view_;
  pictureValid_ = true;
}

void PlotWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!plot_) {
    painter.fillRect(rect(), PlotRenderer::kBackground);
    painter.setPen(Qt::black);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(rect().adjusted(10, 10, -10, -10), Qt::AlignCenter | Qt::TextWordWrap, message_);
    return;
  }
  const bool current = pictureValid_ && pictureView_ == view_;
  if (!current) {
    if (plot_->Index().CountNear(view_.Visible()) < kExactBelow) {
      RenderExact();
    } else {
      // Stand-in: the last picture, placed where its program area now lies.
      painter.fillRect(rect(), PlotRenderer::kBackground);
      if (pictureValid_) {
        const double s = view_.scale / pictureView_.scale;
        const QPointF topLeft = view_.ToScreen(pictureView_.ProgramX(0), pictureView_.ProgramY(0));
        const QSizeF logical = QSizeF(pictureView_.size) * s;
        painter.drawImage(QRectF(topLeft, logical), picture_);
      }
      DrawElsewhere();
    }
  }
  const bool exact = pictureValid_ && pictureView_ == view_;
  if (exact) painter.drawImage(QPointF(0, 0), picture_);
  PlotRenderer(*plot_).PaintHighlight(painter, view_, highlight_);
  if (playing_) PaintPlayback(painter);
  if (!measured_.empty()) PaintMeasured(painter);
  if (exact) emit Drawn();
}

void PlotWidget::resizeEvent(QResizeEvent*) {
  if (fitted_) {
    Fit();
  } else {
    view_.size = size();
    update();
  }
}

void PlotWidget::wheelEvent(QWheelEvent* event) {
  const double factor = std::pow(1.0015, event->angleDelta().y());
  SetViewport(view_.ZoomedAbout(event->position(), factor));
  event->accept();
}

void PlotWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  dragged_ = false;
  pressAt_ = dragFrom_ = event->position().toPoint();
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit CursorMoved(view_.ProgramX(at.x()), view_.ProgramY(at.y()));
  if (!dragging_) return;
  if (!dragged_ && (at - pressAt_).manhattanLength() < kClickSlop) return;
  dragged_ = true;
  PlotViewport next = view_;
  next.centreX -= (at.x() - dragFrom_.x()) / view_.scale;
  next.centreY += (at.y() - dragFrom_.y()) / view_.scale;
  dragFrom_ = at;
  SetViewport(next);
}

void PlotWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return;
  dragging_ = false;
  if (dragged_ || !plot_) return;
  const QPointF at = event->position();
  if (measuring_) {
    emit PointClicked(view_.ProgramX(at.x()), view_.ProgramY(at.y()), kHitPixels * 2 / view_.scale);
    return;
  }
  const std::ptrdiff_t move =
      plot_->Index().Nearest(plot_->program, view_.ProgramX(at.x()), view_.ProgramY(at.y()), kHitPixels / view_.scale);
  if (move >= 0) emit MoveClicked(static_cast<std::size_t>(move));
}

}  // namespace talvo::plot
