// SPDX-License-Identifier: MIT
// "G KOD" on each cut screen: fields typed by key presses, the output box and both files;
// the refusal, a failed file step and a viewer that does not start.
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "disk_files.h"
#include "launcher_bytes.h"
#include "lone_cut_screen.h"
#include "root_folder.h"
#include "screen_builder.h"
#include "screen_test_support.h"
#include "temp_root.h"

Q_DECLARE_METATYPE(talvo::CutKind)

using talvo::CutKind;
using talvo::test_support::LoneCutScreen;
using talvo::test_support::MessageBoxAnswerer;
using talvo::test_support::ReadBytes;
using talvo::test_support::RecordingStarter;
using talvo::test_support::TypeInto;
using namespace talvo::screens;
using talvo::qt::PresentCentred;

namespace {

using Typed = QList<QPair<QString, QString>>;  // control, text

/// Fails every write, as a full or locked disk would.
class FailingFiles final : public talvo::RunFiles {
 public:
  std::optional<std::string> WriteNew(const std::filesystem::path&, std::string_view) override { return "disk full"; }
  std::optional<std::string> Read(const std::filesystem::path&, std::string&) override { return "unreadable"; }
  std::optional<std::string> Remove(const std::filesystem::path&) override { return std::nullopt; }
  std::optional<std::string> Rename(const std::filesystem::path&, const std::filesystem::path&) override {
    return "disk full";
  }
  std::optional<std::string> KeepCopy(const std::filesystem::path&, const std::filesystem::path&) override {
    return "disk full";
  }
  std::optional<std::string> Names(const std::filesystem::path&, std::vector<std::string>&) override {
    return "unreadable";
  }
  std::optional<std::string> Lock(const std::filesystem::path&, std::unique_ptr<talvo::RunLock>&) override {
    return "disk full";
  }
  talvo::NameKind Kind(const std::filesystem::path&) override { return talvo::NameKind::Absent; }
};

}  // namespace

class CutScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    root_ = std::make_unique<QTemporaryDir>();
    QVERIFY(root_->isValid());
    qputenv("TALVO_ROOT", root_->path().toUtf8());
    starter_ = RecordingStarter();
  }
  void cleanup() { qunsetenv("TALVO_ROOT"); }

  void generationRun_data() {
    QTest::addColumn<CutKind>("kind");
    QTest::addColumn<Typed>("typed");
    QTest::addColumn<QString>("program");
    QTest::newRow("Form4") << CutKind::InnerCircle << Typed{{"Text2", "100"}, {"Text3", "10"}}
                           << "G0X0Y0\nG0Y-38\nG1Y-48F300\nG2J48F300\nM30\n%\n";
    QTest::newRow("Form11") << CutKind::OuterCircle
                            << Typed{{"Text2", "80"}, {"Text3", "5"}, {"Text4", "2"}, {"Text5", "250"}}
                            << "G0X0Y0\nG0Y-46\nG1Y-41F250\nG2J41F250\nM30\n%\n";
    QTest::newRow("Form8") << CutKind::InnerRectangle
                           << Typed{{"Text3", "120"}, {"Text2", "60"}, {"Text4", "8"}, {"Text5", "3"}, {"Text6", "400"}}
                           << "G0X60Y8\nG1Y1.5F400\nG1X118.5\nG1Y58.5\nG1X1.5\nG1Y1.5\nG1X60\nM30\n%\n";
    QTest::newRow("Form12") << CutKind::OuterRectangle
                            << Typed{{"Text3", "200"}, {"Text2", "100"}, {"Text4", "6"}, {"Text6", "500"}}
                            << "G0X100Y-6\nG1Y-2F500\nG1X202\nG1Y102\nG1X-2\nG1Y-2\nG1X100\nM30\n%\n";
  }
  void generationRun() {
    QFETCH(CutKind, kind);
    QFETCH(Typed, typed);
    QFETCH(QString, program);
    LoneCutScreen screen(kind, Services());
    PresentCentred(screen);
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    auto* box = screen.Control<QPlainTextEdit>("Text1");
    TypeInto(box, "typed into the box");
    for (const auto& [control, text] : typed) TypeInto(screen.findChild<QLineEdit*>(control), text);

    MessageBoxAnswerer answerer;
    QTest::mouseClick(screen.Control("KOD"), Qt::LeftButton);

    QVERIFY(!answerer.seen.shown);
    QCOMPARE(box->toPlainText(), program);
    const std::filesystem::path root = talvo::platform::RootFolder();
    QCOMPARE(root, std::filesystem::path(root_->path().toStdString()));
    QString crlf = program;
    crlf.replace("\n", "\r\n");
    QCOMPARE(QString::fromStdString(ReadBytes(root / "ALANTEMIZLEME.TXT")), crlf + "\r\n");
    QCOMPARE(QString::fromStdString(ReadBytes(root / "A.BAT")), QString(talvo::test_support::kLauncherBytes));
    QCOMPARE(starter_.started.size(), std::size_t{1});
    QCOMPARE(starter_.started[0].programFile, root / "ALANTEMIZLEME.TXT");

    // A second press repeats the whole run: the box shows only the newest program.
    QTest::mouseClick(screen.Control("KOD"), Qt::LeftButton);
    QCOMPARE(box->toPlainText(), program);
    QCOMPARE(starter_.started.size(), std::size_t{2});
  }

  void refusal_data() {
    QTest::addColumn<CutKind>("kind");
    QTest::addColumn<Typed>("typed");
    QTest::newRow("Form4, no diameter") << CutKind::InnerCircle << Typed{{"Text3", "10"}};
    QTest::newRow("Form11, diameter 0") << CutKind::OuterCircle << Typed{{"Text2", "0"}, {"Text3", "10"}};
    QTest::newRow("Form8, flame 0") << CutKind::InnerRectangle
                                    << Typed{{"Text2", "50"}, {"Text3", "80"}, {"Text5", "0"}};
    QTest::newRow("Form12, flame empty") << CutKind::OuterRectangle
                                         << Typed{{"Text2", "50"}, {"Text3", "80"}, {"Text5", ""}};
  }
  void refusal() {
    QFETCH(CutKind, kind);
    QFETCH(Typed, typed);
    LoneCutScreen screen(kind, Services());
    PresentCentred(screen);
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    auto* box = screen.Control<QPlainTextEdit>("Text1");
    TypeInto(box, "left");
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, "as typed");
    for (const auto& [control, text] : typed) TypeInto(screen.findChild<QLineEdit*>(control), text);

    MessageBoxAnswerer answerer;
    QTest::mouseClick(screen.Control("KOD"), Qt::LeftButton);

    QVERIFY(answerer.seen.shown);
    QCOMPARE(answerer.seen.text, QString("DAİRENİN ÇAPI 0 OLAMAZ"));
    QCOMPARE(answerer.seen.title, QString("TALVO-ZAVODO V1.0"));
    QCOMPARE(answerer.seen.buttonCount, 1);
    QVERIFY(answerer.seen.okButton);
    QCOMPARE(box->toPlainText(), QString("left\nas typed"));
    QVERIFY(QDir(root_->path()).isEmpty());
    QVERIFY(starter_.started.empty());
  }

  // A failed file step is reported in the same box; nothing is started.
  void fileFailure() {
    FailingFiles files;
    LoneCutScreen screen(CutKind::InnerCircle, {talvo::platform::RootFolder(), &files, &starter_});
    TypeInto(screen.Control("Text2"), "100");
    MessageBoxAnswerer answerer;
    QTest::mouseClick(screen.Control("KOD"), Qt::LeftButton);
    QVERIFY(answerer.seen.shown);
    QVERIFY2(answerer.seen.text.contains("DOSYA YAZILAMADI"), qPrintable(answerer.seen.text));
    QCOMPARE(answerer.seen.title, QString("TALVO-ZAVODO V1.0"));
    QCOMPARE(answerer.seen.buttonCount, 1);
    QVERIFY(starter_.started.empty());
  }

  // The program is shown and written even when the viewer cannot be started; the note says so.
  void viewerNotStarted() {
    starter_.failure = "no viewer here";
    LoneCutScreen screen(CutKind::InnerCircle, Services());
    TypeInto(screen.Control("Text2"), "100");
    TypeInto(screen.Control("Text3"), "10");
    MessageBoxAnswerer answerer;
    QTest::mouseClick(screen.Control("KOD"), Qt::LeftButton);
    QVERIFY(answerer.seen.shown);
    QVERIFY2(answerer.seen.text.contains("GÖRÜNTÜLEYİCİ BAŞLATILAMADI"), qPrintable(answerer.seen.text));
    QCOMPARE(screen.Control<QPlainTextEdit>("Text1")->toPlainText(),
             QString("G0X0Y0\nG0Y-38\nG1Y-48F300\nG2J48F300\nM30\n%\n"));
    QCOMPARE(starter_.started.size(), std::size_t{1});
  }

  // A whole document pasted into a field: the field keeps its first characters, the run reads the
  // number at the start as always, and the window stays usable.
  void pastedDocument() {
    LoneCutScreen screen(CutKind::InnerCircle, Services());
    PresentCentred(screen);
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    QString document = QStringLiteral("100 mm delik; kesim listesi:\n");
    while (document.size() < (10 << 20)) document += QStringLiteral("Parça 17, 2 adet, sac 4 mm, ilerleme 300\n");
    QApplication::clipboard()->setText(document);
    auto* field = screen.Control<QLineEdit>("Text2");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field->text().size(), kInputFieldMaxLength);
    QVERIFY(document.startsWith(field->text()));

    MessageBoxAnswerer answerer;
    QTest::mouseClick(screen.Control("KOD"), Qt::LeftButton);
    QVERIFY(!answerer.seen.shown);
    QCOMPARE(screen.Control<QPlainTextEdit>("Text1")->toPlainText(),
             QString("G0X0Y0\nG0Y-48\nG1Y-48F300\nG2J48F300\nM30\n%\n"));
  }

  // Operators retype values: a click into the feed "300", Ctrl+A and 250 leave "250", in every
  // field and in the output box alike.
  void ctrlASelectsAll_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("diameter") << "Text2";
    QTest::newRow("start") << "Text3";
    QTest::newRow("flame") << "Text4";
    QTest::newRow("feed") << "Text5";
    QTest::newRow("output box") << "Text1";
  }
  void ctrlASelectsAll() {
    QFETCH(QString, control);
    LoneCutScreen screen(CutKind::InnerCircle, Services());
    PresentCentred(screen);
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    QCOMPARE(screen.Control<QLineEdit>("Text5")->text(), QString("300"));
    auto* box = screen.Control<QPlainTextEdit>("Text1");
    box->setPlainText("G0X0Y0\nM30");
    QWidget* target = box;
    if (control != "Text1") {
      auto* field = screen.Control<QLineEdit>(control.toStdString());
      if (field->text().isEmpty()) field->setText("12");
      target = field;
    }
    QWidget* surface = target == box ? box->viewport() : target;
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(surface->width() - 3, surface->height() / 2));
    QCOMPARE(QApplication::focusWidget(), target);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(target, "250");
    const QString text = target == box ? box->toPlainText() : static_cast<QLineEdit*>(target)->text();
    QCOMPARE(text, QString("250"));
  }

  // On Form11 the focus rests on "G KOD": the space bar at once runs on the initial texts.
  void focusedKodFromKeyboard() {
    LoneCutScreen screen(CutKind::OuterCircle, Services());
    PresentCentred(screen);
    QVERIFY(QTest::qWaitForWindowActive(&screen));
    QCOMPARE(QApplication::focusWidget(), screen.Control("KOD"));
    MessageBoxAnswerer answerer;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    // The diameter starts empty, so this run is refused.
    QVERIFY(answerer.seen.shown);
    QCOMPARE(answerer.seen.text, QString("DAİRENİN ÇAPI 0 OLAMAZ"));
  }

 private:
  RunServices Services() { return {talvo::platform::RootFolder(), &files_, &starter_}; }

  std::unique_ptr<QTemporaryDir> root_;
  talvo::DiskFiles files_;
  RecordingStarter starter_;
};

QTEST_MAIN(CutScreenTest)
#include "test_cut_screen.moc"
