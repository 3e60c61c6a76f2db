#pragma once
// The driver's low-latency mode in the serial line flags (Linux's serial_struct.flags).
// USB adapters hold received bytes for a latency timer (16 ms on the common chips) unless
// this flag is set; a board write is 129 short replies, so the timer would triple its time.

#include <optional>

inline constexpr int kLowLatencyFlag = 1 << 13; // ASYNC_LOW_LATENCY

// The flags to set for low latency, or nothing when they have it already.
std::optional<int> FlagsWithLowLatency(int flags);

// The flags to put back at close: the present ones with the low-latency bit as it was before
// the port was opened, so that anything else changed meanwhile stays.
int FlagsRestored(int present, int beforeOpen);
