#pragma once
// Hostile file cases run as nobody when we are root: root writes through any permission and
// would hide the fault.

#include <QTest>

#include <cstdio>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

inline constexpr uid_t kNobody = 65534;

// Runs `run` in a forked child, as nobody when we are root, otherwise as we are: what it changes
// of its process (the environment, say) ends with the child. A failed check in the child prints
// as usual and fails the case here.
inline void AsNobody(const std::function<void()>& run) {
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::geteuid() != 0 || (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
        if (dropped) {
            run();
        }
        std::fflush(stdout);
        std::fflush(stderr);
        ::_exit(dropped && !QTest::currentTestFailed() ? 0 : 1);
    }
    int status = 0;
    QVERIFY(child > 0 && ::waitpid(child, &status, 0) == child);
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "the case run as nobody failed");
}
