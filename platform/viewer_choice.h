// SPDX-License-Identifier: MIT
// Which viewer a Windows run starts: the outside viewer through the launcher batch when it is
// installed where the batch looks, else talvo-plot.exe beside the program.
#pragma once

#include <filesystem>

namespace talvo::platform {

enum class ViewerChoice { LauncherBatch, OwnViewer, None };

ViewerChoice ChooseViewer(bool outsideViewerExists, bool ownViewerExists);

/// The program the launcher batch starts when run from `root`, read from the batch's own lines:
/// the folders it changes into and the program it names.
std::filesystem::path OutsideViewerPath(const std::filesystem::path& root);

}  // namespace talvo::platform
