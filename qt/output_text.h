// SPDX-License-Identifier: MIT
// The output box keeps lines apart with "\n"; a run's display text ends each line with CR LF.
#pragma once

#include <QString>
#include <string>

namespace talvo::qt {

/// The run's display text as the box shows it.
QString BoxText(const std::string& display);

/// The box's text as a run's display text.
std::string DisplayText(const QString& box);

}  // namespace talvo::qt
