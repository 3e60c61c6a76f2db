#pragma once
// Monotonic time in nanoseconds: every deadline of the board lives on this clock.

#include <chrono>

namespace vboard {

using Nanos = std::chrono::nanoseconds;

inline constexpr Nanos kNever = Nanos::max(); // a deadline that never comes

Nanos monotonicNow();

// Sleeps until the absolute deadline; a signal may end the sleep early.
void sleepUntil(Nanos deadline);

// Asks the system to wake this process at its deadlines instead of up to 50 µs later
// (the default timer slack): at 9600 baud that lateness, twice per exchange, made the
// board answer slower than the wire it stands in for. Where it cannot, nothing changes.
void askPreciseWakeUps();

} // namespace vboard
