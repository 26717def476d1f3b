// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace talvo::plot {

/// What a file looks like on disk, enough to tell a new version from the one read.
struct FileStamp {
  QDateTime modified;  // invalid while the file is missing
  qint64 size = -1;    // -1 while the file is missing

  static FileStamp Of(const QString& path);
  bool operator==(const FileStamp&) const = default;
};

/// Follows a program file on disk: Changed() once the file has been changed, removed or
/// written again since Follow() and the writing has settled. Editors write a file in more than
/// one step, and some delete it and write it anew; the folder is watched for those.
class FileFollower : public QObject {
  Q_OBJECT

 public:
  explicit FileFollower(QObject* parent = nullptr);

  /// Remembers how `path` looks now and watches it; call again once its change is handled.
  void Follow(const QString& path);

 signals:
  void Changed();

 private:
  void Watch();
  void CheckSettled();

  QString path_;
  FileStamp seen_;
  QFileSystemWatcher watcher_;
  QTimer settle_;
};

}  // namespace talvo::plot
