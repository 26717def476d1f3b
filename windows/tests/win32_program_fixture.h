// SPDX-License-Identifier: MIT
// The Win32 program started in-process in a scratch root, with the clicks, keys and read-backs
// its tests drive it with.
#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "disk_files.h"
#include "program.h"
#include "recording_starter.h"
#include "text_conversion.h"
#include "win32_screen_window.h"
#include "win32_test_support.h"

namespace talvo::win::test_support {

namespace fs = std::filesystem;

inline constexpr const wchar_t* kTitle = L"TALVO-ZAVODO V1.0";

class Win32ProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = fs::path(temp) / ("talvo-" + std::to_string(GetCurrentProcessId()) + "-" +
                              testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    program_ = std::make_unique<Program>(screens::RunServices{root_, &files_, &starter_});
    program_->Start();
    Pump();
  }
  void TearDown() override {
    program_.reset();
    Pump();
    fs::remove_all(root_);
  }

  bool Pump() { return program_ ? test_support::Pump(*program_) : false; }
  Win32ScreenWindow& Screen() { return *program_->Current(); }
  HWND Control(const char* name) { return Screen().Control(name); }

  std::string Name(HWND control) {
    for (const auto& c : Screen().Description().controls)
      if (Screen().Control(c.name) == control) return std::string(c.name);
    return "(none)";
  }

  void ClickPicture(const char* name) {
    HWND picture = Control(name);
    ASSERT_NE(picture, nullptr) << name;
    SendMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(picture, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    Pump();
  }
  bool Click(const char* name) {
    SendMessageW(Control(name), BM_CLICK, 0, 0);
    return Pump();
  }
  void Type(const char* name, const std::wstring& text) { SetWindowTextW(Control(name), text.c_str()); }
  std::string Text(const char* name) { return Utf8(WindowText(Control(name))); }

  bool Key(WPARAM key) {
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_CHAR, key == VK_TAB ? L'\t' : key == VK_RETURN ? L'\r' : static_cast<wchar_t>(key), 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    return Pump();
  }

  /// A click into the control near its right end: the caret goes there and nothing is selected.
  void ClickAtEnd(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 3, 8));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(r.right - 3, 8));
    Pump();
  }
  /// Ctrl+A as the keyboard gives it: the key state says Ctrl is down while the loop handles the
  /// key, so the loop's own TranslateMessage turns whatever is not taken into its character.
  void CtrlA() {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(GetFocus(), WM_KEYDOWN, 'A', 1);
    Pump();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    PostMessageW(GetFocus(), WM_KEYUP, 'A', 0xC0000001);
    Pump();
  }
  void TypeCharacters(const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(GetFocus(), WM_CHAR, c, 1);
    Pump();
  }
  std::pair<DWORD, DWORD> Selection(HWND control) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }

  fs::path root_;
  DiskFiles files_;
  talvo::test_support::RecordingStarter starter_;
  std::unique_ptr<Program> program_;
};

/// A control's rectangle in its parent's client coordinates.
inline RECT InParent(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace talvo::win::test_support
