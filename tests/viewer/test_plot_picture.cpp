// SPDX-License-Identifier: MIT
// talvo-plot's picture, exported and drawn, and its command line's summary and refusals.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "image_pixels.h"
#include "loaded_plot.h"
#include "plot_export.h"
#include "plot_messages.h"
#include "plot_renderer.h"
#include "plot_settings.h"
#include "plot_viewport.h"
#include "plot_window_test_support.h"
#include "two_core_layers.h"

namespace talvo::plot {

using test_support::Distance;
using test_support::NearColour;
using test_support::OnCircle;
using test_support::WriteFile;
using test_support::WriteHoleInto;

class TestPlotPicture : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    hole_ = WriteHoleInto(dir_);
  }

  // Each test starts from the settings a new operator has.
  void init() { PlotSettings{}.Save(); }

  void exportDrawsThePath() {
    const QString out = dir_.filePath(QStringLiteral("hole.png"));
    QProcess plot;
    plot.start(QStringLiteral(TALVO_PLOT), {hole_, "--export", out, "--size", "600x500"});
    QVERIFY(plot.waitForFinished(20000));
    QCOMPARE(plot.exitCode(), 0);
    QImage image(out);
    QCOMPARE(image.size(), QSize(600, 500));
    image = image.convertToFormat(QImage::Format_RGB32);

    const LoadedPlot loaded = LoadPlot(hole_.toStdString());
    const PlotViewport view = PlotViewport::Fit(loaded.program.extents, image.size(), kPlotFitMargin);
    // The circle, everywhere but the top, where its arrow sits, and the bottom, where the lead-in joins.
    for (int deg = 0; deg < 360; deg += 15) {
      if (std::abs(deg - 90) < 20 || std::abs(deg - 270) < 20) continue;
      QVERIFY2(NearColour(image, OnCircle(view, 48, deg), PlotRenderer::kCut), qPrintable(QString::number(deg)));
    }
    // The rapid from the origin to the pierce point: dashes, with gaps between them.
    int dash = 0, gap = 0;
    const QPointF from = view.ToScreen(0, 0) + QPointF(0, 14), to = view.ToScreen(0, -38) - QPointF(0, 6);
    for (double y = from.y(); y < to.y(); y += 1) {
      const QColor c = image.pixelColor(QPoint(static_cast<int>(std::lround(from.x())), static_cast<int>(y)));
      if (Distance(c, PlotRenderer::kRapid) < 120) ++dash;
      if (Distance(c, PlotRenderer::kBackground) < 30) ++gap;
    }
    QVERIFY2(dash > 0.3 * (to.y() - from.y()) && gap > 0.15 * (to.y() - from.y()),
             qPrintable(QStringLiteral("dash %1 gap %2").arg(dash).arg(gap)));
    QVERIFY(NearColour(image, view.ToScreen(0, -38), PlotRenderer::kPierce));
    QVERIFY(NearColour(image, view.ToScreen(0, 0) + QPointF(8, 0), PlotRenderer::kOrigin));
    // Background inside and outside the circle, away from the rapid and the arrows.
    for (const double r : {24.0, 56.0}) {
      for (int deg = 0; deg < 360; deg += 20) {
        if (std::abs(deg - 90) < 30 || std::abs(deg - 270) < 30) continue;
        const QPointF p = OnCircle(view, r, deg);
        QCOMPARE(image.pixelColor(p.toPoint()), PlotRenderer::kBackground);
      }
    }
  }

  // A 3000 x 1500 sheet of 45,000 small holes, each pierced: the fitted picture is crowded
  // enough to be written straight into pixels, and its pierce marks must leave the cuts in sight.
  void denseSheetShowsCutsBetweenPierceMarks() {
    std::string program = "G21G90\n";
    char line[96];
    for (int i = 0; i < 300; ++i) {
      for (int j = 0; j < 150; ++j) {
        std::snprintf(line, sizeof line, "G0X%dY%d\nG1Y%dF1000\nG2J3\n", 5 + 10 * i, 4 + 10 * j, 2 + 10 * j);
        program += line;
      }
    }
    const LoadedPlot plot = PlotOfText(program);
    QCOMPARE(plot.program.pierces.size(), std::size_t{45000});
    const QImage image = PlotPicture(plot, QSize(1600, 1000));
    const PlotViewport view = PlotViewport::Fit(plot.program.extents, image.size(), kPlotFitMargin);
    const QRect sheet = QRectF(view.ToScreen(0, 1500), view.ToScreen(3000, 0)).toRect().adjusted(4, 4, -4, -4);
    int cut = 0, pierce = 0;
    for (int y = sheet.top(); y <= sheet.bottom(); ++y) {
      for (int x = sheet.left(); x <= sheet.right(); ++x) {
        const QColor c = image.pixelColor(x, y);
        cut += Distance(c, PlotRenderer::kCut) < 60;
        pierce += Distance(c, PlotRenderer::kPierce) < 60;
      }
    }
    const double area = static_cast<double>(sheet.width()) * sheet.height();
    QVERIFY2(cut > 0.2 * area && pierce < 0.15 * area,
             qPrintable(QStringLiteral("cut %1 pierce %2 of %3").arg(cut).arg(pierce).arg(area)));
  }

  // The generated hole: a rapid of 38, a lead-in of 10 at F300 and a circle of radius 48.
  // A crowded view is traced by two cores, the second into a layer laid over the first's
  // picture: that must keep the single pass's rule, cuts over everything and rapids only on
  // free pixels, whichever core drew which.
  void aLayerLaidOverKeepsCutsOverRapids() {
    const QRgb cut = PlotRenderer::kCut.rgb(), rapid = PlotRenderer::kRapid.rgb(),
               free = PlotRenderer::kBackground.rgb();
    const QRgb mark = PlotRenderer::kPierce.rgb();
    const struct {
      QRgb below, layer, after;  // layer 0: nothing drawn there
    } pixels[] = {
        {free, 0, free},   {free, rapid, rapid}, {mark, rapid, mark}, {cut, rapid, cut},
        {rapid, cut, cut}, {mark, cut, cut},     {rapid, 0, rapid},   {free, cut, cut},
    };
    const int n = static_cast<int>(std::size(pixels));
    QImage image(n, 1, QImage::Format_RGB32), layer(n, 1, QImage::Format_ARGB32);
    for (int x = 0; x < n; ++x) {
      image.setPixel(x, 0, pixels[x].below);
      layer.setPixel(x, 0, pixels[x].layer ? 0xff000000u | pixels[x].layer : 0u);
    }
    LayOver(PixelsOf(layer), PixelsOf(image), {cut, rapid, free, PlotRenderer::kKerf.rgb()});
    for (int x = 0; x < n; ++x) QCOMPARE(image.pixel(x, 0) & 0xffffffu, pixels[x].after & 0xffffffu);
  }

  // The kerf band is as wide as the kerf whether the view is drawn smoothly or, crowded,
  // straight into pixels: a hole of radius 48 with a 6 wide kerf covers radii 45 to 51.
  void kerfBandIsAsWideAsTheKerf_data() {
    QTest::addColumn<int>("crowd");  // tiny moves beside the hole
    QTest::newRow("smooth") << 0;
    QTest::newRow("crowded") << 5000;
  }

  void kerfBandIsAsWideAsTheKerf() {
    QFETCH(int, crowd);
    QFile file(hole_);
    QVERIFY(file.open(QIODevice::ReadOnly));
    std::string program = file.readAll().toStdString();
    program.erase(program.find("M30"));
    program += "G0X150Y0\n";
    for (int i = 0; i < crowd; ++i) program += i % 2 ? "G1X150Y0.1\n" : "G1X150.1Y0\n";
    const LoadedPlot plot = PlotOfText(program);
    QVERIFY(plot.program.errors.empty());
    const QSize size(1000, 500);
    // 3 pixels a millimetre: the hole and the crowd in view, the band 18 pixels wide.
    PlotViewport view;
    view.size = size;
    view.scale = 3;
    view.centreX = 50;
    for (const double kerf : {0.0, 6.0}) {
      PlotStyle style;
      style.kerf = kerf;
      QImage image(size, QImage::Format_RGB32);
      PlotRenderer(plot, style).Render(image, view);
      // Around the circle, away from its arrow at the top, the lead-in at the bottom and the
      // rapid that leaves it towards the crowd.
      for (int deg = 0; deg < 360; deg += 10) {
        if (std::abs(deg - 90) < 25 || (deg > 245 && deg < 345)) continue;
        const auto colour = [&](double r) { return image.pixelColor(OnCircle(view, r, deg).toPoint()); };
        const QString where = QStringLiteral("kerf %1 at %2°").arg(kerf).arg(deg);
        for (const double r : {46.0, 50.0}) {
          QVERIFY2(Distance(colour(r), kerf > 0 ? PlotRenderer::kKerf : PlotRenderer::kBackground) < 30,
                   qPrintable(where));
        }
        for (const double r : {43.0, 53.0}) QVERIFY2(colour(r) == PlotRenderer::kBackground, qPrintable(where));
      }
    }
  }

  void summaryFromTheCommandLine_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("lines") << QStringList{"--rapid-rate", "3800", "--pierce-delay", "1"}
                           << QByteArray("pierces: 1\nrapid_time_s: 0.6\n");
    QTest::newRow("json") << QStringList{"--json", "--pierce-delay", "2"}
                          << QByteArray("\"pierces\": 1, \"cuts_without_feed\": 0");
  }
  void summaryFromTheCommandLine() {
    QFETCH(QStringList, options);
    QFETCH(QByteArray, expected);
    QProcess plot;
    plot.start(QStringLiteral(TALVO_PLOT), QStringList{hole_, "--summary"} + options);
    QVERIFY(plot.waitForFinished(20000));
    QCOMPARE(plot.exitCode(), 0);
    const QByteArray out = plot.readAllStandardOutput();
    for (const QByteArray& part : expected.split('\n')) {
      QVERIFY2(out.contains(part), out.constData());
    }
    // 10 at F300 and 96π at F300, the rapid and the pierce.
    const double time =
        (10 + 96 * std::numbers::pi) / 300 * 60 + (options.contains("--json") ? 38.0 / 10000 * 60 + 2 : 0.6 + 1);
    QVERIFY2(out.contains(QString::number(time, 'f', 1).toUtf8()), out.constData());
  }

  void exportRefusesBadFiles_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QByteArray() << QString(msg::kFileMissing);
    QTest::newRow("empty") << QByteArray("") << QString(msg::kFileEmpty);
    QTest::newRow("binary") << QByteArray(
                                   "\x7f"
                                   "ELF\x02\x01\x01\0\0\0",
                                   10)
                            << QString(msg::kFileBinary);
    QTest::newRow("no moves") << QByteArray("(nothing)\r\nM30\r\n") << QString(msg::kNoMoves);
    QTest::newRow("100 MB") << QByteArray("big") << QString(msg::kFileTooBig);
  }

  void exportRefusesBadFiles() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString file = dir_.filePath(QStringLiteral("bad-%1.txt").arg(QTest::currentDataTag()));
    if (!content.isNull()) WriteFile(file, content);
    if (content == "big") QVERIFY(QFile::resize(file, 100LL * 1024 * 1024));
    QProcess plot;
    plot.start(QStringLiteral(TALVO_PLOT), {file, "--export", dir_.filePath(QStringLiteral("bad.png"))});
    QVERIFY(plot.waitForFinished(20000));
    QCOMPARE(plot.exitStatus(), QProcess::NormalExit);
    QCOMPARE(plot.exitCode(), 1);
    QVERIFY2(QString::fromUtf8(plot.readAllStandardError()).contains(message), qPrintable(message));
  }

 private:
  QTemporaryDir dir_;
  QString hole_;
};

}  // namespace talvo::plot

using talvo::plot::TestPlotPicture;
QTEST_MAIN(TestPlotPicture)
#include "test_plot_picture.moc"
