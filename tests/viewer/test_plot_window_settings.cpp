// SPDX-License-Identifier: MIT
// talvo-plot's settings bar on the offscreen platform: the sheet, the kept values and their notes.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <limits>

#include "plot_renderer.h"
#include "plot_settings.h"
#include "plot_texts.h"
#include "plot_widget.h"
#include "plot_window.h"
#include "plot_window_test_support.h"

namespace talvo::plot {

using test_support::Distance;
using test_support::WriteHoleInto;

class TestPlotWindowSettings : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    hole_ = WriteHoleInto(dir_);
  }

  // Each test starts from the settings a new operator has.
  void init() { PlotSettings{}.Save(); }

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

 private:
  QTemporaryDir dir_;
  QString hole_;
};

}  // namespace talvo::plot

using talvo::plot::TestPlotWindowSettings;
QTEST_MAIN(TestPlotWindowSettings)
#include "test_plot_window_settings.moc"
