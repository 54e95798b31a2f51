// How a second start of the program hands the client file it was given to the copy that
// already runs: one line over the user's local socket, answered once the copy has it.
// InstanceChannel.cpp holds what every platform shares; the socket itself is a Unix-domain
// socket of our own on Linux and macOS (InstanceChannelUnix.cpp), which keeps Qt Network and
// the libraries it loads out of the program's start, and Qt's local socket, a named pipe, on
// Windows (InstanceChannelQt.cpp).
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>
#include <memory>
#include <optional>

namespace kivo {

// The running copy's end: listens on `name` (see InstanceChannelName) and reports each path
// a second start sends. Only the holder of the single-instance lock makes one, so a socket
// left by a copy that crashed is removed before listening.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    // A connection that has not sent its line within `idleLimit` is closed (not on Windows).
    explicit InstanceServer(const QString& name, QObject* parent = nullptr,
                            std::chrono::milliseconds idleLimit = std::chrono::seconds(10));
    ~InstanceServer() override;
    bool Listening() const;

signals:
    // A path sent by a second start, made absolute by the sender; other lines are dropped.
    void FileHandedOver(const QString& path);

public:
    // The platform's listening end. It answers each line with kHandOverReply, closes the
    // connection and then gives the line to Deliver.
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual bool Listening() const = 0;

    protected:
        static void Deliver(InstanceServer& server, const QByteArray& line) {
            server.Deliver(line);
        }
    };

private:
    // Made by the platform's file (InstanceChannelUnix.cpp, InstanceChannelQt.cpp).
    static std::unique_ptr<Listener> Listen(InstanceServer& server, const QString& name);
    // Reports the line (its line end removed) when it is a whole path.
    void Deliver(const QByteArray& line);

    std::chrono::milliseconds idleLimit_;
    std::unique_ptr<Listener> listener_;
};

// The second start's end: sends `path` to the copy listening on `name` and waits for its
// answer. Connecting is retried until `connectMs` have passed (the copy may be starting);
// the answer is awaited for `replyMs`. False when no copy took the path, and for a path with a
// line break, which the running copy would take for a shorter one.
bool HandOverFile(const QString& name, const QString& path, int connectMs = 5000,
                  int replyMs = 10000);

// The platform's sending end: connects to `name`, retrying until `connectMs` have passed, sends
// `message` and gives back the answer: what arrives up to a line end, or until the other end
// closes, within `replyMs`. Nothing when no connection was made or no answer came in time.
std::optional<QByteArray> ExchangeOverChannel(const QString& name, const QByteArray& message,
                                              int connectMs, int replyMs);

// The bytes of one hand-over: the path in UTF-8 and a line end; the answer is kHandOverReply.
QByteArray HandOverMessage(const QString& path);
inline constexpr char kHandOverReply[] = "OK\n";
// A path is short; a connection that sends more than this without a line end is not ours.
inline constexpr qsizetype kMaxHandOverMessage = 64 * 1024;

}  // namespace kivo
