// SPDX-License-Identifier: MIT
// The screen switch: one screen between clicks, closed screens destroyed, reopened screens
// built afresh, and when the program ends.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "disk_files.h"
#include "screen_switch.h"
#include "screen_test_support.h"

using talvo::qt::QtScreenWindow;
using talvo::qt::ScreenSwitch;
using talvo::test_support::ExistingScreens;
using talvo::test_support::RecordingStarter;
using talvo::test_support::TypeInto;

namespace {

/// The one screen that exists, or null when there is none or more than one.
QtScreenWindow* OnlyScreen() {
  const auto screens = ExistingScreens();
  return screens.size() == 1 ? screens.front() : nullptr;
}

void Click(QWidget* window, const char* control) {
  QWidget* widget = window->findChild<QWidget*>(control);
  QVERIFY2(widget, control);
  QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

/// Runs the application's event loop: the steps run one after another from it, and a guard
/// stops the loop with 7 if nothing else has ended it by then. Returns the loop's exit code.
int RunLoop(const std::vector<std::function<void()>>& steps) {
  int delay = 0;
  for (const auto& step : steps) QTimer::singleShot(delay += 50, qApp, step);
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
  guard.start(delay + 1000);
  return QApplication::exec();
}

}  // namespace

class ScreenSwitchTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(root_.isValid());
    switch_ =
        std::make_unique<ScreenSwitch>(talvo::screens::RunServices{root_.path().toStdString(), &files_, &starter_});
  }
  void cleanup() {
    switch_.reset();
    for (QtScreenWindow* screen : ExistingScreens()) delete screen;
    QVERIFY(starter_.started.empty());
  }

  void startOpensTheMenu() {
    switch_->Start();
    QtScreenWindow* menu = OnlyScreen();
    QVERIFY(menu);
    QCOMPARE(menu->objectName(), QString("Form1"));
    QCOMPARE(switch_->Current(), menu);
    QVERIFY(menu->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(menu));
    QCOMPARE(QApplication::focusWidget(), menu->Control("Command1"));
  }

  void pictureOpensItsScreen_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("focus");
    QTest::newRow("ICCAP") << "ICCAP"
                           << "Form4"
                           << "İÇ ÇAP KESİMİ"
                           << "Text1";
    QTest::newRow("DISCAP") << "DISCAP"
                            << "Form11"
                            << "DIŞ ÇAP KESİMİ"
                            << "KOD";
    QTest::newRow("DORTGENHAVZ") << "DORTGENHAVZ"
                                 << "Form8"
                                 << "İÇ DÖRT KÖŞE KESİMİ"
                                 << "Text1";
    QTest::newRow("KAREDIS") << "KAREDIS"
                             << "Form12"
                             << "DIŞ DÖRT KÖŞE KESİMİ"
                             << "ANAMENU";
  }
  void pictureOpensItsScreen() {
    QFETCH(QString, picture);
    QFETCH(QString, screen);
    QFETCH(QString, caption);
    QFETCH(QString, focus);
    switch_->Start();
    QPointer<QtScreenWindow> menu = OnlyScreen();
    Click(menu, qPrintable(picture));
    QtScreenWindow* opened = OnlyScreen();
    QVERIFY(opened);
    QVERIFY(menu.isNull());
    QCOMPARE(opened->objectName(), screen);
    QCOMPARE(opened->windowTitle(), caption);
    QCOMPARE(switch_->Current(), opened);
    QVERIFY(QTest::qWaitForWindowActive(opened));
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
  }

  void anaMenuReturnsToTheMenu_data() { pictureOpensItsScreen_data(); }
  void anaMenuReturnsToTheMenu() {
    QFETCH(QString, picture);
    switch_->Start();
    Click(OnlyScreen(), qPrintable(picture));
    QPointer<QtScreenWindow> cut = OnlyScreen();
    Click(cut, "ANAMENU");
    QtScreenWindow* menu = OnlyScreen();
    QVERIFY(menu);
    QVERIFY(cut.isNull());
    QCOMPARE(menu->objectName(), QString("Form1"));
    QVERIFY(QTest::qWaitForWindowActive(menu));
    QCOMPARE(QApplication::focusWidget(), menu->Control("Command1"));
    const QPointF offset =
        QRectF(menu->frameGeometry()).center() - QRectF(menu->screen()->availableGeometry()).center();
    QVERIFY(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1);
  }

  // What was typed on a screen is gone when it opens again.
  void reopenedScreenStartsAfresh_data() { pictureOpensItsScreen_data(); }
  void reopenedScreenStartsAfresh() {
    QFETCH(QString, picture);
    switch_->Start();
    Click(OnlyScreen(), qPrintable(picture));
    QtScreenWindow* first = OnlyScreen();
    QStringList initial;
    for (QLineEdit* field : first->findChildren<QLineEdit*>()) {
      initial << field->objectName() + "=" + field->text();
      TypeInto(field, "99");
    }
    TypeInto(first->Control("Text1"), "notes");
    QCOMPARE(initial.size(), first->Description().kind == talvo::CutKind::InnerCircle ||
                                     first->Description().kind == talvo::CutKind::OuterCircle
                                 ? 4
                                 : 5);
    Click(first, "ANAMENU");
    Click(OnlyScreen(), qPrintable(picture));

    QtScreenWindow* again = OnlyScreen();
    QVERIFY(again);
    QStringList texts;
    for (QLineEdit* field : again->findChildren<QLineEdit*>()) texts << field->objectName() + "=" + field->text();
    QCOMPARE(texts, initial);
    QVERIFY(texts.filter(QRegularExpression("=(4|300)$")).size() == 2);
    QCOMPARE(again->Control<QPlainTextEdit>("Text1")->toPlainText(), QString());
  }

  // "G KOD" is carried out by the switch, as the flow decides: one run on the open cut screen.
  void kodRunsOnTheOpenCutScreen() {
    switch_->Start();
    Click(OnlyScreen(), "ICCAP");
    QtScreenWindow* cut = OnlyScreen();
    QVERIFY(cut);
    TypeInto(cut->Control("Text2"), "100");
    TypeInto(cut->Control("Text3"), "10");
    Click(cut, "KOD");
    QCOMPARE(OnlyScreen(), cut);
    QCOMPARE(cut->Control<QPlainTextEdit>("Text1")->toPlainText(),
             QString("G0X0Y0\nG0Y-38\nG1Y-48F300\nG2J48F300\nM30\n%\n"));
    QCOMPARE(starter_.started.size(), std::size_t{1});
    QCOMPARE(starter_.started[0].programFile, std::filesystem::path(root_.path().toStdString()) / "ALANTEMIZLEME.TXT");
    starter_.started.clear();
  }

  // A picture button takes the focus by Tab, but no key does anything on it.
  void keysDoNothingOnAPictureButton_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("key");
    for (const char* picture : {"ICCAP", "DISCAP", "DORTGENHAVZ", "KAREDIS"}) {
      QTest::addRow("%s space", picture) << picture << int(Qt::Key_Space);
      QTest::addRow("%s return", picture) << picture << int(Qt::Key_Return);
      QTest::addRow("%s enter", picture) << picture << int(Qt::Key_Enter);
    }
  }
  void keysDoNothingOnAPictureButton() {
    QFETCH(QString, picture);
    QFETCH(int, key);
    switch_->Start();
    QtScreenWindow* menu = OnlyScreen();
    QVERIFY(QTest::qWaitForWindowActive(menu));
    QWidget* button = menu->findChild<QWidget*>(picture);
    for (int tabs = 0; tabs < 5 && QApplication::focusWidget() != button; ++tabs) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), button);
    QTest::keyClick(button, static_cast<Qt::Key>(key));
    QCOMPARE(OnlyScreen(), menu);
    QCOMPARE(QApplication::focusWidget(), button);
  }

  void clickOnTheMenuBackgroundDoesNothing() {
    switch_->Start();
    QtScreenWindow* menu = OnlyScreen();
    QTest::mouseClick(menu, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseClick(menu, Qt::LeftButton, {}, QPoint(100, 230));
    QCOMPARE(OnlyScreen(), menu);
  }

  // With the event loop running: the moment between close and open inside a handler does not
  // end the program.
  void switchingKeepsTheProgramRunning() {
    switch_->Start();
    const int code = RunLoop({
        [] { Click(OnlyScreen(), "ICCAP"); },
        [] { Click(OnlyScreen(), "ANAMENU"); },
        [] { Click(OnlyScreen(), "KAREDIS"); },
        [] { Click(OnlyScreen(), "ANAMENU"); },
        [] { Click(OnlyScreen(), "DISCAP"); },
    });
    QCOMPARE(code, 7);
    QVERIFY(OnlyScreen());
    QCOMPARE(OnlyScreen()->objectName(), QString("Form11"));
  }

  // Closing the open window through the window system ends the program, from a cut screen too.
  void closingTheWindowEndsTheProgram_data() {
    QTest::addColumn<QString>("picture");  // empty: the menu itself
    QTest::newRow("Form1") << "";
    QTest::newRow("Form4") << "ICCAP";
    QTest::newRow("Form11") << "DISCAP";
    QTest::newRow("Form8") << "DORTGENHAVZ";
    QTest::newRow("Form12") << "KAREDIS";
  }
  void closingTheWindowEndsTheProgram() {
    QFETCH(QString, picture);
    switch_->Start();
    // Every click comes from the running loop, as in the program.
    std::vector<std::function<void()>> steps;
    if (!picture.isEmpty()) steps.emplace_back([picture] { Click(OnlyScreen(), qPrintable(picture)); });
    steps.emplace_back([picture] {
      QtScreenWindow* open = OnlyScreen();
      QVERIFY(open);
      QCOMPARE(open->objectName() == "Form1", picture.isEmpty());
      open->windowHandle()->close();
    });
    const int code = RunLoop(steps);
    QCOMPARE(code, 0);
    QVERIFY(ExistingScreens().empty());
  }

  void exitEndsTheProgram_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("click") << false;
    QTest::newRow("space on the focused button") << true;
  }
  void exitEndsTheProgram() {
    QFETCH(bool, byKey);
    switch_->Start();
    QtScreenWindow* menu = OnlyScreen();
    QVERIFY(QTest::qWaitForWindowActive(menu));
    const int code = RunLoop({[byKey] {
      QWidget* exit = OnlyScreen()->Control("Command1");
      if (byKey) {
        QTest::keyClick(exit, Qt::Key_Space);
      } else {
        QTest::mouseClick(exit, Qt::LeftButton);
      }
    }});
    QCOMPARE(code, 0);
    QVERIFY(ExistingScreens().empty());
  }

 private:
  QTemporaryDir root_;
  talvo::DiskFiles files_;
  RecordingStarter starter_;
  std::unique_ptr<ScreenSwitch> switch_;
};

QTEST_MAIN(ScreenSwitchTest)
#include "test_screen_switch.moc"
