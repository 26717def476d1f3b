// SPDX-License-Identifier: MIT
// How the viewer is started once a run has written its program.
#pragma once

#include <memory>

#include "generation_run.h"

namespace talvo::platform {

/// The platform's starter: on Windows the launcher batch file through the command interpreter,
/// minimized, or talvo-plot.exe beside the program when the outside viewer is not installed;
/// elsewhere talvo-plot (or the program named by TALVO_VIEWER) on the program file.
std::unique_ptr<LauncherStarter> MakeLauncherStarter();

}  // namespace talvo::platform
