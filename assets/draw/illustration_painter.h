// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

#include "illustration_layout.h"

namespace talvo::assets {

/// Draws one cut screen's illustration: the four blue panels, the common torch, feed and
/// flame panels, and the main panel of `layout`. Five colours only, no text.
QImage DrawIllustration(const IllustrationLayout& layout);

}  // namespace talvo::assets
