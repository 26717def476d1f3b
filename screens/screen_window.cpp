// SPDX-License-Identifier: MIT
#include "screen_window.h"

#include "screen_builder.h"

namespace talvo::screens {

ScreenWindow::ScreenWindow(const WindowDescription& description, QWidget* parent)
    : QWidget(parent, Qt::Window), description_(description) {
  BuildScreen(description_, *this);
}

}  // namespace talvo::screens
