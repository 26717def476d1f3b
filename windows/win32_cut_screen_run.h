// SPDX-License-Identifier: MIT
// "G KOD" on a Win32 cut screen: the shared run over the screen's fields and output box.
#pragma once

#include "run_services.h"
#include "win32_screen_window.h"

namespace talvo::win {

/// Runs the cut screen's generation, puts the program into `Text1` unless the run was refused,
/// and shows any refusal, failure or viewer note in a message box with a single OK button.
void RunOnCutScreen(Win32ScreenWindow& screen, const screens::RunServices& services);

}  // namespace talvo::win
