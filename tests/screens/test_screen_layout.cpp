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

#include "cut_kind.h"
#include "picture_area.h"
#include "screen_builder.h"
#include "screen_tables.h"
#include "screen_test_support.h"
#include "screen_window.h"

Q_DECLARE_METATYPE(talvo::CutKind)

using talvo::CutKind;
using namespace talvo::screens;

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

std::unique_ptr<ScreenWindow> Shown(const QString& name) {
  auto window = std::make_unique<ScreenWindow>(ByName(name));
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
    case ControlKind::PictureButton: return qobject_cast<const PictureArea*>(control) != nullptr;
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

  // Every control of every screen against its row in the description.
  void control_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<int>("index");
    for (const QString& screen : kAllScreens) {
      const auto& controls = ByName(screen).controls;
      for (int i = 0; i < static_cast<int>(controls.size()); ++i) {
        QTest::addRow("%s %s", qPrintable(screen), ToQString(controls[i].name).toLatin1().constData()) << screen << i;
      }
    }
  }
  void control() {
    QFETCH(QString, screen);
    QFETCH(int, index);
    const ControlDescription& c = ByName(screen).controls[index];
    ScreenWindow window(ByName(screen));
    const QWidget* control = window.Control(c.name);
    QVERIFY(control);
    QVERIFY(IsOfKind(control, c.kind));
    const QWidget* parent = c.parent.empty() ? &window : window.Control(c.parent);
    QCOMPARE(control->parentWidget(), parent);
    // Inside a picture area, Left and Top count from the inside of its 2-pixel border.
    const int inset = parent == &window ? 0 : 2;
    QCOMPARE(control->geometry(),
             QRect(c.rect.left / 15 + inset, c.rect.top / 15 + inset, c.rect.width / 15, c.rect.height / 15));
    QCOMPARE(control->toolTip(), ToQString(c.tooltip));
    QCOMPARE(ControlText(control), ToQString(c.text));
  }

  // A few places read off the tables by hand, in window pixels.
  void placed_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("menu exit") << "Form1"
                               << "Command1" << QRect(272, 216, 161, 33);
    QTest::newRow("menu first picture") << "Form1"
                                        << "ICCAP" << QRect(8, 8, 162, 195);
    QTest::newRow("menu last picture") << "Form1"
                                       << "KAREDIS" << QRect(536, 8, 166, 197);
    QTest::newRow("illustration") << "Form4"
                                  << "Picture1" << QRect(8, 8, 697, 361);
    QTest::newRow("field in the illustration") << "Form4"
                                               << "Text2" << QRect(66, 90, 65, 25);
    QTest::newRow("output box") << "Form4"
                                << "Text1" << QRect(712, 8, 257, 361);
    QTest::newRow("G KOD") << "Form11"
                           << "KOD" << QRect(328, 384, 97, 41);
    QTest::newRow("ANA MENÜ") << "Form11"
                              << "ANAMENU" << QRect(448, 384, 137, 41);
    QTest::newRow("Form8 field in the illustration") << "Form8"
                                                     << "Text2" << QRect(66, 106, 81, 25);
    QTest::newRow("Form8 window-level field") << "Form8"
                                              << "Text4" << QRect(320, 72, 57, 25);
    QTest::newRow("Form12 feed field") << "Form12"
                                       << "Text6" << QRect(186, 282, 65, 25);
  }
  void placed() {
    QFETCH(QString, screen);
    QFETCH(QString, control);
    QFETCH(QRect, rect);
    ScreenWindow window(ByName(screen));
    const QWidget* widget = window.findChild<QWidget*>(control);
    QVERIFY(widget);
    QCOMPARE(InWindow(widget, &window), rect);
  }

  void tooltip_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("two spaces, Form8") << "Form8"
                                       << "Text2"
                                       << "DÖRT KÖŞENİN  ENİ";
    QTest::newRow("one space, Form8") << "Form8"
                                      << "Text3"
                                      << "DÖRT KÖŞENİN BOYU";
    QTest::newRow("two spaces, Form12") << "Form12"
                                        << "Text2"
                                        << "DÖRTGENİN  BOYU";
    QTest::newRow("no tooltip on Form12's feed") << "Form12"
                                                 << "Text6"
                                                 << "";
    QTest::newRow("feed, Form4") << "Form4"
                                 << "Text5"
                                 << "İLERLEME";
  }
  void tooltip() {
    QFETCH(QString, screen);
    QFETCH(QString, control);
    QFETCH(QString, tooltip);
    ScreenWindow window(ByName(screen));
    QCOMPARE(window.findChild<QWidget*>(control)->toolTip(), tooltip);
  }

  // What a field feeds and its initial text agree with what the core reads for the kind.
  void feeds_data() {
    QTest::addColumn<CutKind>("kind");
    QTest::newRow("inner circle") << CutKind::InnerCircle;
    QTest::newRow("outer circle") << CutKind::OuterCircle;
    QTest::newRow("inner rectangle") << CutKind::InnerRectangle;
    QTest::newRow("outer rectangle") << CutKind::OuterRectangle;
  }
  void feeds() {
    QFETCH(CutKind, kind);
    std::map<std::string_view, talvo::CutValue> onScreen;
    for (const ControlDescription& c : CutScreenDescription(kind).controls) {
      if (!c.feeds) continue;
      QCOMPARE(c.kind, ControlKind::InputField);
      QCOMPARE(c.text, talvo::InitialFieldText(*c.feeds));
      onScreen.emplace(c.name, *c.feeds);
    }
    std::map<std::string_view, talvo::CutValue> read;
    for (const talvo::FieldSource& f : talvo::Describe(kind).fields) read.emplace(f.control, f.value);
    QVERIFY(onScreen == read);
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
      ScreenWindow window(ByName(screen));
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
