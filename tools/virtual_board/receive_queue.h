#pragma once
// Bytes read from the pty, released one wire time apart as a real UART would deliver them.

#include "tools/virtual_board/mono_clock.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string_view>

namespace vboard {

// One received byte; batch numbers the read that brought it in.
struct ReceivedByte {
    std::uint8_t value = 0;
    Nanos due{0};
    std::uint64_t batch = 0;
};

// The pty hands over whole writes at once; this restores the line's pace on the way in.
class ReceiveQueue {
public:
    explicit ReceiveQueue(Nanos charTime) : m_charTime(charTime) {}

    void add(std::string_view bytes, Nanos now, std::uint64_t batch);
    std::optional<Nanos> nextDeadline() const;
    std::optional<ReceivedByte> takeDue(Nanos now);

private:
    Nanos m_charTime;
    std::deque<ReceivedByte> m_bytes;
    std::optional<Nanos> m_lastDue;
};

} // namespace vboard
