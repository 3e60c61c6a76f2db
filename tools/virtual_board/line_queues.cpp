#include "tools/virtual_board/line_queues.h"

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

TransmitQueue::TransmitQueue(Nanos charTime, const ReplyShaping& shaping)
    : m_charTime(charTime), m_shaping(shaping), m_split(shaping.splitFirst) {}

void TransmitQueue::add(const Reply& reply, Nanos now) {
    const std::size_t split = m_split;
    if (m_split > 0) {
        m_split = m_split >= m_shaping.splitLast ? m_shaping.splitFirst : m_split + 1;
    }
    std::size_t sent = 0;
    for (const ReplyPart& part : reply) {
        for (std::size_t i = 0; i < part.bytes.size(); ++i, ++sent) {
            Nanos gap = i == 0 ? part.pauseBefore : Nanos(0);
            if (m_shaping.chunkSize > 0 && sent > 0 && sent % m_shaping.chunkSize == 0) {
                gap = std::max(gap, m_shaping.chunkGap);
            }
            if (split > 0 && sent == split) {
                gap = std::max(gap, m_shaping.chunkGap);
            }
            // A byte is written when its last bit would have left the board.
            const Nanos start =
                sent == 0 ? std::max(m_lineFree, now + m_shaping.delay + gap) : m_lineFree + gap;
            m_lineFree = start + m_charTime;
            push(part.bytes[i], m_lineFree);
        }
    }
}

void TransmitQueue::addNoise(const std::string& bytes, Nanos start) {
    m_lineFree = std::max(m_lineFree, start);
    for (const char byte : bytes) {
        m_lineFree += m_charTime;
        push(byte, m_lineFree);
    }
}

void TransmitQueue::push(char byte, Nanos onWire) {
    if (m_shaping.adapterLatency <= Nanos(0)) {
        m_bytes.push_back({byte, onWire});
        return;
    }
    if (m_packetBytes == 0 || onWire >= m_packetDue) {
        // The first byte into an empty buffer starts the latency timer.
        m_packetDue = onWire + m_shaping.adapterLatency;
        m_packetBytes = 0;
    }
    m_bytes.push_back({byte, m_packetDue});
    if (++m_packetBytes == kAdapterPacketBytes) {
        // A full packet goes at once, the bytes gathered before it with it.
        const auto packet =
            m_bytes.end() - static_cast<std::ptrdiff_t>(std::min(m_packetBytes, m_bytes.size()));
        for (auto it = packet; it != m_bytes.end(); ++it) {
            it->due = onWire;
        }
        m_packetBytes = 0;
    }
}

std::optional<Nanos> TransmitQueue::nextDeadline() const {
    if (m_bytes.empty()) {
        return std::nullopt;
    }
    return m_bytes.front().due;
}

std::string TransmitQueue::due(Nanos now) const {
    std::string bytes;
    for (const Pending& pending : m_bytes) {
        if (pending.due > now) {
            break;
        }
        bytes += pending.byte;
    }
    return bytes;
}

void TransmitQueue::drop(std::size_t count) {
    m_bytes.erase(m_bytes.begin(),
                  m_bytes.begin() + static_cast<std::ptrdiff_t>(std::min(count, m_bytes.size())));
}

void TransmitQueue::clear() {
    m_bytes.clear();
    m_lineFree = Nanos(0);
    m_packetBytes = 0;
}

} // namespace vboard
