// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

namespace talvo::assets {

// The five colours of the illustrations; the menu pictures and the icon add yellow.
inline const QColor kWhite{0xFF, 0xFF, 0xFF};
inline const QColor kBlue{0x00, 0x00, 0xFF};
inline const QColor kSilver{0xC0, 0xC0, 0xC0};
inline const QColor kBlack{0x00, 0x00, 0x00};
inline const QColor kRed{0xFF, 0x00, 0x00};
inline const QColor kYellow{0xFF, 0xFF, 0x00};

}  // namespace talvo::assets
