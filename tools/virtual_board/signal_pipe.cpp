#include "tools/virtual_board/signal_pipe.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vboard {

namespace {

int pipeFds[2] = {-1, -1};
volatile sig_atomic_t caught = 0;

void onSignal(int number) {
    const int savedErrno = errno;
    caught = number;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = write(pipeFds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

bool SignalPipe::install(std::string& error) {
    if (pipe(pipeFds) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    for (int fd : pipeFds) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int number : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(number, &action, nullptr);
    }
    // A harness that stops reading our output must not kill us mid-cleanup.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, nullptr);
    return true;
}

int SignalPipe::readFd() {
    return pipeFds[0];
}

int SignalPipe::caughtSignal() {
    return caught;
}

} // namespace vboard
