#pragma once
// Hostile file cases run as nobody when we are root: root writes through any permission and
// would hide the fault.

#include <QTest>

#include <cstdio>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

inline constexpr uid_t kNobody = 65534;

// In a child process (forked, or about to start a program): drops to nobody.
inline bool BecomeNobody() {
    return ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
}

// Runs `run` as nobody in a forked child when we are root, otherwise as we are. A failed check
// in the child prints as usual and fails the case here.
inline void AsNobody(const std::function<void()>& run) {
    if (::geteuid() != 0) {
        run();
        return;
    }
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = BecomeNobody();
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
