// Runs a piece of a test as another user (POSIX, as root only): a forked process that takes
// user and group 65534 (nobody) and exits with what the piece returns.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

namespace kivo::test {

inline constexpr unsigned kNobody = 65534;

// The exit code of `child` run as nobody; 100 when the process could not become nobody,
// 101 when it did not exit normally.
template <typename F>
int AsNobody(F child) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(100);
        ::_exit(child());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

}  // namespace kivo::test
