// SPDX-License-Identifier: MIT
#include "screen_window.h"

#include <QPaintEvent>
#include <QPainter>

#include "screen_builder.h"

namespace talvo::screens {

ScreenWindow::ScreenWindow(const WindowDescription& description, QWidget* parent)
    : QWidget(parent, Qt::Window), description_(description) {
  BuildScreen(description_, *this);
}

void ScreenWindow::paintEvent(QPaintEvent* event) {
  // Painted here rather than set in the palette, which the controls would inherit: the fields'
  // and the box's borders keep the platform's colours on every back colour.
  QPainter(this).fillRect(event->rect(), QColor::fromRgb(static_cast<QRgb>(description_.backColour)));
}

}  // namespace talvo::screens
