// The hand-over socket: a QLocalServer in the running copy, a blocking QLocalSocket in the
// second start, which has nothing else to do and no event loop running.
#include "app/InstanceChannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace kivo {
namespace {

// A path is short; anything longer than this is not one of ours.
constexpr qsizetype kMaxMessage = 64 * 1024;

}  // namespace

QByteArray HandOverMessage(const QString& path) {
    return path.toUtf8() + '\n';
}

InstanceServer::InstanceServer(const QString& name, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)) {
    // Only this user may connect (the socket lies in the user's own folder as well).
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // The lock says no copy runs, so a socket by that name was left by one that crashed.
    QLocalServer::removeServer(name);
    server_->listen(name);
    connect(server_, &QLocalServer::newConnection, this, &InstanceServer::Accept);
}

bool InstanceServer::Listening() const {
    return server_->isListening();
}

void InstanceServer::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        Read(socket);
    }
}

void InstanceServer::Read(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxMessage) socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(kMaxMessage);
    const QString path = QString::fromUtf8(line.chopped(line.endsWith('\n') ? 1 : 0));
    // The answer first: the sender may end before the file is open (a question may wait).
    socket->write(kHandOverReply);
    socket->flush();
    socket->disconnectFromServer();
    // A second start always sends a whole path; any other line is not one of ours, and a
    // relative name would be taken from this copy's folder.
    if (QDir::isAbsolutePath(path)) emit FileHandedOver(path);
}

bool HandOverFile(const QString& name, const QString& path, int connectMs, int replyMs) {
    QLocalSocket socket;
    const QDeadlineTimer connectDeadline(connectMs);
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(500)) break;
        socket.abort();
        if (connectDeadline.hasExpired()) return false;
        QThread::msleep(100);
    }
    socket.write(HandOverMessage(path));
    // False also when the bytes left at once; the answer below tells whether they arrived.
    socket.waitForBytesWritten(replyMs);
    const QDeadlineTimer replyDeadline(replyMs);
    QByteArray reply;
    while (!reply.contains('\n')) {
        if (replyDeadline.hasExpired()) return false;
        if (!socket.waitForReadyRead(static_cast<int>(replyDeadline.remainingTime()))) {
            reply += socket.readAll();
            break;
        }
        reply += socket.readAll();
    }
    return reply == kHandOverReply;
}

}  // namespace kivo
