// SPDX-License-Identifier: MIT
// talvo-draw-assets FOLDER: draws the menu pictures, the illustrations and the program icon
// into FOLDER.
#include <QGuiApplication>

#include <cstdio>

#include "picture_set.h"

int main(int argc, char* argv[]) {
  // No screen is needed to draw into images.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: talvo-draw-assets FOLDER\n");
    return 2;
  }
  const QString error = talvo::assets::WriteAllPictures(args.at(1));
  if (!error.isEmpty()) {
    std::fprintf(stderr, "talvo-draw-assets: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
