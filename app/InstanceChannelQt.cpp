// The hand-over over Qt's local socket, a named pipe on Windows: a QLocalServer in the running
// copy, a blocking QLocalSocket in the second start, which has nothing else to do and no event
// loop running.
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include "app/InstanceChannel.h"

namespace kivo {

class QtListener final : public InstanceServer::Listener {
public:
    QtListener(InstanceServer& owner, const QString& name) : owner_(owner) {
        server_ = new QLocalServer(&owner);
        // Only this user may connect.
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        // The lock says no copy runs, so a socket by that name was left by one that crashed.
        QLocalServer::removeServer(name);
        server_->listen(name);
        QObject::connect(server_, &QLocalServer::newConnection, &owner, [this] { Accept(); });
    }

    bool Listening() const override { return server_->isListening(); }

private:
    void Accept() {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::readyRead, &owner_,
                             [this, socket] { Read(socket); });
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            Read(socket);
        }
    }

    void Read(QLocalSocket* socket) {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > kMaxHandOverMessage) socket->abort();
            return;
        }
        const QByteArray line = socket->readLine(kMaxHandOverMessage);
        // The answer first: the sender may end before the file is open (a question may wait).
        socket->write(kHandOverReply);
        socket->flush();
        socket->disconnectFromServer();
        Deliver(owner_, line);
    }

    InstanceServer& owner_;
    QLocalServer* server_ = nullptr;
};

std::unique_ptr<InstanceServer::Listener> InstanceServer::Listen(InstanceServer& server,
                                                                 const QString& name) {
    return std::make_unique<QtListener>(server, name);
}

std::optional<QByteArray> ExchangeOverChannel(const QString& name, const QByteArray& message,
                                              int connectMs, int replyMs) {
    QLocalSocket socket;
    const QDeadlineTimer connectDeadline(connectMs);
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(500)) break;
        socket.abort();
        if (connectDeadline.hasExpired()) return std::nullopt;
        QThread::msleep(100);
    }
    socket.write(message);
    // False also when the bytes left at once; the answer below tells whether they arrived.
    socket.waitForBytesWritten(replyMs);
    const QDeadlineTimer replyDeadline(replyMs);
    QByteArray reply;
    while (!reply.contains('\n')) {
        if (replyDeadline.hasExpired()) return std::nullopt;
        if (!socket.waitForReadyRead(static_cast<int>(replyDeadline.remainingTime()))) {
            reply += socket.readAll();
            break;
        }
        reply += socket.readAll();
    }
    return reply;
}

}  // namespace kivo
