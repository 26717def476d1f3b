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

/// Creates a picture area showing the bitmap resource named after the picture's file
/// (":/pictures/Form4.png" shows the resource "Form4"). It takes the keyboard focus through the
/// tab order but no key does anything on it; a mouse click (press and release inside) is sent
/// to its top-level window as WM_COMMAND with BN_CLICKED, as a button's click is.
HWND CreatePictureArea(HWND parent, int id, RECT pixels, std::string_view picture);

/// The resource name of a picture: its file name without folder and extension.
std::wstring PictureResourceName(std::string_view picture);

}  // namespace talvo::win
