// SPDX-License-Identifier: MIT
#include "title_font.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace talvo::assets {

namespace {

constexpr int kTitlePixelSize = 15;  // capitals about 11 pixels high

}  // namespace

std::optional<QFont> LoadTitleFont() {
  static const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(kTitleFontFile));
  if (id < 0) return std::nullopt;
  const QStringList families = QFontDatabase::applicationFontFamilies(id);
  if (families.isEmpty()) return std::nullopt;
  QFont font(families.front());
  font.setBold(true);
  font.setPixelSize(kTitlePixelSize);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setKerning(true);
  return font;
}

}  // namespace talvo::assets
