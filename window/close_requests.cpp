#include "window/close_requests.h"

#include <QSocketNotifier>

CloseRequests::CloseRequests(std::function<void()> onRequest, QObject* parent)
    : QObject(parent), request(std::move(onRequest)), stopSignals(std::make_unique<StopSignals>()) {
    if (stopSignals->WakeUpFd() < 0) {
        stopSignals.reset(); // the signals keep their default: nothing worse than before
        return;
    }
    auto* notifier = new QSocketNotifier(stopSignals->WakeUpFd(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        stopSignals->TakeRequests();
        request();
    });
}

CloseRequests::~CloseRequests() = default;
