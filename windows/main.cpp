// SPDX-License-Identifier: MIT
// TALVO-ZAVODO for Windows: opens the main menu and does nothing else at start.
#include <windows.h>

#include "disk_files.h"
#include "launcher_starter.h"
#include "program.h"
#include "root_folder.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  talvo::DiskFiles files;
  const auto starter = talvo::platform::MakeLauncherStarter();
  talvo::win::Program program({talvo::platform::RootFolder(), &files, starter.get()});
  program.Start();
  return talvo::win::RunMessageLoop(program);
}
