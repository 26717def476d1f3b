// SPDX-License-Identifier: MIT
// The two file operations that make a replacement safe: a file that is surely new, and a move
// that puts it in place of another name in one step.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace talvo::platform {

/// Creates the file `path`, which must not exist yet (a link or anything else there makes it
/// fail, so nothing is ever written through a link), writes the bytes and closes it. Returns the
/// system's reason when it fails.
std::optional<std::string> WriteNewFile(const std::filesystem::path& path, std::string_view bytes);

/// Puts the file `from` in place of the name `to` in one step: whatever `to` was (a file, a link,
/// another name of a file) is replaced as a name, and nothing a link points to is touched.
std::optional<std::string> MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace talvo::platform
