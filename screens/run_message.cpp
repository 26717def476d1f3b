// SPDX-License-Identifier: MIT
#include "run_message.h"

#include <QMessageBox>

namespace talvo::screens {

void ShowRunMessage(QWidget* parent, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kMessageTitle), QString::fromStdString(text), QMessageBox::Ok,
                  parent);
  box.exec();
}

}  // namespace talvo::screens
