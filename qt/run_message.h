// SPDX-License-Identifier: MIT
// The message box of a run that was refused, failed or could not start the viewer.
#pragma once

#include <string>
#include <string_view>

class QWidget;

namespace talvo::qt {

/// Shows the text under the title with a single OK button and returns once it is closed.
void ShowRunMessage(QWidget* parent, std::string_view title, const std::string& text);

}  // namespace talvo::qt
