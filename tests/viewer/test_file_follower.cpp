// SPDX-License-Identifier: MIT
// The window's file following without a window: a change, a removal and the file written
// again are each reported once the writing settles, and a touch that leaves the file as it
// was is not.
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "file_follower.h"

namespace talvo::plot {
namespace {

void WriteFile(const QString& path, const QByteArray& content) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(content);
}

}  // namespace

class FileFollowerTest : public QObject {
  Q_OBJECT

 private slots:
  void stampsTellVersionsApart() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.nc"));
    const FileStamp missing = FileStamp::Of(path);
    QCOMPARE(missing.size, qint64(-1));
    QVERIFY(!missing.modified.isValid());
    WriteFile(path, "G0X1\n");
    const FileStamp first = FileStamp::Of(path);
    QCOMPARE(first.size, qint64(5));
    QVERIFY(first != missing);
    QVERIFY(first == FileStamp::Of(path));
    WriteFile(path, "G0X10\n");
    QVERIFY(FileStamp::Of(path) != first);
  }

  void reportsAChangeARemovalAndTheFileWrittenAgain() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.nc"));
    WriteFile(path, "G0X1\n");
    FileFollower follower;
    QSignalSpy changed(&follower, &FileFollower::Changed);
    follower.Follow(path);

    WriteFile(path, "G0X10\n");
    QVERIFY(changed.wait(5000));
    follower.Follow(path);  // as the window does once it has read the file again

    QVERIFY(QFile::remove(path));
    QVERIFY(changed.wait(5000));
    follower.Follow(path);

    WriteFile(path, "G0X100\n");
    QVERIFY(changed.wait(5000));
    QCOMPARE(changed.count(), 3);
  }

  void staysQuietWhileTheFileIsAsItWasRead() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.nc"));
    WriteFile(path, "G0X1\n");
    FileFollower follower;
    QSignalSpy changed(&follower, &FileFollower::Changed);
    follower.Follow(path);
    // Another file in the folder wakes the folder's watch; the program itself is unchanged.
    WriteFile(dir.filePath(QStringLiteral("other.nc")), "G0X2\n");
    QVERIFY(!changed.wait(1000));
  }
};

}  // namespace talvo::plot

QTEST_GUILESS_MAIN(talvo::plot::FileFollowerTest)
#include "test_file_follower.moc"
