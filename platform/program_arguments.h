// SPDX-License-Identifier: MIT
// The program's arguments and messages as the user typed and reads them, on every platform.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace talvo::platform {

/// The arguments as UTF-8, each exactly as typed. On Windows they are read from the wide command
/// line, because the narrow one maps characters the code page lacks to look-alikes ("best fit"):
/// full-width digits would read as digits and any other letter would reach us garbled.
std::vector<std::string> ProgramArguments(int argc, char** argv);

/// Writes UTF-8 text to a standard stream as it takes it: a Windows console gets the characters,
/// a file or pipe the UTF-8 bytes. False when the text could not be written.
bool WriteText(std::FILE* stream, std::string_view utf8);

}  // namespace talvo::platform
