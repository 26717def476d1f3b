// SPDX-License-Identifier: MIT
#include "single_instance.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalSocket>

#include "private_folder.h"

namespace talvo::plot {

namespace {

constexpr int kWaitMs = 1000;
constexpr char kShow[] = "SHOW\n";

}  // namespace

SingleInstance::SingleInstance(const QString& file, QObject* parent) : QObject(parent), name_(ServerName(file)) {
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (socket->readAll().contains("SHOW")) emit Activated();
      });
    }
  });
}

QString SingleInstance::ServerName(const QString& file) {
  const QFileInfo info(file);
  const QString canonical = info.canonicalFilePath();
  const QString path = canonical.isEmpty() ? info.absoluteFilePath() : canonical;
  // The user is part of the name as the system knows them, not as the environment says: two
  // operators on one machine each get their own window.
  const QByteArray key = path.toUtf8() + '\n' + QByteArray::fromStdString(talvo::platform::UserKey());
  QString name = QStringLiteral("talvo-plot-") +
                 QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
  // The socket lives where only this user can reach it, so no one else can answer in its place.
  // Without such a place there is no name, and every start opens a window of its own.
  const auto folder = talvo::platform::PrivateFolder();
  if (!folder) return {};
  if (folder->empty()) return name;  // a named pipe, opened to this user alone by Listen
  return QString::fromStdString((*folder / name.toStdString()).string());
}

bool SingleInstance::NotifyRunning() const {
  if (name_.isEmpty()) return false;
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kWaitMs)) return false;
  socket.write(kShow);
  const bool sent = socket.waitForBytesWritten(kWaitMs);
  socket.disconnectFromServer();
  return sent;
}

bool SingleInstance::Listen() {
  if (name_.isEmpty()) return false;
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  if (server_.listen(name_)) return true;
  // Nobody answered on the name, so what holds it is left over from a window that died.
  QLocalServer::removeServer(name_);
  return server_.listen(name_);
}

}  // namespace talvo::plot
