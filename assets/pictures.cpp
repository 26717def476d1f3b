// SPDX-License-Identifier: MIT
#include "pictures.h"

namespace talvo::assets {

QStringList PictureNames() {
  return {QStringLiteral("ICCAP"),   QStringLiteral("DISCAP"), QStringLiteral("DORTGENHAVZ"),
          QStringLiteral("KAREDIS"), QStringLiteral("Form4"),  QStringLiteral("Form11"),
          QStringLiteral("Form8"),   QStringLiteral("Form12"), QStringLiteral("icon")};
}

QString PicturePath(const QString& name) { return QStringLiteral(":/pictures/") + name + QStringLiteral(".png"); }

}  // namespace talvo::assets
