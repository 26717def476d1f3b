// SPDX-License-Identifier: MIT
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

#include "launcher_starter.h"

namespace talvo::platform {
namespace {

std::string LastErrorText() {
  const DWORD code = GetLastError();
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string reason = text ? text : ("error " + std::to_string(code));
  if (text) LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
  return reason;
}

/// Runs the launcher batch file through the command interpreter in a minimized window that
/// takes the focus, and returns at once; no handle is kept. The interpreter starts in the root
/// folder: the batch file's `CD\` and `cd Program Files` work on the current drive, so a program
/// started from another drive (or a shortcut with another "Start in") would otherwise send them
/// looking for the viewer there.
class BatchStarter final : public LauncherStarter {
 public:
  std::optional<std::string> Start(const RunPaths& paths) override {
    std::wstring command = L"cmd.exe /c \"" + paths.launcherFile.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    const std::wstring folder = paths.launcherFile.parent_path().wstring();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
      return LastErrorText();
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return std::nullopt;
  }
};

}  // namespace

std::unique_ptr<LauncherStarter> MakeLauncherStarter() { return std::make_unique<BatchStarter>(); }

}  // namespace talvo::platform
