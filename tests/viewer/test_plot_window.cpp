// SPDX-License-Identifier: MIT
// talvo-plot's picture and window on the offscreen platform.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <string>

#include "image_pixels.h"
#include "loaded_plot.h"
#include "plot_export.h"
#include "plot_messages.h"
#include "plot_renderer.h"
#include "plot_settings.h"
#include "plot_texts.h"
#include "plot_viewport.h"
#include "plot_widget.h"
#include "plot_window.h"
#include "single_instance.h"
#include "two_core_layers.h"

namespace talvo::plot {
namespace {

QByteArray Generated(const QStringList& args) {
  QProcess gen;
  gen.start(QStringLiteral(TALVO_GCODE), args);
  gen.waitForFinished(10000);
  return gen.readAllStandardOutput();
}

void WriteFile(const QString& path, const QByteArray& content) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(content);
}

int Distance(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// True when a pixel within one of `p` shows `colour`; smoothing may spread a line over two.
bool NearColour(const QImage& image, QPointF p, QColor colour) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const QPoint q(static_cast<int>(std::lround(p.x())) + dx, static_cast<int>(std::lround(p.y())) + dy);
      if (image.rect().contains(q) && Distance(image.pixelColor(q), colour) < 90) return true;
    }
  }
  return false;
}

QPointF OnCircle(const PlotViewport& view, double r, double degrees) {
  const double a = degrees * std::numbers::pi / 180;
  return view.ToScreen(r * std::cos(a), r * std::sin(a));
}

}  // namespace

class TestPlotWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    // The settings kept between runs go to the scratch folder, not the user's.
    qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")).toUtf8());
    hole_ = dir_.filePath(QStringLiteral("hole.txt"));
    // A hole of 100 with a flame of 4: rapid to (0,-38), lead-in to (0,-48), circle of radius 48.
    WriteFile(hole_, Generated({"inner-circle", "--diameter", "100", "--start", "10"}));
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

  void windowShowsWhyAFileCannotBeDrawn() {
    PlotWindow window(dir_.filePath(QStringLiteral("nowhere.txt")));
    window.show();
    QVERIFY(window.findChild<PlotWidget*>("plot")->Message().startsWith(msg::kFileMissing));
    QCOMPARE(window.windowTitle(), QStringLiteral("TALVO-ZAVODO V1.0 - ÇİZİM - nowhere.txt"));
    if (QFile::exists(QStringLiteral(":/pictures/icon.png"))) QVERIFY(!window.windowIcon().isNull());
  }

  void selectingALineHighlightsItsMove_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QPointF>("programPoint");  // a point of the line's move
    QTest::addColumn<bool>("highlighted");
    QTest::newRow("circle line, circle") << 3 << QPointF(48, 0) << true;
    QTest::newRow("lead-in line, lead-in") << 2 << QPointF(0, -43) << true;
    QTest::newRow("lead-in line, circle") << 2 << QPointF(48, 0) << false;
    QTest::newRow("M30 line, circle") << 4 << QPointF(-48, 0) << false;
  }

  void selectingALineHighlightsItsMove() {
    QFETCH(int, row);
    QFETCH(QPointF, programPoint);
    QFETCH(bool, highlighted);
    PlotWindow window(hole_);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* lines = window.findChild<QListView*>("lines");
    auto* plot = window.findChild<PlotWidget*>("plot");
    lines->setCurrentIndex(lines->model()->index(row, 0));
    const QImage image = plot->grab().toImage();
    const QPointF p = plot->Viewport().ToScreen(programPoint.x(), programPoint.y()) * image.devicePixelRatio();
    QCOMPARE(NearColour(image, p, PlotRenderer::kHighlight), highlighted);
  }

  void clickingAMoveSelectsItsLine_data() {
    QTest::addColumn<QPointF>("programPoint");
    QTest::addColumn<int>("row");
    QTest::newRow("circle") << QPointF(-48, 0) << 3;
    QTest::newRow("lead-in") << QPointF(0, -44) << 2;
    QTest::newRow("rapid") << QPointF(0, -20) << 1;
  }

  void clickingAMoveSelectsItsLine() {
    QFETCH(QPointF, programPoint);
    QFETCH(int, row);
    PlotWindow window(hole_);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* lines = window.findChild<QListView*>("lines");
    auto* plot = window.findChild<PlotWidget*>("plot");
    const QPoint at = plot->Viewport().ToScreen(programPoint.x(), programPoint.y()).toPoint();
    QTest::mouseClick(plot, Qt::LeftButton, {}, at);
    QCOMPARE(lines->currentIndex().row(), row);
  }

  // The hole's moves: 0 the rapid to the origin, 1 the rapid to (0,-38), 2 the lead-in to
  // (0,-48) at F300 after a pierce, 3 the circle of radius 48 about the origin, a minute long.
  void playbackWalksTheMovesWithTheirLines() {
    PlotWindow window(hole_);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* plot = window.findChild<PlotWidget*>("plot");
    auto* lines = window.findChild<QListView*>("lines");
    auto* slider = window.findChild<QSlider*>("playSlider");
    auto* speed = window.findChild<QComboBox*>("speed");
    const auto shows = [&](QPointF programPoint, QPointF offset, QColor colour) {
      const QImage image = plot->grab().toImage();
      const QPointF at = plot->Viewport().ToScreen(programPoint.x(), programPoint.y()) + offset;
      return NearColour(image, at * image.devicePixelRatio(), colour);
    };
    // The torch is a cross in a circle: below its middle, where the hole leaves the picture bare.
    const QPointF belowTorch(0, 9);
    const auto at = [&](int move, int row, QPointF torch) {
      QCOMPARE(slider->value(), move);
      QCOMPARE(lines->currentIndex().row(), row);
      QVERIFY(shows(torch, belowTorch, PlotRenderer::kTorch));
    };
    QVERIFY(!shows({0, -48}, belowTorch, PlotRenderer::kTorch));
    QVERIFY(!shows({-48, 0}, {}, PlotRenderer::kDone));
    plot->setFocus();

    const struct {
      Qt::Key key;
      int move, row;
      QPointF torch;
      bool allDone;  // every move drawn done, in grey
    } steps[] = {
        {Qt::Key_Home, 0, 0, {0, 0}, false},    {Qt::Key_Right, 1, 1, {0, 0}, false},
        {Qt::Key_Right, 2, 2, {0, -38}, false}, {Qt::Key_Right, 3, 3, {0, -48}, false},
        {Qt::Key_Left, 2, 2, {0, -38}, false},  {Qt::Key_End, 3, 3, {0, -48}, true},
        {Qt::Key_Right, 3, 3, {0, -48}, true},  {Qt::Key_Left, 3, 3, {0, -48}, false},
        {Qt::Key_Left, 2, 2, {0, -38}, false},
    };
    for (const auto& step : steps) {
      QTest::keyClick(plot, step.key);
      at(step.move, step.row, step.torch);
      QCOMPARE(shows({-48, 0}, {}, PlotRenderer::kDone), step.allDone);
    }

    // Played at 100 times the real time, the minute-long job is over in well under a second.
    speed->setCurrentIndex(speed->findData(100));
    QTest::keyClick(plot, Qt::Key_Home);
    QTest::keyClick(plot, Qt::Key_Space);
    QTRY_COMPARE_WITH_TIMEOUT(lines->currentIndex().row(), 3, 5000);
    QTRY_VERIFY(shows({0, -48}, belowTorch, PlotRenderer::kTorch));
    // Space again pauses: once paused the torch stays, though the job would long be over.
    QTest::keyClick(plot, Qt::Key_Home);
    QTest::keyClick(plot, Qt::Key_Space);
    QTest::keyClick(plot, Qt::Key_Space);
    const int paused = lines->currentIndex().row();
    QTest::qWait(1000);
    QCOMPARE(lines->currentIndex().row(), paused);
    QVERIFY(paused < 3);
  }

  void measuringSnapsTwoClicksAndShowsTheDistance() {
    PlotWindow window(hole_);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* plot = window.findChild<PlotWidget*>("plot");
    auto* lines = window.findChild<QListView*>("lines");
    auto* facts = window.findChild<QLabel*>("moveFacts");
    const int selected = lines->currentIndex().row();
    window.findChild<QAction*>("measure")->trigger();
    // Each click lands a few pixels off the point it means.
    const auto click = [&](QPointF programPoint) {
      const QPointF at = plot->Viewport().ToScreen(programPoint.x(), programPoint.y()) + QPointF(3, -2);
      QTest::mouseClick(plot, Qt::LeftButton, {}, at.toPoint());
    };
    click({0, 0});    // the origin and the circle's centre
    click({0, -38});  // where the rapid ends and the pierce is
    QCOMPARE(facts->text(), QStringLiteral("UZAKLIK 38.000   ΔX 0.000   ΔY -38.000"));
    // A third click starts a new measure, to the end of the lead-in.
    click({0, -48});
    click({0, 0});
    QCOMPARE(facts->text(), QStringLiteral("UZAKLIK 48.000   ΔX 0.000   ΔY 48.000"));
    // Clicks that measure select no moves.
    QCOMPARE(lines->currentIndex().row(), selected);
    // Out of measure mode a click selects again.
    window.findChild<QAction*>("measure")->trigger();
    click({0, -44});
    QCOMPARE(lines->currentIndex().row(), 2);
  }

  // The hole is drawn about its centre; with the torch's zero set in the middle of a 100 x 100
  // sheet, the sheet's outline lies about the hole and the summary says it fits.
  void theSheetLiesWhereTheOriginIsSet() {
    PlotWindow window(hole_);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* plot = window.findChild<PlotWidget*>("plot");
    auto* summary = window.findChild<QLabel*>("summary");
    const auto set = [&](const char* name, double value) { window.findChild<QDoubleSpinBox*>(name)->setValue(value); };
    set("sheetX", 100);
    set("sheetY", 100);
    QVERIFY(summary->text().contains(QString(plot_text::kDoesNotFit)));
    QVERIFY(summary->text().contains(QString(plot_text::kFitsElsewhere)));
    set("sheetOriginX", 50);
    set("sheetOriginY", 50);
    QVERIFY(summary->text().contains(QString(plot_text::kFits)));
    // The bottom edge of the sheet, dashed, runs 2 below the hole where before there was nothing.
    QTRY_VERIFY(!plot->Drawing());
    const QImage image = plot->grab().toImage();
    int onEdge = 0;
    for (double x = -40; x <= 40; x += 1) {
      const QPointF p = plot->Viewport().ToScreen(x, -50) * image.devicePixelRatio();
      onEdge += Distance(image.pixelColor(p.toPoint()), PlotRenderer::kSheet) < 30;
    }
    QVERIFY2(onEdge > 20, qPrintable(QString::number(onEdge)));
  }

  // A kept value no setting may take is never a refusal to start: the window opens with the
  // default in its place, and says which value it ignored.
  void anInvalidKeptSettingFallsBackWithANote_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("used");
    QTest::newRow("rapid rate 0") << "rapidRate"
                                  << "0"
                                  << "BOŞ HAREKET HIZI" << 10000.0;
    QTest::newRow("pierce delay nan") << "pierceDelay"
                                      << "nan"
                                      << "DELME BEKLEMESİ" << 0.5;
    QTest::newRow("sheet x negative") << "sheetX"
                                      << "-3000"
                                      << "SAC X" << 3000.0;
    QTest::newRow("sheet y text") << "sheetY"
                                  << "wide"
                                  << "SAC Y" << 1500.0;
    QTest::newRow("origin x inf") << "sheetOriginX"
                                  << "inf"
                                  << "SIFIR X" << 0.0;
    QTest::newRow("origin y too far") << "sheetOriginY"
                                      << "1e300"
                                      << "SIFIR Y" << 0.0;
    QTest::newRow("kerf too wide") << "kerf"
                                   << "1000"
                                   << "KERF" << 1.5;
  }
  void anInvalidKeptSettingFallsBackWithANote() {
    QFETCH(QString, key);
    QFETCH(QString, kept);
    QFETCH(QString, name);
    QFETCH(double, used);
    QSettings(QStringLiteral("TALVO-ZAVODO"), QStringLiteral("talvo-plot")).setValue(key, kept);
    PlotWindow window(hole_);
    auto* note = window.findChild<QLabel*>("settingsNote");
    QVERIFY(!note->isHidden());
    QVERIFY2(note->text().contains(QStringLiteral("%1: %2 (").arg(name, kept)), qPrintable(note->text()));
    QCOMPARE(window.findChild<QDoubleSpinBox*>(key)->value(), used);
    QVERIFY(!window.findChild<QLabel*>("summary")->text().isEmpty());
  }

  void anInvalidKeptSwitchFallsBackWithANote() {
    QSettings(QStringLiteral("TALVO-ZAVODO"), QStringLiteral("talvo-plot")).setValue("showKerf", "maybe");
    PlotWindow window(hole_);
    QVERIFY(window.findChild<QLabel*>("settingsNote")->text().contains(QStringLiteral("KERF GÖSTER: maybe (")));
    QVERIFY(!window.findChild<QCheckBox*>("showKerf")->isChecked());
  }

  void goodKeptSettingsShowNoNote() {
    PlotWindow window(hole_);
    QVERIFY(window.findChild<QLabel*>("settingsNote")->isHidden());
  }

  // The boxes take no value a later start would ignore: the least each shows is allowed.
  void theBoxesAllowOnlyValidValues_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<double>("least");
    QTest::newRow("rapid rate") << "rapidRate" << 1.0;
    QTest::newRow("pierce delay") << "pierceDelay" << 0.0;
    QTest::newRow("sheet x") << "sheetX" << 1.0;
    QTest::newRow("sheet y") << "sheetY" << 1.0;
    QTest::newRow("origin x") << "sheetOriginX" << 0.0;
    QTest::newRow("kerf") << "kerf" << 0.0;
  }
  void theBoxesAllowOnlyValidValues() {
    QFETCH(QString, key);
    QFETCH(double, least);
    {
      PlotWindow window(hole_);
      auto* box = window.findChild<QDoubleSpinBox*>(key);
      box->setValue(-1);
      QCOMPARE(box->value(), least);
      box->setValue(1e300);
      box->setValue(std::numeric_limits<double>::infinity());
      QVERIFY(std::isfinite(box->value()));
    }
    const PlotSettings kept = PlotSettings::Load();
    QCOMPARE(kept.ignored.size(), 0u);
  }

  void aChangedFileIsDrawnAgain() {
    const QString file = dir_.filePath(QStringLiteral("changing.txt"));
    WriteFile(file, Generated({"inner-circle", "--diameter", "100", "--start", "10"}));
    PlotWindow window(file);
    window.show();
    QCOMPARE(window.Plot().program.extents.maxX, 48.0);
    // As "G KOD" does: the file is written anew with another program.
    QFile::remove(file);
    WriteFile(file, Generated({"outer-rectangle", "--size-x", "120", "--size-y", "60", "--start", "8"}));
    QTRY_VERIFY_WITH_TIMEOUT(window.Plot().program.extents.maxX > 60, 5000);
    QCOMPARE(window.findChild<QListView*>("lines")->model()->rowCount(),
             static_cast<int>(window.Plot().program.lineStarts.size()));
  }

  void aSecondStartBringsTheFirstForward() {
    PlotWindow window(hole_);
    SingleInstance first(hole_);
    QVERIFY(first.Listen());
    QSignalSpy activated(&first, &SingleInstance::Activated);
    connect(&first, &SingleInstance::Activated, &window, [&window] {
      window.Reload();
      window.BringForward();
    });
    QVERIFY(!window.isVisible());
    QProcess second;
    second.start(QStringLiteral(TALVO_PLOT), {hole_});
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitCode(), 0);
    QTRY_COMPARE(activated.count(), 1);
    QVERIFY(window.isVisible());
    // Another file has a window of its own.
    QVERIFY(!SingleInstance(dir_.filePath(QStringLiteral("other.txt"))).NotifyRunning());
  }

 private:
  QTemporaryDir dir_;
  QString hole_;
};

}  // namespace talvo::plot

using talvo::plot::TestPlotWindow;
QTEST_MAIN(TestPlotWindow)
#include "test_plot_window.moc"
