// SPDX-License-Identifier: MIT
// TALVO-ZAVODO: opens the main menu and does nothing else at start.
#include <QApplication>
#include <QIcon>

#include "disk_files.h"
#include "launcher_starter.h"
#include "pictures.h"
#include "root_folder.h"
#include "screen_switch.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("talvo-zavodo"));
  QApplication::setWindowIcon(QIcon(talvo::assets::PicturePath(QStringLiteral("icon"))));

  talvo::DiskFiles files;
  const auto starter = talvo::platform::MakeLauncherStarter();
  talvo::qt::ScreenSwitch screens({talvo::platform::RootFolder(), &files, starter.get()});
  screens.Start();
  return QApplication::exec();
}
