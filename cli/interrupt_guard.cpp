#include "cli/interrupt_guard.h"

#include <QtGlobal>

#include <csignal>

namespace {

volatile std::sig_atomic_t requested = 0;

void NoteRequest(int /*signal*/) {
    requested = 1;
}

} // namespace

#ifdef Q_OS_UNIX

#include <array>

namespace {

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
std::array<struct sigaction, kSignals.size()> before{};

} // namespace

InterruptGuard::InterruptGuard() {
    requested = 0;
    struct sigaction noting {};
    noting.sa_handler = NoteRequest;
    sigemptyset(&noting.sa_mask);
    noting.sa_flags = SA_RESTART;
    for (std::size_t k = 0; k < kSignals.size(); ++k) {
        sigaction(kSignals[k], &noting, &before[k]);
    }
}

InterruptGuard::~InterruptGuard() {
    for (std::size_t k = 0; k < kSignals.size(); ++k) {
        sigaction(kSignals[k], &before[k], nullptr);
    }
}

#else

InterruptGuard::InterruptGuard() {
    requested = 0;
    std::signal(SIGINT, NoteRequest);
    std::signal(SIGTERM, NoteRequest);
}

InterruptGuard::~InterruptGuard() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

#endif

bool InterruptGuard::Requested() const {
    return requested != 0;
}
