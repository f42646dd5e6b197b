#include "app/ui/InstanceHandover.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QUrl>

#include "platform/files/FileLock.h"

namespace app {

namespace {

// A hand-over is one line: the greeting, a tab, the folder percent-encoded
// (a folder's name may hold a line break); the answer is one line too.
constexpr char kGreeting[] = "quillmark_wd-open";
constexpr char kAnswer[] = "ok\n";
constexpr qint64 kLineLimit = 64 * 1024;  // a longer line is no hand-over
constexpr int kConnectMs = 1000;
// A window busy with a long command (a long list written, say) answers
// when it is done.
constexpr int kAnswerMs = 3000;
constexpr int kStartLockMs = 3000;

}  // namespace

InstanceHandover::InstanceHandover(QObject* parent) : QObject(parent) {}

InstanceHandover::~InstanceHandover() = default;

QString InstanceHandover::SocketPath(const std::string& programFolder,
                                     const QString& runtimeFolder) {
  QString hash = QString::fromLatin1(
      QCryptographicHash::hash(QByteArray::fromStdString(programFolder), QCryptographicHash::Sha1)
          .toHex()
          .left(16));
  if (!runtimeFolder.isEmpty() && QFileInfo(runtimeFolder).isDir()) {
    return runtimeFolder + QStringLiteral("/quillmark_wd-") + hash;
  }
  return QDir::tempPath() + QStringLiteral("/quillmark_wd-%1-%2").arg(::getuid()).arg(hash);
}

namespace {

// What became of a hand-over.
enum class Delivery {
  Taken,    // the window took it
  Silent,   // a window is there but did not answer in time
  Stale,    // no window: no socket, or one a killed start left
  Foreign,  // the socket is not this user's window's (another user's, in
            // a shared temporary folder): nothing is sent there
};

// Whether the process at the other end of `socket` runs as this user.
bool SameUser(const QLocalSocket& socket) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                      &size) == 0 &&
         peer.uid == ::getuid();
}

Delivery Deliver(const QString& socketPath, const QString& folder, int answerMs) {
  QLocalSocket socket;
  socket.connectToServer(socketPath);
  if (!socket.waitForConnected(kConnectMs)) {
    switch (socket.error()) {
      case QLocalSocket::ServerNotFoundError:
      case QLocalSocket::ConnectionRefusedError: return Delivery::Stale;
      case QLocalSocket::SocketTimeoutError: return Delivery::Silent;
      default: return Delivery::Foreign;
    }
  }
  if (!SameUser(socket)) {
    return Delivery::Foreign;
  }
  QByteArray line = QByteArray(kGreeting) + '\t' + QUrl::toPercentEncoding(folder) + '\n';
  socket.write(line);
  QByteArray answer;
  if (socket.waitForBytesWritten(answerMs)) {
    while (!answer.contains('\n') && socket.waitForReadyRead(answerMs)) {
      answer += socket.readAll();
    }
  }
  if (answer == kAnswer) {
    return Delivery::Taken;
  }
  // A window that closed while it was asked has gone: this start opens one.
  return socket.state() == QLocalSocket::UnconnectedState && answer.isEmpty() ? Delivery::Stale
                                                                              : Delivery::Silent;
}

}  // namespace

InstanceHandover::Outcome InstanceHandover::HandOver(const QString& socketPath,
                                                     const QString& folder, int answerMs) {
  switch (Deliver(socketPath, folder, answerMs)) {
    case Delivery::Taken: return Outcome::HandedOver;
    case Delivery::Silent: return Outcome::NoAnswer;
    default: return Outcome::NotListening;
  }
}

InstanceHandover::Outcome InstanceHandover::HandOverOrListen(const QString& socketPath,
                                                             const QString& folder) {
  // Held until this start listens or has handed over: two starts at once
  // would otherwise both find nobody and both listen.
  platform::FileLock lock(QFile::encodeName(socketPath + QStringLiteral(".lock")).toStdString(),
                          kStartLockMs);
  switch (Deliver(socketPath, folder, kAnswerMs)) {
    case Delivery::Taken: return Outcome::HandedOver;
    case Delivery::Silent: return Outcome::NoAnswer;
    case Delivery::Foreign: return Outcome::NotListening;  // a window, not listening
    case Delivery::Stale: break;
  }
  return Listen(socketPath) ? Outcome::Listening : Outcome::NotListening;
}

void InstanceHandover::StopListening() {
  if (server_ != nullptr) {
    server_->close();  // asked meanwhile, a start finds nobody and opens its own window
    delete server_;
    server_ = nullptr;
  }
}

bool InstanceHandover::Listen(const QString& socketPath) {
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(socketPath)) {
    // A socket that refused the connection: left by a start that was
    // killed.
    QLocalServer::removeServer(socketPath);
    if (!server_->listen(socketPath)) {
      return false;
    }
  }
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Answer(socket); });
    }
  });
  return true;
}

void InstanceHandover::Answer(QLocalSocket* socket) {
  if (!socket->canReadLine()) {
    if (socket->bytesAvailable() > kLineLimit) {
      socket->abort();
    }
    return;
  }
  QByteArray line = socket->readLine(kLineLimit).trimmed();
  QByteArray greeting = QByteArray(kGreeting) + '\t';
  if (!line.startsWith(greeting) && line != kGreeting) {
    socket->abort();
    return;
  }
  QString folder = QUrl::fromPercentEncoding(line.mid(greeting.size()));
  socket->write(kAnswer);
  socket->flush();
  socket->disconnectFromServer();
  emit handedOver(folder);
}

}  // namespace app
