// SPDX-License-Identifier: MIT
// "G KOD" on a Qt cut screen: the shared run over its fields and output box `Text1`.
#pragma once

#include "qt_screen_window.h"
#include "run_services.h"

namespace talvo::qt {

/// Runs the cut screen's generation, puts the program into the box unless the run was refused
/// and shows any refusal, failure or viewer note in a message box. Called by whoever carries
/// out the flow's RunGeneration; the screen itself does not react to "G KOD".
void RunOnCutScreen(QtScreenWindow& screen, const screens::RunServices& services);

}  // namespace talvo::qt
