// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QImage>

#include "menu_picture_layout.h"

namespace talvo::assets {

/// Draws one main-menu picture: white margin, black frame, red band, yellow field with the
/// title, and the sheet with contour, start and pierce dots and the cutting direction.
QImage DrawMenuPicture(const MenuPictureLayout& layout, const QFont& titleFont);

}  // namespace talvo::assets
