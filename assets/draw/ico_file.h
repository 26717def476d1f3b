// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>

namespace talvo::assets {

/// A Windows .ico file holding `image` (at most 256 × 256) as one 24-bit bitmap with an
/// all-opaque mask. Qt's own ICO writer only writes 32-bit images with alpha.
QByteArray IcoFile(const QImage& image);

}  // namespace talvo::assets
