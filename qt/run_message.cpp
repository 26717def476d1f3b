// SPDX-License-Identifier: MIT
#include "run_message.h"

#include <QMessageBox>

#include "screen_builder.h"

namespace talvo::qt {

void ShowRunMessage(QWidget* parent, std::string_view title, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(title), QString::fromStdString(text), QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace talvo::qt
