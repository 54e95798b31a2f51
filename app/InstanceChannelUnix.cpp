// The hand-over over a Unix-domain socket of our own, on Linux and macOS: the running copy
// watches its listening socket and each connection with socket notifiers of its event loop;
// the second start, which has nothing else to do, connects, sends and waits blocking.
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <list>
#include <optional>
#include <thread>
#include <utility>

#include "app/InstanceChannel.h"
#include "app/InstanceLock.h"

namespace kivo {
namespace {

// A socket's file descriptor, closed with it.
class SocketFd {
public:
    explicit SocketFd(int fd = -1) : fd_(fd) {}
    SocketFd(SocketFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    SocketFd& operator=(SocketFd&& other) noexcept {
        if (this != &other) {
            Close();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    SocketFd(const SocketFd&) = delete;
    SocketFd& operator=(const SocketFd&) = delete;
    ~SocketFd() { Close(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

// The address of the socket file `path`; none when the path is too long for one (104 bytes
// on macOS, 108 on Linux, the terminating zero included).
std::optional<sockaddr_un> AddressOf(const QByteArray& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof address.sun_path) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return address;
}

// A new stream socket that no child process inherits and that never raises SIGPIPE on macOS
// (Linux sends with MSG_NOSIGNAL instead).
SocketFd NewSocket() {
    SocketFd socket(::socket(AF_UNIX, SOCK_STREAM, 0));
    if (!socket.valid()) return socket;
    ::fcntl(socket.get(), F_SETFD, FD_CLOEXEC);
#ifdef SO_NOSIGPIPE
    const int on = 1;
    ::setsockopt(socket.get(), SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof on);
#endif
    return socket;
}

#ifdef MSG_NOSIGNAL
constexpr int kSendFlags = MSG_NOSIGNAL;
#else
constexpr int kSendFlags = 0;
#endif

void SetNonBlocking(int fd) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// Sends all of `bytes` on a blocking socket; false when the other end went away.
bool SendAll(int fd, const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent,
                                 static_cast<std::size_t>(bytes.size() - sent), kSendFlags);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += n;
    }
    return true;
}

// Whether the process at the other end of a connected socket runs as this user. The socket's
// folder is the user's own, but when the program falls back to the shared temporary folder
// another user could stand at the other end: paths are neither sent to nor taken from one.
bool PeerIsThisUser(int fd) {
#if defined(SO_PEERCRED)
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
#else
    uid_t uid = 0;
    gid_t gid = 0;
    return ::getpeereid(fd, &uid, &gid) == 0 && uid == ::getuid();
#endif
}

// Binds `socket` to `path`, readable and writable by this user alone, and listens.
bool BindAndListen(const SocketFd& socket, const QByteArray& path) {
    const std::optional<sockaddr_un> address = AddressOf(path);
    return address &&
           ::bind(socket.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) ==
               0 &&
           ::chmod(path.constData(), 0600) == 0 && ::listen(socket.get(), 16) == 0;
}

// A socket bound to `path` and listening, which only this user can connect to. It replaces a
// socket left at `path` by a copy that crashed; anything else at `path`, and outside the
// user's private folder a socket of another user's, is left alone and nothing listens. In a private
// folder (the runtime folder) the socket is bound in place: no other user can reach it while its
// mode is set, and the instance lock keeps any other copy from binding there meanwhile. Elsewhere
// it is bound in a new private folder beside `path` and then moved there, so that no one else can
// connect before its mode is set.
SocketFd ListenAt(const QByteArray& path) {
    struct stat facts {};
    const bool taken = ::lstat(path.constData(), &facts) == 0;
    if (taken && !S_ISSOCK(facts.st_mode)) return SocketFd();
    const QByteArray parent = QFile::encodeName(QFileInfo(QFile::decodeName(path)).path());
    const bool privateFolder = IsPrivateFolder(parent);
    // Another user's socket outside the user's own folder stays where it is.
    if (taken && facts.st_uid != ::getuid() && !privateFolder) return SocketFd();
    SocketFd socket = NewSocket();
    if (!socket.valid()) return socket;
    if (privateFolder) {
        if (taken) ::unlink(path.constData());
        if (!BindAndListen(socket, path)) return SocketFd();
    } else {
        // "/.kvXXXXXX/s" is no longer than the shortest name it is moved to
        // ("/kivo-0.socket"), so a path that fits an address is bound within one too.
        QByteArray folder = parent + "/.kvXXXXXX";
        if (::mkdtemp(folder.data()) == nullptr) return SocketFd();
        const QByteArray bound = folder + "/s";
        const bool listening =
            BindAndListen(socket, bound) && ::rename(bound.constData(), path.constData()) == 0;
        ::unlink(bound.constData());  // still there only when something failed
        ::rmdir(folder.constData());
        if (!listening) return SocketFd();
    }
    SetNonBlocking(socket.get());
    return socket;
}

}  // namespace

class UnixListener final : public InstanceServer::Listener {
public:
    UnixListener(InstanceServer& owner, const QString& name, std::chrono::milliseconds idleLimit)
        : owner_(owner),
          path_(QFile::encodeName(name)),
          socket_(ListenAt(path_)),
          idleLimit_(idleLimit) {
        if (!socket_.valid()) return;
        notifier_ = new QSocketNotifier(socket_.get(), QSocketNotifier::Read, &owner);
        QObject::connect(notifier_, &QSocketNotifier::activated, &owner, [this] { Accept(); });
    }

    ~UnixListener() override {
        // Notifiers go before the descriptors they watch.
        for (Connection& connection : connections_) delete connection.notifier;
        if (!socket_.valid()) return;
        delete notifier_;
        socket_.Close();
        ::unlink(path_.constData());
    }

    UnixListener(const UnixListener&) = delete;
    UnixListener& operator=(const UnixListener&) = delete;

    bool Listening() const override { return socket_.valid(); }

private:
    // A second start sends its line at once; more connections than this at a time are not
    // second starts, and the oldest goes to make room.
    static constexpr std::size_t kMaxConnections = 32;

    struct Connection {
        SocketFd socket;
        QSocketNotifier* notifier = nullptr;  // children of the server
        QTimer* deadline = nullptr;
        QByteArray received;
    };

    void Accept() {
        for (;;) {
            SocketFd accepted(::accept(socket_.get(), nullptr, nullptr));
            if (!accepted.valid()) {
                if (errno == EINTR) continue;
                if (errno != EAGAIN && errno != EWOULDBLOCK && errno != ECONNABORTED) {
                    PauseAccepting();
                }
                return;
            }
            if (!PeerIsThisUser(accepted.get())) continue;  // closed as it goes
            ::fcntl(accepted.get(), F_SETFD, FD_CLOEXEC);
            SetNonBlocking(accepted.get());
            if (connections_.size() >= kMaxConnections) Drop(connections_.begin());
            Watch(std::move(accepted));
        }
    }

    // Out of descriptors (or another failure that would come back at once): the waiting
    // connection stays readable, so accepting rests for a second rather than spinning.
    void PauseAccepting() {
        notifier_->setEnabled(false);
        QTimer::singleShot(1000, notifier_, [notifier = notifier_] { notifier->setEnabled(true); });
    }

    void Watch(SocketFd accepted) {
        Connection& connection = connections_.emplace_back();
        connection.socket = std::move(accepted);
        const auto at = std::prev(connections_.end());
        connection.notifier =
            new QSocketNotifier(connection.socket.get(), QSocketNotifier::Read, &owner_);
        QObject::connect(connection.notifier, &QSocketNotifier::activated, &owner_,
                         [this, at] { Read(at); });
        // One that never finishes its line is dropped, so it holds no descriptor for ever.
        connection.deadline = new QTimer(&owner_);
        connection.deadline->setSingleShot(true);
        QObject::connect(connection.deadline, &QTimer::timeout, &owner_, [this, at] { Drop(at); });
        connection.deadline->start(idleLimit_);
    }

    void Read(std::list<Connection>::iterator at) {
        Connection& connection = *at;
        char buffer[4096];
        bool ended = false;
        while (connection.received.size() <= kMaxHandOverMessage) {
            const ssize_t n = ::recv(connection.socket.get(), buffer, sizeof buffer, 0);
            if (n > 0) {
                connection.received.append(buffer, n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            ended = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
            break;
        }
        const qsizetype lineEnd = connection.received.indexOf('\n');
        if (lineEnd < 0) {
            if (ended || connection.received.size() > kMaxHandOverMessage) Drop(at);
            return;
        }
        const QByteArray line = connection.received.left(lineEnd + 1);
        // The answer first: the sender may end before the file is open (a question may wait).
        SendAll(connection.socket.get(), kHandOverReply);
        Drop(at);
        Deliver(owner_, line);
    }

    // Closes a connection. Called from its own notifier's or timer's signal, so both are
    // deleted once the signal has returned.
    void Drop(std::list<Connection>::iterator at) {
        at->notifier->setEnabled(false);
        at->notifier->deleteLater();
        at->deadline->stop();
        at->deadline->deleteLater();
        connections_.erase(at);
    }

    InstanceServer& owner_;
    QByteArray path_;
    SocketFd socket_;
    std::chrono::milliseconds idleLimit_;
    QSocketNotifier* notifier_ = nullptr;  // a child of the server
    std::list<Connection> connections_;
};

std::unique_ptr<InstanceServer::Listener> InstanceServer::Listen(InstanceServer& server,
                                                                 const QString& name) {
    return std::make_unique<UnixListener>(server, name, server.idleLimit_);
}

std::optional<QByteArray> ExchangeOverChannel(const QString& name, const QByteArray& message,
                                              int connectMs, int replyMs) {
    const std::optional<sockaddr_un> address = AddressOf(QFile::encodeName(name));
    if (!address) return std::nullopt;
    SocketFd socket;
    const QDeadlineTimer connectDeadline(connectMs);
    for (;;) {
        socket = NewSocket();
        if (!socket.valid()) return std::nullopt;
        // Linux makes a connect wait while the running copy's queue is full (its window may
        // hang); the wait ends with the time left to connect.
        const qint64 left = std::max<qint64>(1, connectDeadline.remainingTime());
        const timeval limit{static_cast<time_t>(left / 1000),
                            static_cast<suseconds_t>(left % 1000 * 1000)};
        ::setsockopt(socket.get(), SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&*address),
                      sizeof *address) == 0) {
            break;
        }
        socket.Close();
        if (connectDeadline.hasExpired()) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!PeerIsThisUser(socket.get()) || !SendAll(socket.get(), message)) return std::nullopt;

    const QDeadlineTimer replyDeadline(replyMs);
    QByteArray reply;
    while (!reply.contains('\n')) {
        pollfd ready{socket.get(), POLLIN, 0};
        const int waited = ::poll(&ready, 1, static_cast<int>(replyDeadline.remainingTime()));
        if (waited < 0 && errno == EINTR) continue;
        if (waited <= 0) return std::nullopt;  // no answer in time
        char buffer[64];
        const ssize_t n = ::recv(socket.get(), buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // the other end closed
        reply.append(buffer, n);
    }
    return reply;
}

}  // namespace kivo
