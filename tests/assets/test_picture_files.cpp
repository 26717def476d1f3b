// SPDX-License-Identifier: MIT
// The committed pictures, read from the source tree and from the resources of talvo_assets.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QSize>
#include <QtTest>

#include "picture_facts.h"
#include "pictures.h"

namespace talvo::assets {

namespace {

QString CommittedFile(const QString& name) { return QDir(QStringLiteral(TALVO_ASSETS_DIR)).filePath(name); }

QImage Committed(const QString& name) { return QImage(CommittedFile(name + QStringLiteral(".png"))); }

QString Hex(QRgb rgb) { return QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QChar('0')).toUpper(); }

void AddPixelRows(const std::vector<PixelFact>& facts) {
  QTest::addColumn<QString>("picture");
  QTest::addColumn<QPoint>("pixel");
  QTest::addColumn<QRgb>("colour");
  for (const PixelFact& f : facts) {
    QTest::addRow("%s %s (%d,%d)", f.picture, f.fact, f.x, f.y)
        << QString::fromUtf8(f.picture) << QPoint(f.x, f.y) << f.colour;
  }
}

void CheckPixel() {
  QFETCH(QString, picture);
  QFETCH(QPoint, pixel);
  QFETCH(QRgb, colour);
  const QImage image = Committed(picture);
  QVERIFY(image.rect().contains(pixel));
  QCOMPARE(Hex(image.pixel(pixel)), Hex(colour));
}

}  // namespace

class TestPictureFiles : public QObject {
  Q_OBJECT

 private slots:
  // Size, 8-bit RGB without alpha, straight from the PNG header.
  void format_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("ICCAP") << "ICCAP" << QSize(158, 191);
    QTest::newRow("DISCAP") << "DISCAP" << QSize(161, 192);
    QTest::newRow("DORTGENHAVZ") << "DORTGENHAVZ" << QSize(161, 191);
    QTest::newRow("KAREDIS") << "KAREDIS" << QSize(162, 193);
    QTest::newRow("Form4") << "Form4" << QSize(691, 355);
    QTest::newRow("Form11") << "Form11" << QSize(691, 355);
    QTest::newRow("Form8") << "Form8" << QSize(691, 355);
    QTest::newRow("Form12") << "Form12" << QSize(691, 355);
    QTest::newRow("icon") << "icon" << QSize(32, 32);
  }
  void format() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFile file(CommittedFile(name + QStringLiteral(".png")));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray head = file.read(33);
    QVERIFY(head.startsWith("\x89PNG\r\n\x1a\n"));
    QCOMPARE(head.mid(12, 4), QByteArray("IHDR"));
    const auto u32 = [&](int at) {
      return (quint32(quint8(head[at])) << 24) | (quint32(quint8(head[at + 1])) << 16) |
             (quint32(quint8(head[at + 2])) << 8) | quint32(quint8(head[at + 3]));
    };
    QCOMPARE(QSize(int(u32(16)), int(u32(20))), size);
    QCOMPARE(int(head[24]), 8);  // bits per channel
    QCOMPARE(int(head[25]), 2);  // colour type: RGB, no alpha, no palette
    const QImage image = Committed(name);
    QCOMPARE(image.size(), size);
    QVERIFY(!image.hasAlphaChannel());
  }

  // An executable linking talvo_assets finds every picture under its resource path, equal to the
  // file.
  void resource_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::newRow("ICCAP") << "ICCAP"
                           << ":/pictures/ICCAP.png";
    QTest::newRow("DISCAP") << "DISCAP"
                            << ":/pictures/DISCAP.png";
    QTest::newRow("DORTGENHAVZ") << "DORTGENHAVZ"
                                 << ":/pictures/DORTGENHAVZ.png";
    QTest::newRow("KAREDIS") << "KAREDIS"
                             << ":/pictures/KAREDIS.png";
    QTest::newRow("Form4") << "Form4"
                           << ":/pictures/Form4.png";
    QTest::newRow("Form11") << "Form11"
                            << ":/pictures/Form11.png";
    QTest::newRow("Form8") << "Form8"
                           << ":/pictures/Form8.png";
    QTest::newRow("Form12") << "Form12"
                            << ":/pictures/Form12.png";
    QTest::newRow("icon") << "icon"
                          << ":/pictures/icon.png";
  }
  void resource() {
    QFETCH(QString, name);
    QFETCH(QString, path);
    QCOMPARE(PicturePath(name), path);
    const QImage embedded(path);
    QVERIFY2(!embedded.isNull(), qPrintable(path));
    QCOMPARE(embedded, Committed(name));
  }

  // The names the pictures are listed by: every embedded picture, once.
  void names() {
    QCOMPARE(PictureNames(),
             QStringList({"ICCAP", "DISCAP", "DORTGENHAVZ", "KAREDIS", "Form4", "Form11", "Form8", "Form12", "icon"}));
  }

  // The illustrations use white, blue, silver, black and red only, and all five of them.
  void fiveColours_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"Form4", "Form11", "Form8", "Form12"}) QTest::newRow(name) << name;
  }
  void fiveColours() {
    QFETCH(QString, name);
    const QImage image = Committed(name);
    QVERIFY(!image.isNull());
    QSet<QRgb> used;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) used.insert(image.pixel(x, y) & 0xFFFFFF);
    }
    const QSet<QRgb> five{kWhite, kBlue, kSilver, kBlack, kRed};
    QCOMPARE(used, five);
  }

  void illustrationPixels_data() { AddPixelRows(IllustrationFacts()); }
  void illustrationPixels() { CheckPixel(); }

  void menuPixels_data() { AddPixelRows(MenuPictureFacts()); }
  void menuPixels() { CheckPixel(); }

  void iconPixels_data() { AddPixelRows(IconFacts()); }
  void iconPixels() { CheckPixel(); }

  // The title's ink stands centred at the top of the field, capitals 11 pixels high, on one
  // or two lines, above the sheet.
  void menuTitle_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("sheetTop");
    QTest::addColumn<int>("lines");
    QTest::newRow("ICCAP") << "ICCAP" << 63 << 1;
    QTest::newRow("DISCAP") << "DISCAP" << 57 << 1;
    QTest::newRow("DORTGENHAVZ") << "DORTGENHAVZ" << 64 << 2;
    QTest::newRow("KAREDIS") << "KAREDIS" << 59 << 2;
  }
  void menuTitle() {
    QFETCH(QString, name);
    QFETCH(int, sheetTop);
    QFETCH(int, lines);
    const QImage image = Committed(name);
    const QRect field(QPoint(8, 9), QPoint(image.width() - 9, sheetTop - 1));
    QRect ink;
    for (int y = field.top(); y <= field.bottom(); ++y) {
      for (int x = field.left(); x <= field.right(); ++x) {
        if ((image.pixel(x, y) & 0xFFFFFF) == kBlack) ink |= QRect(x, y, 1, 1);
      }
    }
    QVERIFY(!ink.isEmpty());
    QVERIFY2(qAbs((ink.left() - field.left()) - (field.right() - ink.right())) <= 1, "title not centred");
    QVERIFY(ink.top() > field.top());
    QVERIFY(ink.bottom() < sheetTop - 10);
    // Each line is 16 rows below the one before.
    QCOMPARE(ink.bottom() - ink.top() > 16, lines == 2);
    // The first capital's stem: its longest black run is the capital height.
    int run = 0;
    int longest = 0;
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
      run = (image.pixel(ink.left(), y) & 0xFFFFFF) == kBlack ? run + 1 : 0;
      longest = std::max(longest, run);
    }
    QCOMPARE(longest, 11);
  }

  // The Windows icon holds the same pixels as icon.png, in one 24-bit 32 × 32 bitmap.
  void icoFile() {
    QFile file(CommittedFile(QStringLiteral("icon.ico")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.size() > 22 + 40);
    QCOMPARE(int(quint8(bytes[4])), 1);    // one image
    QCOMPARE(int(quint8(bytes[6])), 32);   // width
    QCOMPARE(int(quint8(bytes[7])), 32);   // height
    QCOMPARE(int(quint8(bytes[12])), 24);  // bits per pixel
    QImageReader reader(file.fileName(), "ico");
    const QImage ico = reader.read();
    QVERIFY2(!ico.isNull(), qPrintable(reader.errorString()));
    const QImage png = Committed(QStringLiteral("icon"));
    QCOMPARE(ico.size(), png.size());
    for (int y = 0; y < png.height(); ++y) {
      for (int x = 0; x < png.width(); ++x) {
        QCOMPARE(qAlpha(ico.pixel(x, y)), 255);
        QCOMPARE(Hex(ico.pixel(x, y)), Hex(png.pixel(x, y)));
      }
    }
  }
};

}  // namespace talvo::assets

QTEST_GUILESS_MAIN(talvo::assets::TestPictureFiles)
#include "test_picture_files.moc"
