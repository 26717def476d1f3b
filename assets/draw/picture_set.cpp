// SPDX-License-Identifier: MIT
#include "picture_set.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>

#include "ico_file.h"

#include "illustration_painter.h"
#include "menu_picture_painter.h"
#include "program_icon_painter.h"
#include "title_font.h"

namespace talvo::assets {

std::vector<Picture> DrawAllPictures() {
  const std::optional<QFont> font = LoadTitleFont();
  if (!font) return {};
  std::vector<Picture> pictures;
  for (const auto& layout : MenuPictureLayouts()) {
    pictures.push_back({QString::fromUtf8(layout.name), DrawMenuPicture(layout, *font)});
  }
  for (const auto& layout : IllustrationLayouts()) {
    pictures.push_back({QString::fromUtf8(layout.name), DrawIllustration(layout)});
  }
  pictures.push_back({QStringLiteral("icon"), DrawProgramIcon()});
  return pictures;
}

QString WriteAllPictures(const QString& folder) {
  const std::vector<Picture> pictures = DrawAllPictures();
  if (pictures.empty()) return QStringLiteral("cannot load the title font %1").arg(kTitleFontFile);
  const QDir dir(folder);
  if (!dir.exists() && !QDir().mkpath(folder)) return QStringLiteral("cannot create %1").arg(folder);
  for (const Picture& picture : pictures) {
    QImageWriter writer(dir.filePath(picture.name + QStringLiteral(".png")), "png");
    if (!writer.write(picture.image)) return writer.fileName() + ": " + writer.errorString();
    if (picture.name == QStringLiteral("icon")) {
      QFile ico(dir.filePath(QStringLiteral("icon.ico")));
      if (!ico.open(QIODevice::WriteOnly) || ico.write(IcoFile(picture.image)) < 0) {
        return ico.fileName() + ": " + ico.errorString();
      }
    }
  }
  return {};
}

}  // namespace talvo::assets
