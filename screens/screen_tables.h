// SPDX-License-Identifier: MIT
// The five fixed screens of the program: the main menu and one cut screen per contour.
#pragma once

#include "cut_kind.h"
#include "screen_description.h"

namespace talvo::screens {

/// The main menu `Form1`.
const WindowDescription& MenuDescription();

/// `Form4`, `Form11`, `Form8` or `Form12`.
const WindowDescription& CutScreenDescription(CutKind kind);

}  // namespace talvo::screens
