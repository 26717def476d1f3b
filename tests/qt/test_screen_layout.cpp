// SPDX-License-Identifier: MIT
// The five screens as built: windows, controls, keyboard order, Form8's overlaid fields,
// enlarging, and the pictures drawn unscaled.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <map>
#include <memory>

#include "qt_picture_area.h"
#include "qt_screen_window.h"
#include "screen_builder.h"
#include "screen_tables.h"
#include "screen_test_support.h"

Q_DECLARE_METATYPE(talvo::screens::ControlKind)

using talvo::CutKind;
using namespace talvo::screens;
using talvo::qt::PresentCentred;
using talvo::qt::QtPictureArea;
using talvo::qt::QtScreenWindow;
using talvo::qt::ToQString;

namespace {

const WindowDescription& ByName(const QString& name) {
  static const std::map<QString, const WindowDescription*> screens = {
      {"Form1", &MenuDescription()},
      {"Form4", &CutScreenDescription(CutKind::InnerCircle)},
      {"Form11", &CutScreenDescription(CutKind::OuterCircle)},
      {"Form8", &CutScreenDescription(CutKind::InnerRectangle)},
      {"Form12", &CutScreenDescription(CutKind::OuterRectangle)},
  };
  return *screens.at(name);
}

const QStringList kAllScreens = {"Form1", "Form4", "Form11", "Form8", "Form12"};

std::unique_ptr<QtScreenWindow> Shown(const QString& name) {
  auto window = std::make_unique<QtScreenWindow>(ByName(name));
  PresentCentred(*window);
  if (!QTest::qWaitForWindowActive(window.get())) return nullptr;
  return window;
}

QString ControlText(const QWidget* control) {
  if (auto* field = qobject_cast<const QLineEdit*>(control)) return field->text();
  if (auto* box = qobject_cast<const QPlainTextEdit*>(control)) return box->toPlainText();
  if (auto* button = qobject_cast<const QPushButton*>(control)) return button->text();
  return {};
}

bool IsOfKind(const QWidget* control, ControlKind kind) {
  switch (kind) {
    case ControlKind::IllustrationArea:
    case ControlKind::PictureButton: return qobject_cast<const QtPictureArea*>(control) != nullptr;
    case ControlKind::InputField: return qobject_cast<const QLineEdit*>(control) != nullptr;
    case ControlKind::OutputBox: return qobject_cast<const QPlainTextEdit*>(control) != nullptr;
    case ControlKind::Button: return qobject_cast<const QPushButton*>(control) != nullptr;
  }
  return false;
}

/// A control's rectangle in the window's client coordinates.
QRect InWindow(const QWidget* control, const QWidget* window) {
  return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
}

}  // namespace

class ScreenLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  // clang-format off: each data row of the tables stays on one line
  void window_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QColor>("back");
    QTest::addColumn<bool>("resizable");
    QTest::newRow("Form1") << "Form1"
                           << "TALVO-ZAVODO V1.0" << QSize(709, 258) << QColor(0xC0, 0xFF, 0xFF) << false;
    QTest::newRow("Form4") << "Form4"
                           << "İÇ ÇAP KESİMİ" << QSize(986, 441) << QColor(0xFF, 0xFF, 0x80) << true;
    QTest::newRow("Form11") << "Form11"
                            << "DIŞ ÇAP KESİMİ" << QSize(986, 441) << QColor(0xFF, 0xFF, 0x80) << false;
    QTest::newRow("Form8") << "Form8"
                           << "İÇ DÖRT KÖŞE KESİMİ" << QSize(985, 441) << QColor(0xFF, 0xFF, 0x80) << true;
    QTest::newRow("Form12") << "Form12"
                            << "DIŞ DÖRT KÖŞE KESİMİ" << QSize(986, 441) << QColor(0xFF, 0xFF, 0x80) << true;
  }
  void window() {
    QFETCH(QString, screen);
    QFETCH(QString, caption);
    QFETCH(QSize, client);
    QFETCH(QColor, back);
    QFETCH(bool, resizable);
    const auto window = Shown(screen);
    QVERIFY(window);
    QCOMPARE(window->objectName(), screen);
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->size(), client);
    QCOMPARE(window->grab().toImage().pixelColor(client.width() - 1, client.height() - 1), back);
    QCOMPARE(window->minimumSize() == window->maximumSize(), !resizable);
    const QRect available = window->screen()->availableGeometry();
    const QPointF offset = QRectF(window->frameGeometry()).center() - QRectF(available).center();
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1, "not centred on the screen");
  }

  // Every control of every screen as read off the screens by hand: its kind, the control it lies
  // in, its place in window pixels, its initial text and its tooltip. Form8's start distance,
  // flame and feed lie in the window itself; two tooltips hold two spaces.
  void control_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("control");
    QTest::addColumn<ControlKind>("kind");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tooltip");
    using enum ControlKind;
    const auto Row = [](const char* screen, const char* control, ControlKind kind, const char* parent, QRect rect,
                        const char* text, const char* tooltip) {
      QTest::addRow("%s %s", screen, control) << QString(screen) << QString(control) << kind << QString(parent) << rect
                                              << QString(text) << QString(tooltip);
    };
    Row("Form1", "ICCAP", PictureButton, "", QRect(8, 8, 162, 195), "", "");
    Row("Form1", "DISCAP", PictureButton, "", QRect(184, 8, 165, 196), "", "");
    Row("Form1", "DORTGENHAVZ", PictureButton, "", QRect(360, 8, 165, 195), "", "");
    Row("Form1", "KAREDIS", PictureButton, "", QRect(536, 8, 166, 197), "", "");
    Row("Form1", "Command1", Button, "", QRect(272, 216, 161, 33), "ÇIKIŞ", "");
    Row("Form4", "Picture1", IllustrationArea, "", QRect(8, 8, 697, 361), "", "");
    Row("Form4", "Text2", InputField, "Picture1", QRect(66, 90, 65, 25), "", "DELİK ÇAPI");
    Row("Form4", "Text3", InputField, "Picture1", QRect(322, 130, 65, 25), "", "BAŞLAMA MESAFESİ");
    Row("Form4", "Text4", InputField, "Picture1", QRect(498, 250, 65, 27), "4", "ALEV ÇAPI");
    Row("Form4", "Text5", InputField, "Picture1", QRect(186, 282, 57, 25), "300", "İLERLEME");
    Row("Form4", "KOD", Button, "", QRect(328, 384, 97, 41), "G KOD", "");
    Row("Form4", "ANAMENU", Button, "", QRect(448, 384, 137, 41), "ANA MENÜ", "");
    Row("Form4", "Text1", OutputBox, "", QRect(712, 8, 257, 361), "", "");
    Row("Form11", "Picture1", IllustrationArea, "", QRect(8, 8, 697, 361), "", "");
    Row("Form11", "Text2", InputField, "Picture1", QRect(74, 82, 81, 25), "", "DAİRE ÇAPI");
    Row("Form11", "Text3", InputField, "Picture1", QRect(314, 82, 65, 27), "", "BAŞLAMA MESAFESİ");
    Row("Form11", "Text4", InputField, "Picture1", QRect(506, 250, 57, 25), "4", "ALEV ÇAPI");
    Row("Form11", "Text5", InputField, "Picture1", QRect(186, 282, 57, 25), "300", "İLERLEME");
    Row("Form11", "KOD", Button, "", QRect(328, 384, 97, 41), "G KOD", "");
    Row("Form11", "ANAMENU", Button, "", QRect(448, 384, 137, 41), "ANA MENÜ", "");
    Row("Form11", "Text1", OutputBox, "", QRect(720, 8, 257, 361), "", "");
    Row("Form8", "Picture2", IllustrationArea, "", QRect(8, 8, 697, 361), "", "");
    Row("Form8", "Text2", InputField, "Picture2", QRect(66, 106, 81, 25), "", "DÖRT KÖŞENİN  ENİ");
    Row("Form8", "Text3", InputField, "Picture2", QRect(202, 34, 65, 25), "", "DÖRT KÖŞENİN BOYU");
    Row("Form8", "Text4", InputField, "", QRect(320, 72, 57, 25), "", "BAŞLAMA MESAFESİ");
    Row("Form8", "Text5", InputField, "", QRect(496, 256, 65, 25), "4", "ALEV ÇAPI");
    Row("Form8", "Text6", InputField, "", QRect(184, 280, 57, 25), "300", "İLERLEME");
    Row("Form8", "KOD", Button, "", QRect(328, 384, 97, 41), "G KOD", "");
    Row("Form8", "ANAMENU", Button, "", QRect(448, 384, 137, 41), "ANA MENÜ", "");
    Row("Form8", "Text1", OutputBox, "", QRect(720, 8, 257, 361), "", "");
    Row("Form12", "Picture2", IllustrationArea, "", QRect(8, 8, 697, 361), "", "");
    Row("Form12", "Text2", InputField, "Picture2", QRect(82, 90, 65, 25), "", "DÖRTGENİN  BOYU");
    Row("Form12", "Text3", InputField, "Picture2", QRect(202, 26, 65, 25), "", "KABA BOY");
    Row("Form12", "Text4", InputField, "Picture2", QRect(322, 82, 49, 25), "", "BAŞLAMA MESAFESİ");
    Row("Form12", "Text5", InputField, "Picture2", QRect(498, 250, 65, 25), "4", "ALEV ÇAPI");
    Row("Form12", "Text6", InputField, "Picture2", QRect(186, 282, 65, 25), "300", "");
    Row("Form12", "KOD", Button, "", QRect(328, 384, 97, 41), "G KOD", "");
    Row("Form12", "ANAMENU", Button, "", QRect(448, 384, 137, 41), "ANA MENÜ", "");
    Row("Form12", "Text1", OutputBox, "", QRect(720, 8, 257, 361), "", "");
  }
  void control() {
    QFETCH(QString, screen);
    QFETCH(QString, control);
    QFETCH(ControlKind, kind);
    QFETCH(QString, parent);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    QFETCH(QString, tooltip);
    QtScreenWindow window(ByName(screen));
    const QWidget* widget = window.findChild<QWidget*>(control);
    QVERIFY(widget);
    QVERIFY(IsOfKind(widget, kind));
    QCOMPARE(widget->parentWidget(), parent.isEmpty() ? &window : window.findChild<QWidget*>(parent));
    QCOMPARE(InWindow(widget, &window), rect);
    QCOMPARE(ControlText(widget), text);
    QCOMPARE(widget->toolTip(), tooltip);
  }

  // Tab visits every control by its tab index, the illustration area included, and wraps.
  void tabOrder_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("Form1") << "Form1" << QStringList{"Command1", "ICCAP", "DISCAP", "DORTGENHAVZ", "KAREDIS"};
    QTest::newRow("Form4") << "Form4"
                           << QStringList{"Text1", "KOD", "ANAMENU", "Picture1", "Text4", "Text2", "Text3", "Text5"};
    QTest::newRow("Form11") << "Form11"
                            << QStringList{"KOD", "ANAMENU", "Text1", "Picture1", "Text5", "Text2", "Text4", "Text3"};
    QTest::newRow("Form8") << "Form8" << QStringList{"Text1", "KOD",   "ANAMENU", "Picture2", "Text2",
                                                     "Text3", "Text4", "Text6",   "Text5"};
    QTest::newRow("Form12") << "Form12" << QStringList{"ANAMENU", "KOD",   "Text1", "Picture2", "Text2",
                                                       "Text4",   "Text6", "Text3", "Text5"};
  }
  void tabOrder() {
    QFETCH(QString, screen);
    QFETCH(QStringList, order);
    const auto window = Shown(screen);
    QVERIFY(window);
    QStringList visited;
    for (int i = 0; i <= order.size(); ++i) {
      QWidget* focused = QApplication::focusWidget();
      QVERIFY(focused);
      visited << focused->objectName();
      QTest::keyClick(focused, Qt::Key_Tab);
    }
    QCOMPARE(visited, order + QStringList{order.front()});
  }

  // Form8's window-level fields lie above the illustration and take clicks and typing.
  void overlaidFields_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("start distance") << "Text4";
    QTest::newRow("flame") << "Text5";
    QTest::newRow("feed") << "Text6";
  }
  void overlaidFields() {
    QFETCH(QString, control);
    const auto window = Shown("Form8");
    QVERIFY(window);
    auto* field = window->findChild<QLineEdit*>(control);
    const QRect rect = InWindow(field, window.get());
    QVERIFY(window->Control("Picture2")->geometry().contains(rect));
    QCOMPARE(window->childAt(rect.center()), field);
    QTest::mouseClick(window->childAt(rect.center()), Qt::LeftButton, {}, field->mapFrom(window.get(), rect.center()));
    QCOMPARE(QApplication::focusWidget(), field);
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClicks(field, "7");
    QVERIFY(field->text().endsWith('7'));
  }

  void enlarging_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<bool>("resizable");
    QTest::newRow("Form4") << "Form4" << true;
    QTest::newRow("Form11") << "Form11" << false;
    QTest::newRow("Form8") << "Form8" << true;
    QTest::newRow("Form12") << "Form12" << true;
  }
  void enlarging() {
    QFETCH(QString, screen);
    QFETCH(bool, resizable);
    const auto window = Shown(screen);
    QVERIFY(window);
    const QSize before = window->size();
    std::map<QString, QRect> placed;
    for (const ControlDescription& c : window->Description().controls) {
      placed[ToQString(c.name)] = InWindow(window->Control(c.name), window.get());
    }
    window->resize(before + QSize(300, 200));
    QCoreApplication::processEvents();
    QCOMPARE(window->size(), resizable ? before + QSize(300, 200) : before);
    for (const auto& [name, rect] : placed) QCOMPARE(InWindow(window->findChild<QWidget*>(name), window.get()), rect);
    // The uncovered area shows the window's back colour.
    const QImage shot = window->grab().toImage();
    QCOMPARE(shot.pixelColor(shot.width() - 2, shot.height() - 2), QColor(0xFF, 0xFF, 0x80));
  }

  // Each bitmap is drawn unscaled at the inside top-left of its picture area.
  void pictures_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("picture");
    QTest::newRow("ICCAP") << "Form1"
                           << "ICCAP"
                           << ":/pictures/ICCAP.png";
    QTest::newRow("DISCAP") << "Form1"
                            << "DISCAP"
                            << ":/pictures/DISCAP.png";
    QTest::newRow("DORTGENHAVZ") << "Form1"
                                 << "DORTGENHAVZ"
                                 << ":/pictures/DORTGENHAVZ.png";
    QTest::newRow("KAREDIS") << "Form1"
                             << "KAREDIS"
                             << ":/pictures/KAREDIS.png";
    QTest::newRow("Form4") << "Form4"
                           << "Picture1"
                           << ":/pictures/Form4.png";
    QTest::newRow("Form11") << "Form11"
                            << "Picture1"
                            << ":/pictures/Form11.png";
    QTest::newRow("Form8") << "Form8"
                           << "Picture2"
                           << ":/pictures/Form8.png";
    QTest::newRow("Form12") << "Form12"
                            << "Picture2"
                            << ":/pictures/Form12.png";
  }
  void pictures() {
    QFETCH(QString, screen);
    QFETCH(QString, area);
    QFETCH(QString, picture);
    const QImage bitmap(picture);
    QVERIFY2(!bitmap.isNull(), qPrintable(picture + " is not among the program's pictures"));
    const auto window = Shown(screen);
    QVERIFY(window);
    const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    SaveScreenshot(screen, shot);
    const QWidget* widget = window->findChild<QWidget*>(area);
    const QPoint origin = widget->mapTo(window.get(), QPoint(2, 2));
    // Sample a grid that skips the fields lying over the bitmap.
    int compared = 0;
    for (int y = 0; y < bitmap.height(); y += 3) {
      for (int x = 0; x < bitmap.width(); x += 3) {
        const QPoint at = origin + QPoint(x, y);
        if (window->childAt(at) != widget) continue;
        QCOMPARE(shot.pixelColor(at), bitmap.pixelColor(x, y));
        ++compared;
      }
    }
    QVERIFY(compared > bitmap.width() * bitmap.height() / 18);
  }

  void windowIcon() {
    QVERIFY2(QFile::exists(":/pictures/icon.png"), "the program icon is not among the program's pictures");
    for (const QString& screen : kAllScreens) {
      QtScreenWindow window(ByName(screen));
      QCOMPARE(window.windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_RGB32),
               QImage(":/pictures/icon.png").convertToFormat(QImage::Format_RGB32));
    }
  }

  // The exit button's face is filled with light red.
  void exitFace() {
    const auto window = Shown("Form1");
    QVERIFY(window);
    QWidget* exit = window->Control("Command1");
    const QImage face = exit->grab().toImage();
    QCOMPARE(face.pixelColor(6, face.height() / 2), QColor(0xFF, 0x80, 0x80));
    QCOMPARE(face.pixelColor(face.width() - 7, face.height() / 2), QColor(0xFF, 0x80, 0x80));
  }

  // clang-format on
 private:
  static void SaveScreenshot(const QString& screen, const QImage& shot) {
    // Set TALVO_SCREENSHOTS to a folder to look at the screens as they are drawn here.
    const QString folder = qEnvironmentVariable("TALVO_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    shot.save(QDir(folder).filePath(screen + ".png"));
  }
};

QTEST_MAIN(ScreenLayoutTest)
#include "test_screen_layout.moc"
