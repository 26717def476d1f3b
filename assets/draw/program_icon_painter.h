// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

namespace talvo::assets {

inline constexpr int kIconSize = 32;

/// The program icon: block capitals T and A side by side on a yellow square, red strokes
/// 2 pixels wide with a 1-pixel blue outline.
QImage DrawProgramIcon();

}  // namespace talvo::assets
