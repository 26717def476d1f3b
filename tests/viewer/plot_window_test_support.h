// SPDX-License-Identifier: MIT
// What talvo-plot's picture and window tests share: a scratch folder with the generated hole, and
// colours read back from a picture.
#pragma once

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPointF>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <numbers>

#include "plot_viewport.h"

namespace talvo::plot::test_support {

inline QByteArray Generated(const QStringList& args) {
  QProcess gen;
  gen.start(QStringLiteral(TALVO_GCODE), args);
  gen.waitForFinished(10000);
  return gen.readAllStandardOutput();
}

inline void WriteFile(const QString& path, const QByteArray& content) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(content);
}

inline int Distance(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// True when a pixel within one of `p` shows `colour`; smoothing may spread a line over two.
inline bool NearColour(const QImage& image, QPointF p, QColor colour) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const QPoint q(static_cast<int>(std::lround(p.x())) + dx, static_cast<int>(std::lround(p.y())) + dy);
      if (image.rect().contains(q) && Distance(image.pixelColor(q), colour) < 90) return true;
    }
  }
  return false;
}

inline QPointF OnCircle(const PlotViewport& view, double r, double degrees) {
  const double a = degrees * std::numbers::pi / 180;
  return view.ToScreen(r * std::cos(a), r * std::sin(a));
}

/// Sends the settings kept between runs to the scratch folder, not the user's, and writes there
/// a hole of 100 with a flame of 4: rapid to (0,-38), lead-in to (0,-48), circle of radius 48.
inline QString WriteHoleInto(const QTemporaryDir& dir) {
  qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
  QString hole = dir.filePath(QStringLiteral("hole.txt"));
  WriteFile(hole, Generated({"inner-circle", "--diameter", "100", "--start", "10"}));
  return hole;
}

}  // namespace talvo::plot::test_support
