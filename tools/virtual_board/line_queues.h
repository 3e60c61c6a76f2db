#pragma once
// The line's two directions at wire pace: bytes read from the pty released one character time
// apart as a UART delivers them, and reply bytes each due when it is complete on the wire.

#include "tools/virtual_board/mono_clock.h"
#include "tools/virtual_board/responder.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
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
    TransmitQueue(Nanos charTime, const ReplyShaping& shaping);

    void add(const Reply& reply, Nanos now);
    // Bytes that are no reply: at the line's pace from `start` on, without any shaping.
    void addNoise(const std::string& bytes, Nanos start);
    bool empty() const { return m_bytes.empty(); }
    std::optional<Nanos> nextDeadline() const;

    std::string due(Nanos now) const; // the bytes whose time has come, oldest first
    void drop(std::size_t count);     // they went out (or were lost)
    void clear();

private:
    struct Pending {
        char byte;
        Nanos due;
    };
    Nanos m_charTime;
    ReplyShaping m_shaping;
    std::deque<Pending> m_bytes;
    // Queues a byte complete on the wire at `onWire`, held as the adapter holds it.
    void push(char byte, Nanos onWire);

    Nanos m_lineFree{0};     // end of the last byte scheduled
    std::size_t m_split = 0; // split position of the next reply
    // The adapter's packet being gathered: when it is passed on, and how many bytes it holds.
    Nanos m_packetDue{-1};
    std::size_t m_packetBytes = 0;
};

} // namespace vboard
