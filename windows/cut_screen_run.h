// SPDX-License-Identifier: MIT
// "G KOD" on a Win32 cut screen: one GenerationRun over the screen's fields and output box.
#pragma once

#include <string>

#include "cut_kind.h"
#include "run_services.h"
#include "screen_window.h"

namespace talvo::win {

/// Reads the fields the table names, runs the generation, puts the program into `Text1` unless
/// the run was refused, and shows any refusal, failure or viewer note in a message box titled
/// like the main menu, with a single OK button.
void RunOnScreen(ScreenWindow& screen, CutKind kind, const screens::RunServices& services);

/// A control's whole text.
std::wstring WindowText(HWND control);

}  // namespace talvo::win
