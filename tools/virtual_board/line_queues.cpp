#include "tools/virtual_board/line_queues.h"

#include <algorithm>

namespace vboard {

void TransmitQueue::add(const Reply& reply, Nanos now) {
    const std::size_t split = m_split;
    if (m_split > 0) {
        m_split = m_split >= m_shaping.splitLast ? m_shaping.splitFirst : m_split + 1;
    }
    std::size_t sent = 0;
    for (const ReplyPart& part : reply) {
        for (std::size_t i = 0; i < part.bytes.size(); ++i, ++sent) {
            Nanos gap = i == 0 ? part.pauseBefore : Nanos(0);
            const bool chunkStarts = m_shaping.chunkSize > 0 && sent % m_shaping.chunkSize == 0;
            if (sent > 0 && (chunkStarts || sent == split)) {
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
        const std::size_t gathered = std::min(m_packetBytes, m_bytes.size());
        for (auto it = m_bytes.end() - static_cast<std::ptrdiff_t>(gathered); it != m_bytes.end();
             ++it) {
            it->due = onWire;
        }
        m_packetBytes = 0;
    }
}

std::string TransmitQueue::due(Nanos now) const {
    std::string bytes;
    for (auto it = m_bytes.begin(); it != m_bytes.end() && it->due <= now; ++it) {
        bytes += it->value;
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
