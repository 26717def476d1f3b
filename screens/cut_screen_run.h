// SPDX-License-Identifier: MIT
// "G KOD" on a cut screen without any toolkit: both front ends hand in how a control's text is
// read and show what comes back.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "run_services.h"
#include "screen_description.h"

namespace talvo::screens {

/// The multi-line box of every cut screen that shows the program.
inline constexpr std::string_view kOutputBox = "Text1";

/// A control's whole text by its name, in UTF-8; the output box's lines ended by CR LF.
using ControlText = std::function<std::string(std::string_view control)>;

/// What the front end shows once a run is over.
struct CutScreenShow {
  /// The output box's new text; none when the run was refused and the box keeps what it had.
  std::optional<std::string> boxText;
  /// The refusal, failure or viewer note, for a message box with a single OK button; empty: none.
  std::string message;
  /// Every message box carries the program's name, the main menu's caption.
  std::string_view messageTitle;
};

/// One GenerationRun over the screen's fields and output box; `screen` must be a cut screen.
CutScreenShow RunCutScreen(const WindowDescription& screen, const ControlText& textOf, const RunServices& services);

}  // namespace talvo::screens
