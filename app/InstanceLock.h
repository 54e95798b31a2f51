// The lock that lets one user run one copy of the program at a time.
#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace kivo {

// The single-instance lock: a lock file of the given name in the user's runtime folder,
// held while this object lives. A lock left by a process that has ended (even one that
// crashed) is taken over, so it never blocks the next start.
class InstanceLock {
public:
    explicit InstanceLock(const QString& name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when another running process holds the lock (or it cannot be created).
    bool Acquired() const { return acquired_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
};

}  // namespace kivo
