// How a second start of the program hands the client file it was given to the copy that
// already runs: one line over the user's local socket, answered once the copy has it.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace kivo {

// The running copy's end: listens on `name` (see InstanceChannelName) and reports each path
// a second start sends. Only the holder of the single-instance lock makes one, so a socket
// left by a copy that crashed is removed before listening.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(const QString& name, QObject* parent = nullptr);
    bool Listening() const;

signals:
    // A path sent by a second start, made absolute by the sender; other lines are dropped.
    void FileHandedOver(const QString& path);

private:
    void Accept();
    void Read(QLocalSocket* socket);

    QLocalServer* server_ = nullptr;
};

// The second start's end: sends `path` to the copy listening on `name` and waits for its
// answer. Connecting is retried until `connectMs` have passed (the copy may be starting);
// the answer is awaited for `replyMs`. False when no copy took the path.
bool HandOverFile(const QString& name, const QString& path, int connectMs = 5000,
                  int replyMs = 10000);

// The bytes of one hand-over: the path in UTF-8 and a line end; the answer is kHandOverReply.
QByteArray HandOverMessage(const QString& path);
inline constexpr char kHandOverReply[] = "OK\n";

}  // namespace kivo
