// SPDX-License-Identifier: MIT
// A top-level Win32 window built from its screen description: the one builder of this front end.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "screen_description.h"

namespace talvo::win {

/// The window class of every screen.
inline constexpr const wchar_t* kScreenClass = L"TalvoScreen";

/// Registers the screen and picture window classes once per process.
void RegisterScreenClasses(HINSTANCE instance);

class Win32ScreenWindow {
 public:
  /// A click on a button or picture button, by the control's name.
  using PressHandler = std::function<void(std::string_view control)>;
  /// The window system asks the window to close.
  using CloseHandler = std::function<void()>;

  /// Creates the window with its caption, client size, back colour, border and icon, and its
  /// controls in the description's order; it stays hidden until Present.
  Win32ScreenWindow(const screens::WindowDescription& description, PressHandler onPress, CloseHandler onClose);
  ~Win32ScreenWindow();
  Win32ScreenWindow(const Win32ScreenWindow&) = delete;
  Win32ScreenWindow& operator=(const Win32ScreenWindow&) = delete;

  /// Places the window centred on its monitor's work area, shows it, activates it and gives the
  /// focus to the control with the lowest tab index.
  void Present();

  /// Destroys the window and all its controls; what was typed on it is gone.
  void Destroy();

  HWND Handle() const { return window_; }
  const screens::WindowDescription& Description() const { return description_; }

  /// The control of that name, or null.
  HWND Control(std::string_view name) const;

  /// The controls by rising tab index.
  const std::vector<HWND>& TabOrder() const { return tabOrder_; }

  /// The keyboard of this window: Tab and Shift+Tab follow the tab indexes across the picture
  /// areas' children, Enter activates the focused push button, Ctrl+A selects the whole text of
  /// the focused field or output box. Returns true when it handled the
  /// message; everything else is left to IsDialogMessageW and the controls.
  bool TranslateKey(const MSG& message);

  /// The window procedure of the screen class.
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  HWND CreateControl(const screens::ControlDescription& c, int id);
  void AddTooltip(HWND control, std::string_view text);
  void DrawFace(const DRAWITEMSTRUCT& item);
  void MoveFocus(bool backwards);
  bool SelectAllInFocusedText();
  const screens::ControlDescription* ById(int id) const;

  const screens::WindowDescription& description_;
  PressHandler onPress_;
  CloseHandler onClose_;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  HBRUSH back_ = nullptr;
  HWND lastFocus_ = nullptr;
  std::vector<HWND> controls_;  ///< in the description's order
  std::vector<HWND> tabOrder_;
};

/// A window's or control's whole text.
std::wstring WindowText(HWND window);

}  // namespace talvo::win
