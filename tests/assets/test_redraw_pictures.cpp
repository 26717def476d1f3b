// SPDX-License-Identifier: MIT
// Drawing the pictures again gives exactly the committed files.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include "picture_set.h"
#include "pictures.h"

namespace talvo::assets {

class TestRedrawPictures : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    const QString error = WriteAllPictures(folder_.path());
    QVERIFY2(error.isEmpty(), qPrintable(error));
  }

  void samePixels_data() {
    QTest::addColumn<QString>("file");
    for (const QString& name : PictureNames()) {
      QTest::newRow(qPrintable(name)) << name + QStringLiteral(".png");
    }
    QTest::newRow("icon.ico") << QStringLiteral("icon.ico");
  }
  void samePixels() {
    QFETCH(QString, file);
    const QImage drawn(QDir(folder_.path()).filePath(file));
    const QImage committed(QDir(QStringLiteral(TALVO_ASSETS_DIR)).filePath(file));
    QVERIFY2(!drawn.isNull(), qPrintable(file));
    QVERIFY2(!committed.isNull(), qPrintable(file));
    QCOMPARE(drawn.size(), committed.size());
    QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32), committed.convertToFormat(QImage::Format_RGB32));
  }

 private:
  QTemporaryDir folder_;
};

}  // namespace talvo::assets

// The title font needs a QGuiApplication.
QTEST_MAIN(talvo::assets::TestRedrawPictures)
#include "test_redraw_pictures.moc"
