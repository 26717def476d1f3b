// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>

namespace talvo::platform {

/// The folder that stands for the root of drive C:, where the program and launcher files live.
/// TALVO_ROOT, when set and not empty, names it on every platform; otherwise it is C:\ on
/// Windows and the user's home folder elsewhere.
std::filesystem::path RootFolder();

}  // namespace talvo::platform
