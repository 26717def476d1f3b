// SPDX-License-Identifier: MIT
#include "qt_screen_window.h"

#include <QPaintEvent>
#include <QPainter>

#include "screen_builder.h"

namespace talvo::qt {

QtScreenWindow::QtScreenWindow(const screens::WindowDescription& description, QWidget* parent)
    : QWidget(parent, Qt::Window), description_(description) {
  BuildScreen(description_, *this);
}

void QtScreenWindow::paintEvent(QPaintEvent* event) {
  // Painted here rather than set in the palette, which the controls would inherit: the fields'
  // and the box's borders keep the platform's colours on every back colour.
  QPainter(this).fillRect(event->rect(), QColor::fromRgb(static_cast<QRgb>(description_.backColour)));
}

}  // namespace talvo::qt
