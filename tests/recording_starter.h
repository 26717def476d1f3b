// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "generation_run.h"

namespace talvo::test_support {

/// Records each viewer start instead of starting a viewer; answers with `failure` when set.
class RecordingStarter final : public LauncherStarter {
 public:
  std::optional<std::string> Start(const RunPaths& paths) override {
    started.push_back(paths);
    return failure;
  }
  std::vector<RunPaths> started;
  std::optional<std::string> failure;
};

}  // namespace talvo::test_support
