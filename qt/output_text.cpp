// SPDX-License-Identifier: MIT
#include "output_text.h"

namespace talvo::qt {

QString BoxText(const std::string& display) {
  return QString::fromStdString(display).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string DisplayText(const QString& box) {
  return QString(box).replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString();
}

}  // namespace talvo::qt
