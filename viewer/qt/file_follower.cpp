// SPDX-License-Identifier: MIT
#include "file_follower.h"

#include <QFileInfo>

namespace talvo::plot {

namespace {

// Editors write a file in more than one step; reading waits for the writing to settle.
constexpr int kSettleMs = 150;

}  // namespace

FileStamp FileStamp::Of(const QString& path) {
  const QFileInfo info(path);
  return {info.lastModified(), info.exists() ? info.size() : -1};
}

FileFollower::FileFollower(QObject* parent) : QObject(parent) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, &FileFollower::CheckSettled);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { settle_.start(); });
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { settle_.start(); });
}

void FileFollower::Follow(const QString& path) {
  path_ = path;
  seen_ = FileStamp::Of(path_);
  Watch();
}

void FileFollower::Watch() {
  // A program rewritten by deleting and writing anew drops out of the watch; the folder's
  // watch sees it come back.
  if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
  if (QFileInfo::exists(path_)) watcher_.addPath(path_);
  const QString folder = QFileInfo(path_).absolutePath();
  if (watcher_.directories().isEmpty() && QFileInfo::exists(folder)) watcher_.addPath(folder);
}

void FileFollower::CheckSettled() {
  if (FileStamp::Of(path_) == seen_) {
    Watch();
    return;
  }
  emit Changed();
}

}  // namespace talvo::plot
