#pragma once
// The desktop ends a session (log-out, shutdown) with SIGTERM or SIGHUP, a terminal with
// SIGINT. Left to their default, these would end the program between two bytes of a board
// write. Instead each becomes a close request of the window, which refuses it while a board
// operation runs and closes once it has ended.

#include "board/stop_signals.h"

#include <QObject>
#include <functional>
#include <memory>

class CloseRequests final : public QObject {
    Q_OBJECT

public:
    // One instance at a time; `request` runs on the event loop for each signal.
    explicit CloseRequests(std::function<void()> request, QObject* parent = nullptr);
    ~CloseRequests() override; // the signals act as before again

private:
    std::function<void()> request;
    std::unique_ptr<StopSignals> stopSignals; // none where the event loop could not be woken
};
