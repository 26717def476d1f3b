// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace talvo::assets {

struct Picture {
  QString name;  // the file is name + ".png"
  QImage image;
};

/// All nine pictures: four menu pictures, four illustrations and the icon (named "icon").
/// Empty when the title font cannot be loaded. Needs a QGuiApplication.
std::vector<Picture> DrawAllPictures();

/// Draws all pictures into `folder` as PNG files, and the icon also as icon.ico.
/// Returns an empty text on success, else what went wrong.
QString WriteAllPictures(const QString& folder);

}  // namespace talvo::assets
