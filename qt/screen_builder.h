// SPDX-License-Identifier: MIT
// The one builder that turns a screen description into a window.
#pragma once

#include <QString>
#include <string_view>

#include "screen_description.h"

class QWidget;

namespace talvo::qt {

class QtScreenWindow;

/// Gives the window its caption, client size, back colour, border and icon and creates its
/// controls in the description's order, with their keyboard order and the initial focus.
void BuildScreen(const screens::WindowDescription& description, QtScreenWindow& window);

/// Places the window centred on its screen, shows it without being modal and activates it.
void PresentCentred(QWidget& window);

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace talvo::qt
