#include "window/close_requests.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX

#include <array>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGHUP, SIGINT};
std::array<struct sigaction, kSignals.size()> before{};
int wakeUp[2] = {-1, -1}; // the handler writes, the event loop reads

void NoteSignal(int /*signal*/) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[1], &byte, 1);
}

} // namespace

CloseRequests::CloseRequests(std::function<void()> onRequest, QObject* parent)
    : QObject(parent), request(std::move(onRequest)) {
    if (::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) {
        return; // the signals keep their default: nothing worse than before
    }
    notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(wakeUp[0], bytes, sizeof bytes) > 0) {
        }
        request();
    });
    struct sigaction noting {};
    noting.sa_handler = NoteSignal;
    sigemptyset(&noting.sa_mask);
    noting.sa_flags = SA_RESTART;
    for (std::size_t k = 0; k < kSignals.size(); ++k) {
        sigaction(kSignals[k], &noting, &before[k]);
    }
}

CloseRequests::~CloseRequests() {
    if (notifier == nullptr) {
        return;
    }
    for (std::size_t k = 0; k < kSignals.size(); ++k) {
        sigaction(kSignals[k], &before[k], nullptr);
    }
    delete notifier;
    ::close(wakeUp[0]);
    ::close(wakeUp[1]);
    wakeUp[0] = wakeUp[1] = -1;
}

#else

CloseRequests::CloseRequests(std::function<void()> onRequest, QObject* parent)
    : QObject(parent), request(std::move(onRequest)) {}

CloseRequests::~CloseRequests() = default;

#endif
