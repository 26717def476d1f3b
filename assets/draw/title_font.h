// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

#include <optional>

namespace talvo::assets {

/// The font file of the menu titles: DejaVu Sans Bold from Debian's fonts-dejavu-core.
inline constexpr const char* kTitleFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

/// The menu titles' font, loaded from kTitleFontFile itself so that the system's font
/// configuration cannot change the letters; empty when the file cannot be loaded.
/// Needs a QGuiApplication.
std::optional<QFont> LoadTitleFont();

}  // namespace talvo::assets
