// SPDX-License-Identifier: MIT
// Driving the Win32 program in-process: pumping its messages, finding its windows and
// answering its message boxes.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "program.h"

namespace talvo::win::test_support {

/// Handles every waiting message as the program's loop does; true when WM_QUIT came.
inline bool Pump(Program& program) {
  bool quit = false;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      continue;
    }
    DispatchScreenMessage(program, message);
  }
  return quit;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

/// The screens of this thread that still exist.
inline std::vector<HWND> Screens() {
  std::vector<HWND> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM list) {
        if (ClassOf(window) == kScreenClass) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

/// A message box that was shown and closed with OK.
struct SeenBox {
  std::wstring title;
  std::wstring text;
  std::vector<std::wstring> buttons;
};

/// Watches for the program's message boxes from a thread of its own, reads each and presses
/// its OK, so that a run can be driven to its end from the test's thread.
class BoxAnswerer {
 public:
  BoxAnswerer() : thread_([this] { Watch(); }) {}
  ~BoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  std::vector<SeenBox> Seen() {
    const std::lock_guard lock(mutex_);
    return seen_;
  }

 private:
  void Watch() {
    while (!stop_) {
      HWND box = FindBox();
      if (!box) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        continue;
      }
      SeenBox seen;
      seen.title = WindowTextOf(box);
      EnumChildWindows(
          box,
          [](HWND child, LPARAM into) {
            auto* s = reinterpret_cast<SeenBox*>(into);
            const std::wstring cls = ClassOf(child);
            const std::wstring text = WindowTextOf(child);
            if (_wcsicmp(cls.c_str(), L"Button") == 0 && IsWindowVisible(child)) s->buttons.push_back(text);
            if (_wcsicmp(cls.c_str(), L"Static") == 0 && !text.empty()) s->text = text;
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&seen));
      {
        const std::lock_guard lock(mutex_);
        seen_.push_back(seen);
      }
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      while (!stop_ && IsWindow(box)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  static std::wstring WindowTextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
  }
  static HWND FindBox() {
    HWND box = FindWindowW(L"#32770", nullptr);
    DWORD process = 0;
    if (box) GetWindowThreadProcessId(box, &process);
    return process == GetCurrentProcessId() && IsWindowVisible(box) ? box : nullptr;
  }

  std::atomic<bool> stop_ = false;
  std::mutex mutex_;
  std::vector<SeenBox> seen_;
  std::thread thread_;
};

/// A file's whole content, or "(missing)".
inline std::string FileBytes(const std::filesystem::path& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(missing)";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

}  // namespace talvo::win::test_support
