#include "tools/virtual_board/receive_queue.h"

#include <algorithm>

namespace vboard {

void ReceiveQueue::add(std::string_view bytes, Nanos now, std::uint64_t batch) {
    for (char c : bytes) {
        // A byte is complete one wire time after its start bit, also on an idle line.
        const Nanos due = (m_lastDue ? std::max(now, *m_lastDue) : now) + m_charTime;
        m_lastDue = due;
        m_bytes.push_back({static_cast<std::uint8_t>(c), due, batch});
    }
}

std::optional<Nanos> ReceiveQueue::nextDeadline() const {
    if (m_bytes.empty()) {
        return std::nullopt;
    }
    return m_bytes.front().due;
}

std::optional<ReceivedByte> ReceiveQueue::takeDue(Nanos now) {
    if (m_bytes.empty() || m_bytes.front().due > now) {
        return std::nullopt;
    }
    const ReceivedByte byte = m_bytes.front();
    m_bytes.pop_front();
    return byte;
}

} // namespace vboard
