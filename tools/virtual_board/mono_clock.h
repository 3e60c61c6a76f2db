#pragma once
// Monotonic time in nanoseconds: every deadline of the board lives on this clock.

#include <chrono>

namespace vboard {

using Nanos = std::chrono::nanoseconds;

Nanos monotonicNow();

// Sleeps until the absolute deadline; a signal may end the sleep early.
void sleepUntil(Nanos deadline);

} // namespace vboard
