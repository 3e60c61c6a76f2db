#pragma once
// The board's main loop: reads the line, feeds the device at wire pace, sends its replies.

#include "tools/virtual_board/board_records.h"
#include "tools/virtual_board/junk_text.h"
#include "tools/virtual_board/line_queues.h"
#include "tools/virtual_board/mono_clock.h"
#include "tools/virtual_board/pty_master.h"
#include "tools/virtual_board/responder.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace vboard {

// How the line behaves, independent of the device on it.
struct LineSettings {
    Nanos charTime{0}; // one character on the wire; 0: no pace
    long baud = 9600;
    ReplyShaping shaping;
    std::optional<std::uint64_t> hangupAfterBytes;
    std::optional<Nanos> exitAfter;
    bool watchStdin = false;
    // Junk (no CR LF) that follows each reply once the line has been quiet this long.
    std::size_t junkAfterReply = 0;
    Nanos junkGap{0};
};

// Single-threaded poll loop over the pty master, the signal pipe and (optionally) stdin.
class BoardLoop {
public:
    enum class End { Signal, StdinClosed, HangupAfterBytes, HangupAfterTime, Failure };
    using Announce = std::function<void(std::string_view)>;

    BoardLoop(PtyMaster& pty, Responder& device, const LineSettings& settings);

    void setLog(ByteLog* log) { m_log = log; }
    void setAnnounce(Announce announce) { m_announce = std::move(announce); }

    End run();
    std::uint64_t receivedCount() const { return m_received; }

private:
    // Sleeps until the deadline or until something happens; a value ends the loop.
    std::optional<End> wait(std::optional<Nanos> deadline, Nanos now);
    void readLine(Nanos now);
    void process(const ReceivedByte& byte, Nanos now);
    void transmitDue(Nanos now);
    void replyWentOut(Nanos now);
    void peerLeft();
    bool stdinClosed() const;
    std::optional<Nanos> nextDeadline(std::optional<Nanos> endAt) const;
    void announce(std::string_view text) const;

    PtyMaster& m_pty;
    Responder& m_device;
    LineSettings m_settings;
    ReceiveQueue m_rx;
    TransmitQueue m_tx;
    ByteLog* m_log = nullptr;
    Announce m_announce;
    JunkText m_junk;

    bool m_peerPresent = true;
    bool m_txBlocked = false; // the pty buffer is full: wait for POLLOUT
    bool m_settingsChecked = false;
    bool m_junkQueued = false;     // the queue holds junk after a reply, not a reply
    std::uint64_t m_received = 0;  // accepted from the line
    std::uint64_t m_processed = 0; // handed to the device
    std::uint64_t m_batch = 0;     // number of the latest read
    std::uint64_t m_batchAtLastReplyEnd = 0;
};

} // namespace vboard
