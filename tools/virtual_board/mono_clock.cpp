#include "tools/virtual_board/mono_clock.h"

#include <ctime>
#include <sys/prctl.h>

namespace vboard {

Nanos monotonicNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::chrono::seconds(now.tv_sec) + Nanos(now.tv_nsec);
}

void sleepUntil(Nanos deadline) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(deadline);
    const timespec until{static_cast<time_t>(seconds.count()),
                         static_cast<long>((deadline - seconds).count())};
    // No retry on EINTR: the caller's loop must see the signal promptly.
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
}

void askPreciseWakeUps() {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL); // 1 ns; 0 would mean "back to the default"
}

} // namespace vboard
