// SPDX-License-Identifier: MIT
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace talvo::plot {

/// One window per program file: the first start listens under a name made from the file's
/// canonical path and the user id, in a folder only the user can reach; a later start on the
/// same file tells it to come forward and then ends.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  explicit SingleInstance(const QString& file, QObject* parent = nullptr);

  /// The socket's full name, or an empty one when no private folder can be had.
  static QString ServerName(const QString& file);

  /// Tells a running window of the same file to come forward; false when there is none.
  bool NotifyRunning() const;
  /// Starts answering later starts; false when the name cannot be taken.
  bool Listen();

 signals:
  void Activated();

 private:
  QString name_;
  QLocalServer server_;
};

}  // namespace talvo::plot
