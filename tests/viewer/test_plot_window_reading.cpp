// SPDX-License-Identifier: MIT
// talvo-plot's window over a large file on the offscreen platform: it is there, with its
// progress bar, before the file is read; then it shows what reading on the spot shows; and it
// closes mid-read without leaving the reading behind.
#include <QFile>
#include <QImage>
#include <QListView>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QtTest>
#include <random>
#include <string>

#include "loaded_plot.h"
#include "plot_renderer.h"
#include "plot_settings.h"
#include "plot_widget.h"
#include "plot_window.h"
#include "plot_window_test_support.h"

namespace talvo::plot {

using test_support::WriteFile;

class TestPlotWindowReading : public QObject {
  Q_OBJECT

 private slots:
  // 150,000 holes of random size at random places: 450,000 lines, some 7 MB.
  void initTestCase() {
    QVERIFY(dir_.isValid());
    qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toUtf8());
    PlotSettings{}.Save();
    std::mt19937 random(20);
    std::uniform_real_distribution<double> x(0, 3000), y(0, 1500), r(4, 45);
    std::string text = "G21 G90\n";
    char line[128];
    for (int i = 0; i < 150'000; ++i) {
      const double cx = x(random), cy = y(random), radius = r(random);
      std::snprintf(line, sizeof line, "G0 X%.3f Y%.3f\nG1 X%.3f F2000\nG2 I%.3f J0\n", cx, cy, cx + radius, -radius);
      text += line;
    }
    text += "M30\n";
    big_ = dir_.filePath(QStringLiteral("sheet.ngc"));
    WriteFile(big_, QByteArray::fromStdString(text));
  }

  void theWindowIsThereBeforeTheFileIsRead() {
    PlotWindow window(big_);
    auto* bar = window.findChild<QProgressBar*>("readProgress");
    // Nothing is handed over before the event loop runs: the reading is still going on.
    QVERIFY(window.Busy());
    QVERIFY(!bar->isHidden());
    QCOMPARE(window.Plot().program.lineStarts.size(), 0u);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY_WITH_TIMEOUT(!window.Busy(), 30000);
    QVERIFY(bar->isHidden());

    // The same text and picture as the file read on the spot.
    const LoadedPlot read = LoadPlot(QFile::encodeName(big_).toStdString());
    QCOMPARE(window.Plot().program.moves.size(), read.program.moves.size());
    QCOMPARE(window.findChild<QListView*>("lines")->model()->rowCount(),
             static_cast<int>(read.program.lineStarts.size()));
    auto* plot = window.findChild<PlotWidget*>("plot");
    const PlotSettings settings;
    PlotStyle style;
    style.sheetX = settings.job.sheetX;
    style.sheetY = settings.job.sheetY;
    QImage expected(plot->Viewport().size, QImage::Format_RGB32);
    PlotRenderer(read, style).Render(expected, plot->Viewport());
    QCOMPARE(plot->grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
  }

  // Closing mid-read stops the reading (how soon a stopped reading ends is the reader's test).
  void closingMidReadStopsTheReading() {
    PlotWindow window(big_);
    window.show();
    QVERIFY(window.Busy());
    QVERIFY(window.close());
    QVERIFY(!window.Busy());
  }

 private:
  QTemporaryDir dir_;
  QString big_;
};

}  // namespace talvo::plot

using talvo::plot::TestPlotWindowReading;
QTEST_MAIN(TestPlotWindowReading)
#include "test_plot_window_reading.moc"
