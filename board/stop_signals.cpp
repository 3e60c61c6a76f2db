#include "board/stop_signals.h"

#include <QtGlobal>

#include <csignal>

namespace {

volatile std::sig_atomic_t requested = 0;

} // namespace

#ifdef Q_OS_UNIX

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
std::array<struct sigaction, kSignals.size()> before{};
int wakeUp[2] = {-1, -1}; // the handler writes, the event loop reads

void NoteRequest(int /*signal*/) {
    const int savedErrno = errno;
    requested = 1;
    if (wakeUp[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakeUp[1], &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

StopSignals::StopSignals() {
    requested = 0;
    if (::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) {
        wakeUp[0] = wakeUp[1] = -1; // the flag still works
    }
    struct sigaction noting {};
    noting.sa_handler = NoteRequest;
    sigemptyset(&noting.sa_mask);
    noting.sa_flags = SA_RESTART;
    for (std::size_t k = 0; k < kSignals.size(); ++k) {
        sigaction(kSignals[k], &noting, &before[k]);
    }
}

StopSignals::~StopSignals() {
    for (std::size_t k = 0; k < kSignals.size(); ++k) {
        sigaction(kSignals[k], &before[k], nullptr);
    }
    for (int& fd : wakeUp) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
}

int StopSignals::WakeUpFd() const {
    return wakeUp[0];
}

void StopSignals::TakeRequests() {
    char bytes[16];
    while (wakeUp[0] >= 0 && ::read(wakeUp[0], bytes, sizeof bytes) > 0) {
    }
    requested = 0;
}

#else

namespace {

void NoteRequest(int /*signal*/) {
    requested = 1;
}

} // namespace

StopSignals::StopSignals() {
    requested = 0;
    std::signal(SIGINT, NoteRequest);
    std::signal(SIGTERM, NoteRequest);
}

StopSignals::~StopSignals() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

int StopSignals::WakeUpFd() const {
    return -1;
}

void StopSignals::TakeRequests() {
    requested = 0;
}

#endif

bool StopSignals::Requested() const {
    return requested != 0;
}
