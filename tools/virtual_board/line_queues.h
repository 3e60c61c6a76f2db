#pragma once
// Reply bytes at wire pace: each is due when it is complete on the wire, as a UART sends it.

#include "tools/virtual_board/line_devices.h"
#include "tools/virtual_board/mono_clock.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

namespace vboard {

// One character on the wire at 9600 baud: a start bit, 8 data bits, a stop bit.
inline constexpr Nanos kCharTime{10'000'000'000LL / 9600};

// A byte on the line and the moment it is complete; batch numbers the read that brought it in.
struct TimedByte {
    char value = 0;
    Nanos due{0};
    std::uint64_t batch = 0;
};

// How replies are spread over time besides the character pace.
struct ReplyShaping {
    Nanos delay{0};            // before the first byte of each reply
    std::size_t chunkSize = 0; // 0: no chunks
    Nanos chunkGap{0};         // between chunks, and at the split
    // Each reply in two pieces, split after this many characters; successive replies
    // take the next position up to splitLast, then start again. 0: no split.
    std::size_t splitFirst = 0;
    std::size_t splitLast = 0;
    // A USB adapter's latency timer: bytes off the wire are held until this long after the
    // first of them arrived, or until a packet's worth has gathered. 0: passed on at once.
    Nanos adapterLatency{0};
};

// Bytes in one USB packet of the common adapters (64 less two status bytes).
inline constexpr std::size_t kAdapterPacketBytes = 62;

// Schedules reply bytes at the line's pace. Deadlines are absolute, so a late wake-up
// sends the overdue bytes together instead of pushing the rest of the reply back.
class TransmitQueue {
public:
    // charTime 0: no pace, every byte of a chunk is due at once.
    TransmitQueue(Nanos charTime, const ReplyShaping& shaping)
        : m_charTime(charTime), m_shaping(shaping), m_split(shaping.splitFirst) {}

    void add(const Reply& reply, Nanos now);
    // Bytes that are no reply: at the line's pace from `start` on, without any shaping.
    void addNoise(const std::string& bytes, Nanos start);
    bool empty() const { return m_bytes.empty(); }
    Nanos nextDeadline() const { return m_bytes.empty() ? kNever : m_bytes.front().due; }

    std::string due(Nanos now) const; // the bytes whose time has come, oldest first
    void drop(std::size_t count);     // they went out (or were lost)
    void clear();

private:
    // Queues a byte complete on the wire at `onWire`, held as the adapter holds it.
    void push(char byte, Nanos onWire);

    Nanos m_charTime;
    ReplyShaping m_shaping;
    std::deque<TimedByte> m_bytes;
    Nanos m_lineFree{0};     // end of the last byte scheduled
    std::size_t m_split = 0; // split position of the next reply
    // The adapter's packet being gathered: when it is passed on, and how many bytes it holds.
    Nanos m_packetDue{-1};
    std::size_t m_packetBytes = 0;
};

} // namespace vboard
