#include "tools/virtual_board/stop_signals.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/signalfd.h>

namespace vboard {

namespace {

int signalFd = -1;

} // namespace

bool catchStopSignals(std::string& error) {
    // A harness that stops reading our output must not kill us mid-cleanup.
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t stops;
    sigemptyset(&stops);
    for (int number : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&stops, number);
    }
    if (sigprocmask(SIG_BLOCK, &stops, nullptr) == 0) {
        signalFd = signalfd(-1, &stops, SFD_NONBLOCK | SFD_CLOEXEC);
    }
    if (signalFd < 0) {
        error = std::string("signalfd: ") + std::strerror(errno);
    }
    return signalFd >= 0;
}

int stopSignalFd() {
    return signalFd;
}

} // namespace vboard
