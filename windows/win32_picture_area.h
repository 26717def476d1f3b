// SPDX-License-Identifier: MIT
// A picture area: a bitmap resource shown unscaled inside a sunken 2-pixel border.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace talvo::win {

/// The window class of picture areas, registered once per process.
inline constexpr const wchar_t* kPictureClass = L"TalvoPicture";

void RegisterPictureClass(HINSTANCE instance);

/// Creates a picture area showing the bitmap resource of the picture's name ("Form4"; the
/// build makes one from each committed picture). It takes the keyboard focus through the
/// tab order but no key does anything on it; a mouse click (press and release inside) is sent
/// to its top-level window as WM_COMMAND with BN_CLICKED, as a button's click is.
HWND CreatePictureArea(HWND parent, int id, RECT pixels, std::string_view picture);

}  // namespace talvo::win
