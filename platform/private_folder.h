// SPDX-License-Identifier: MIT
// Where a program may put things that only its user may reach, such as the viewer's socket.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace talvo::platform {

/// A folder only this user can reach: XDG_RUNTIME_DIR when it is a folder of the user's with
/// mode 0700, else the folder "talvo-<uid>" under the temporary folder, made with mode 0700 and
/// checked to be the user's own folder (not a link) that no one else can enter. Nothing when no
/// such folder can be had. On Windows an empty path: named pipes there have no folder.
std::optional<std::filesystem::path> PrivateFolder();

/// Names the user as the system knows them (the user id), whatever the environment says.
std::string UserKey();

}  // namespace talvo::platform
