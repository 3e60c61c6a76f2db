#include "window/clock.h"

#include <chrono>

qint64 SteadyClock::MonotonicMs() const {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
}
