// SPDX-License-Identifier: MIT
#include "qt_picture_area.h"

#include <QMouseEvent>
#include <QPainter>

#include "screen_description.h"

namespace talvo::qt {

QtPictureArea::QtPictureArea(const QString& picture, QWidget* parent) : QFrame(parent), bitmap_(picture) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(screens::kPictureBorder);
  // The strips the bitmap leaves free show the button face, as picture areas do.
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::TabFocus);
}

void QtPictureArea::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (bitmap_.isNull()) return;
  QPainter painter(this);
  painter.setClipRect(contentsRect());
  painter.drawPixmap(contentsRect().topLeft(), bitmap_);
}

void QtPictureArea::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QFrame::mousePressEvent(event);
  pressedInside_ = true;
  event->accept();
}

void QtPictureArea::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QFrame::mouseReleaseEvent(event);
  const bool click = pressedInside_ && rect().contains(event->position().toPoint());
  pressedInside_ = false;
  event->accept();
  // Last statement: a click may close and destroy the window this area belongs to.
  if (click) emit clicked();
}

}  // namespace talvo::qt
