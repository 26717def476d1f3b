// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace talvo::assets {

/// The names of the embedded pictures: the four menu pictures, the four cut-screen
/// illustrations and the program icon ("icon").
QStringList PictureNames();

/// The resource path of a picture, e.g. ":/pictures/ICCAP.png".
QString PicturePath(const QString& name);

}  // namespace talvo::assets
