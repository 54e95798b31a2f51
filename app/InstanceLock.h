// The lock that lets one user run one copy of the program at a time, and the name of the
// local socket over which a second start hands its file to the copy that runs.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace kivo {

// The single-instance lock: a lock file of the given name in the user's runtime folder,
// held while this object lives. A lock left by a process that has ended (even one that
// crashed) is taken over, so it never blocks the next start. On Unix the lock is the kernel's
// lock on the open file, which ends with the process; the file stays, so a start that finds it
// writes nothing to the disk.
class InstanceLock {
public:
    explicit InstanceLock(const QString& name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when another running process holds the lock (or it cannot be created). A lock file
    // of another user's is never taken.
    bool Acquired() const { return held_ != nullptr; }

private:
    struct Held;                  // what holds the lock: the platform's own
    std::unique_ptr<Held> held_;  // none when not acquired
};

// The user's private folder for the lock and the socket: the runtime folder, or where the
// system has none (or one that is not the user's alone) a folder of the user's own in the
// temporary folder ("kivo-1000"), or where another user took that name, ~/.cache/kivo. Empty
// when none of them can be had: then there is neither lock nor socket.
QString RuntimeFolder();

#ifdef Q_OS_UNIX
// Whether `folder` (a native path) is a folder of this user's that no one else may enter.
bool IsPrivateFolder(const QByteArray& folder);
#endif

// The per-user name of the running copy's local socket. On Unix a socket file in the
// runtime folder named for the user id ("kivo-1000.socket"), in the fallback folder when that
// path is too long for a socket (empty without a private folder); on Windows a pipe named for the
// user
// ("KIVO-anna").
QString InstanceChannelName();

}  // namespace kivo
