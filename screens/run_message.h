// SPDX-License-Identifier: MIT
// The message box of a run that was refused, failed or could not start the viewer.
#pragma once

#include <string>

class QWidget;

namespace talvo::screens {

/// The title of every message box of the program.
inline constexpr const char* kMessageTitle = "TALVO-ZAVODO V1.0";

/// Shows the text with a single OK button and returns once it is closed.
void ShowRunMessage(QWidget* parent, const std::string& text);

}  // namespace talvo::screens
