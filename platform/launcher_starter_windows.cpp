// SPDX-License-Identifier: MIT
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <filesystem>
#include <string>

#include "launcher_starter.h"
#include "messages.h"
#include "viewer_choice.h"

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

bool FileExists(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

/// The folder of this program's own .exe.
std::filesystem::path OwnFolder() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD got = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (got == 0) return {};
    if (got < name.size()) {
      name.resize(got);
      return std::filesystem::path(name).parent_path();
    }
    name.resize(name.size() * 2);
  }
}

/// Starts `command` in `folder` and returns at once; no handle is kept.
std::optional<std::string> StartProcess(std::wstring command, const std::filesystem::path& folder, DWORD flags,
                                        WORD show) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = show;
  PROCESS_INFORMATION process{};
  const std::wstring where = folder.wstring();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, flags, nullptr,
                      where.empty() ? nullptr : where.c_str(), &startup, &process)) {
    return LastErrorText();
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return std::nullopt;
}

/// The launcher batch runs through the command interpreter in a minimized window that takes the
/// focus. The interpreter starts in the root folder: the batch file's `CD\` and `cd Program Files`
/// work on the current drive, so a program started from another drive (or a shortcut with
/// another "Start in") would otherwise send them looking for the viewer there. Without the outside
/// viewer the batch would fail unseen, so talvo-plot.exe beside this program shows the program
/// file instead.
class ViewerStarter final : public LauncherStarter {
 public:
  std::optional<std::string> Start(const RunPaths& paths) override {
    const std::filesystem::path root = paths.launcherFile.parent_path();
    const std::filesystem::path ownViewer = OwnFolder() / L"talvo-plot.exe";
    switch (ChooseViewer(FileExists(OutsideViewerPath(root)), FileExists(ownViewer))) {
      case ViewerChoice::LauncherBatch:
        return StartProcess(L"cmd.exe /c \"" + paths.launcherFile.wstring() + L"\"", root, CREATE_NEW_CONSOLE,
                            SW_SHOWMINIMIZED);
      case ViewerChoice::OwnViewer:
        return StartProcess(L"\"" + ownViewer.wstring() + L"\" \"" + paths.programFile.wstring() + L"\"",
                            paths.programFile.parent_path(), 0, SW_SHOWNORMAL);
      case ViewerChoice::None: break;
    }
    return std::string(msg::kViewerNotFound);
  }
};

}  // namespace

std::unique_ptr<LauncherStarter> MakeLauncherStarter() { return std::make_unique<ViewerStarter>(); }

}  // namespace talvo::platform
