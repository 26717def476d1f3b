// SPDX-License-Identifier: MIT
#include "viewer_choice.h"

#include <string_view>

#include "launcher_file.h"

namespace talvo::platform {

ViewerChoice ChooseViewer(bool outsideViewerExists, bool ownViewerExists) {
  if (outsideViewerExists) return ViewerChoice::LauncherBatch;
  return ownViewerExists ? ViewerChoice::OwnViewer : ViewerChoice::None;
}

std::filesystem::path OutsideViewerPath(const std::filesystem::path& root) {
  const auto startsWith = [](std::string_view line, std::string_view head) {
    if (line.size() < head.size()) return false;
    for (std::size_t i = 0; i < head.size(); ++i) {
      if ((line[i] | 0x20) != (head[i] | 0x20)) return false;
    }
    return true;
  };
  std::filesystem::path folder = root;
  for (const std::string_view line : kLauncherLines) {
    if (startsWith(line, "cd\\")) {
      folder = root;
    } else if (startsWith(line, "cd ")) {
      folder /= std::filesystem::path(std::string(line.substr(3)));
    } else if (const auto exe = line.find(".exe"); exe != std::string_view::npos) {
      // "NAME.exe/ARGUMENT": the program is the part before its switch.
      return folder / std::string(line.substr(0, exe + 4));
    }
  }
  return {};
}

}  // namespace talvo::platform
