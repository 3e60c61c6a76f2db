#pragma once
// The board's main loop: reads the line, feeds the device at wire pace, sends its replies.

#include "tools/virtual_board/board_records.h"
#include "tools/virtual_board/junk_text.h"
#include "tools/virtual_board/line_devices.h"
#include "tools/virtual_board/line_queues.h"
#include "tools/virtual_board/pty_master.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>

namespace vboard {

// How the line behaves, independent of the device on it.
struct LineSettings {
    bool paced = true; // at 9600 baud 8N1; false: as fast as the pty goes
    ReplyShaping shaping;
    std::uint64_t hangupAfterBytes = 0; // hang up once this many bytes came in; 0: never
    bool watchStdin = false;            // end when standard input closes
    // Junk (no CR LF) that follows each reply once the line has been quiet this long.
    std::size_t junkAfterReply = 0;
    Nanos junkGap = std::chrono::milliseconds(20);
};

// Single-threaded poll loop over the pty master, the signal descriptor and (optionally) stdin.
class BoardLoop {
public:
    enum class End { Signal, StdinClosed, HangupAfterBytes, Failure };

    BoardLoop(PtyMaster& pty, Responder& device, const LineSettings& settings, ByteLog& log,
              Announce announce);

    End run();
    std::uint64_t receivedCount() const { return m_received; }

private:
    // Sleeps until the deadline or until something happens; a value ends the loop.
    std::optional<End> wait(Nanos deadline, Nanos now);
    void readLine(Nanos now);
    void process(const TimedByte& byte, Nanos now);
    void transmitDue(Nanos now);
    void replyWentOut(Nanos now);
    void peerLeft();

    PtyMaster& m_pty;
    Responder& m_device;
    LineSettings m_settings;
    ByteLog& m_log;
    Announce m_announce;
    Nanos m_charTime;
    // Received bytes, each due when a UART would have delivered it: the pty hands over whole
    // writes at once.
    std::deque<TimedByte> m_rx;
    Nanos m_rxLineFree{0}; // when the last received byte is complete
    TransmitQueue m_tx;
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
