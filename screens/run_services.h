// SPDX-License-Identifier: MIT
// What a cut screen's run needs from outside: where the files go, how they are written and
// how the viewer is started. Handed in, so that tests write to a folder of their own and
// record the viewer start instead of starting one.
#pragma once

#include <filesystem>

#include "generation_run.h"
#include "run_files.h"

namespace talvo::screens {

struct RunServices {
  std::filesystem::path root;  ///< the folder that stands for the root of drive C:
  RunFiles* files = nullptr;
  LauncherStarter* starter = nullptr;  ///< null: nothing is started
};

}  // namespace talvo::screens
