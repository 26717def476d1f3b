// SPDX-License-Identifier: MIT
// The viewer's single-window socket is the user's own: it lives in a folder only the user can
// reach and is named by the user id, so a listener set up by anyone else is never answered.
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "single_instance.h"

namespace fs = std::filesystem;
using talvo::plot::SingleInstance;

class TestSingleInstance : public QObject {
  Q_OBJECT

 private slots:
  // Fresh folders for every test: a fallback folder made by one must not be found by the next.
  void init() {
    runtimeDir_ = std::make_unique<QTemporaryDir>();
    tempDir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(runtimeDir_->isValid());
    QVERIFY(tempDir_->isValid());
    QVERIFY(QFile::setPermissions(runtimeDir_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", runtimeDir_->path().toUtf8());
    qputenv("TMPDIR", tempDir_->path().toUtf8());
    file_ = runtimeDir_->filePath(QStringLiteral("program.txt"));
  }
  void cleanup() {
    qputenv("XDG_RUNTIME_DIR", savedRuntime_);
    qputenv("TMPDIR", savedTemp_);
    qputenv("USER", savedUser_);
  }

  void theNameIsInThePrivateFolderAndUsesTheUserId() {
    const QString name = SingleInstance::ServerName(file_);
    QCOMPARE(QFileInfo(name).absolutePath(), runtimeDir_->path());
    qputenv("USER", "");
    QCOMPARE(SingleInstance::ServerName(file_), name);
    qputenv("USER", "someone-else");
    QCOMPARE(SingleInstance::ServerName(file_), name);
    QVERIFY(SingleInstance::ServerName(runtimeDir_->filePath(QStringLiteral("other.txt"))) != name);
  }

  void twoStartsOfTheUserMeet() {
    SingleInstance first(file_);
    QVERIFY(first.Listen());
    QVERIFY(QFileInfo::exists(SingleInstance::ServerName(file_)));
    QSignalSpy activated(&first, &SingleInstance::Activated);
    QVERIFY(SingleInstance(file_).NotifyRunning());
    QTRY_COMPARE(activated.count(), 1);
  }

  // Where someone else may listen: under the old name in the shared temporary folder, in a
  // runtime folder that others can enter, or in a fallback folder that is a link or open to all.
  void aListenerOfSomeoneElseIsIgnored_data() {
    QTest::addColumn<QString>("place");
    QTest::newRow("old name in the temporary folder") << "old";
    QTest::newRow("runtime folder open to others") << "open-runtime";
    QTest::newRow("fallback folder a link") << "link";
    QTest::newRow("fallback folder open to others") << "open-fallback";
  }
  void aListenerOfSomeoneElseIsIgnored() {
    QFETCH(QString, place);
    const QString base = QFileInfo(SingleInstance::ServerName(file_)).fileName();
    const QString fallback = QDir(tempDir_->path()).filePath(QStringLiteral("talvo-%1").arg(::getuid()));
    QTemporaryDir elsewhere;
    QString listenAt;
    if (place == "old") {
      // The name earlier versions used: the file's path and $USER, in the shared temporary folder.
      const QByteArray key = QFileInfo(file_).canonicalFilePath().toUtf8() + '\n' + qgetenv("USER");
      listenAt = QDir::tempPath() + QStringLiteral("/talvo-plot-") +
                 QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
    } else if (place == "open-runtime") {
      QVERIFY(QFile::setPermissions(runtimeDir_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                             QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
      listenAt = QDir(runtimeDir_->path()).filePath(base);
    } else if (place == "link") {
      qunsetenv("XDG_RUNTIME_DIR");
      QVERIFY(QFile::setPermissions(elsewhere.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
      fs::create_directory_symlink(elsewhere.path().toStdString(), fallback.toStdString());
      listenAt = QDir(fallback).filePath(base);
    } else {
      qunsetenv("XDG_RUNTIME_DIR");
      QVERIFY(QDir().mkdir(fallback));
      fs::permissions(fallback.toStdString(), fs::perms::all);
      listenAt = QDir(fallback).filePath(base);
    }
    QLocalServer someoneElse;
    QVERIFY2(someoneElse.listen(listenAt), qPrintable(someoneElse.errorString()));

    const QString name = SingleInstance::ServerName(file_);
    QVERIFY2(name != listenAt, qPrintable(name));
    QVERIFY(!SingleInstance(file_).NotifyRunning());
  }

 private:
  std::unique_ptr<QTemporaryDir> runtimeDir_, tempDir_;
  QString file_;
  const QByteArray savedRuntime_ = qgetenv("XDG_RUNTIME_DIR");
  const QByteArray savedTemp_ = qgetenv("TMPDIR");
  const QByteArray savedUser_ = qgetenv("USER");
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
