// SPDX-License-Identifier: MIT
// The tables, the core and the messages speak UTF-8; Win32's wide APIs speak UTF-16. Windows
// only: every Win32 part converts here, exactly (a lone surrogate becomes U+FFFD).
#pragma once

#include <string>
#include <string_view>

namespace talvo::win {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace talvo::win
