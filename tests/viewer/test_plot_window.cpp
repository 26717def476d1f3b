// SPDX-License-Identifier: MIT
// talvo-plot's window on the offscreen platform: selecting, playing, measuring, following the file.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QProcess>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include "plot_messages.h"
#include "plot_renderer.h"
#include "plot_settings.h"
#include "plot_widget.h"
#include "plot_window.h"
#include "plot_window_test_support.h"
#include "single_instance.h"

namespace talvo::plot {

using test_support::Generated;
using test_support::NearColour;
using test_support::WriteFile;
using test_support::WriteHoleInto;

class TestPlotWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    hole_ = WriteHoleInto(dir_);
  }

  // Each test starts from the settings a new operator has.
  void init() { PlotSettings{}.Save(); }

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
