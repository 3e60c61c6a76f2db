#include "tools/virtual_board/board_loop.h"

#include "tools/virtual_board/stop_signals.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace vboard {

namespace {

using std::chrono::milliseconds;

// Without anyone on the slave the master reports a hang-up on every poll; look again
// this often instead of spinning.
constexpr milliseconds kPeerProbeInterval{10};

// Deadlines closer than this are met with clock_nanosleep; poll only has milliseconds.
constexpr milliseconds kFineSleep{2};

int pollTimeout(Nanos deadline, Nanos now, bool peerPresent) {
    // Wake a little early; the last stretch is slept precisely.
    Nanos wait =
        deadline == kNever ? Nanos(std::chrono::minutes(1)) : deadline - now - milliseconds(1);
    if (!peerPresent) {
        wait = std::min<Nanos>(wait, kPeerProbeInterval);
    }
    return static_cast<int>(
        std::clamp<long long>(std::chrono::duration_cast<milliseconds>(wait).count(), 0, 60000));
}

bool stdinClosed() {
    char buffer[256];
    const ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
    return count == 0 || (count < 0 && errno != EINTR && errno != EAGAIN);
}

} // namespace

BoardLoop::BoardLoop(PtyMaster& pty, Responder& device, const LineSettings& settings, ByteLog& log,
                     Announce announce)
    : m_pty(pty), m_device(device), m_settings(settings), m_log(log),
      m_announce(std::move(announce)), m_charTime(settings.paced ? kCharTime : Nanos(0)),
      m_tx(m_charTime, settings.shaping) {}

BoardLoop::End BoardLoop::run() {
    m_peerPresent = m_pty.peerPresent();
    for (;;) {
        const Nanos now = monotonicNow();
        while (!m_rx.empty() && m_rx.front().due <= now) {
            const TimedByte byte = m_rx.front();
            m_rx.pop_front();
            process(byte, now);
            if (m_settings.hangupAfterBytes != 0 && m_processed >= m_settings.hangupAfterBytes) {
                m_pty.hangUp();
                return End::HangupAfterBytes;
            }
        }
        transmitDue(now);
        const Nanos rxDue = m_rx.empty() ? kNever : m_rx.front().due;
        const Nanos txDue = m_txBlocked ? kNever : m_tx.nextDeadline();
        if (const auto end = wait(std::min(rxDue, txDue), now)) {
            return *end;
        }
    }
}

std::optional<BoardLoop::End> BoardLoop::wait(Nanos deadline, Nanos now) {
    // poll skips the entries whose descriptor is negative. A program opening the port writes
    // at once: the open watch wakes the loop then, not at its next look.
    const auto events = static_cast<short>(POLLIN | (m_txBlocked ? POLLOUT : 0));
    std::array<pollfd, 4> fds{{{stopSignalFd(), POLLIN, 0},
                               {m_settings.watchStdin ? STDIN_FILENO : -1, POLLIN, 0},
                               {m_peerPresent ? m_pty.fd() : -1, events, 0},
                               {m_peerPresent ? -1 : m_pty.openWatchFd(), POLLIN, 0}}};
    const int ready = poll(fds.data(), fds.size(), pollTimeout(deadline, now, m_peerPresent));
    if (ready < 0 && errno != EINTR) {
        return End::Failure;
    }
    if ((fds[0].revents & POLLIN) != 0) {
        return End::Signal;
    }
    if (fds[1].revents != 0 && stdinClosed()) {
        return End::StdinClosed;
    }
    now = monotonicNow();
    if (m_peerPresent) {
        if ((fds[2].revents & POLLOUT) != 0) {
            m_txBlocked = false;
        }
        if ((fds[2].revents & POLLIN) != 0) {
            readLine(now);
        } else if ((fds[2].revents & (POLLHUP | POLLERR)) != 0) {
            peerLeft();
        }
    } else {
        m_pty.drainOpenWatch();
        if (m_pty.peerPresent()) {
            m_peerPresent = true;
            m_settingsChecked = false;
            m_announce("Porta aperta dal programma");
        }
    }
    if (ready == 0 && deadline > now && deadline - now <= kFineSleep) {
        sleepUntil(deadline);
    }
    return std::nullopt;
}

void BoardLoop::readLine(Nanos now) {
    std::string bytes;
    const bool peerStays = m_pty.readAll(bytes);
    if (m_settings.hangupAfterBytes != 0) {
        // Past the limit the line is already dead: those bytes never arrive.
        bytes.resize(static_cast<std::size_t>(
            std::min<std::uint64_t>(m_settings.hangupAfterBytes - m_received, bytes.size())));
    }
    if (!bytes.empty()) {
        m_received += bytes.size();
        m_log.append(bytes);
        if (!m_settingsChecked) {
            m_settingsChecked = true;
            const std::string mismatch = m_pty.lineSettingsMismatch();
            if (!mismatch.empty()) {
                // Always on stderr: a program that sets the port wrongly fails on a real board.
                std::fprintf(stderr,
                             "miravel6-virtual-board: attenzione, porta impostata diversamente "
                             "dalla scheda:%s una scheda vera riceverebbe caratteri errati\n",
                             mismatch.c_str());
            }
        }
        if (m_junkQueued) {
            // The line was not quiet long enough: what has not gone out yet never will.
            m_tx.clear();
            m_junkQueued = false;
        }
        ++m_batch;
        for (const char byte : bytes) {
            // A byte is complete one character time after its start bit, also on an idle line.
            m_rxLineFree = std::max(now, m_rxLineFree) + m_charTime;
            m_rx.push_back({byte, m_rxLineFree, m_batch});
        }
    }
    if (!peerStays) {
        peerLeft();
    }
}

void BoardLoop::process(const TimedByte& byte, Nanos now) {
    ++m_processed;
    // While a board talks it does not listen: what arrived before its reply was out is lost.
    // That is also why a board answers only the R of "RAT" CR LF.
    if (m_device.deafWhileAnswering() && (!m_tx.empty() || byte.batch <= m_batchAtLastReplyEnd)) {
        return;
    }
    const Reply reply = m_device.receive(static_cast<std::uint8_t>(byte.value));
    if (!reply.empty()) {
        // A real board answers from the moment the byte was complete on its line; a late
        // wake-up here must not delay the reply (the queue's deadlines then catch up).
        m_tx.add(reply, std::min(byte.due, now));
    }
}

void BoardLoop::transmitDue(Nanos now) {
    const std::string due = m_txBlocked ? std::string() : m_tx.due(now);
    if (due.empty()) {
        return;
    }
    if (!m_peerPresent) {
        m_tx.drop(due.size()); // nobody listens: the bytes are lost on the wire
    } else if (const long written = m_pty.write(due); written < 0) {
        peerLeft();
    } else {
        m_tx.drop(static_cast<std::size_t>(written));
        m_txBlocked = static_cast<std::size_t>(written) < due.size();
    }
    if (m_tx.empty()) {
        m_batchAtLastReplyEnd = m_batch;
        replyWentOut(now);
    }
}

void BoardLoop::replyWentOut(Nanos now) {
    if (m_junkQueued) {
        m_junkQueued = false;
        if (m_peerPresent) {
            m_announce("Rumore dopo la risposta: " + std::to_string(m_settings.junkAfterReply) +
                       " byte");
        }
    } else if (m_settings.junkAfterReply != 0 && m_peerPresent) {
        m_tx.addNoise(m_junk.make(m_settings.junkAfterReply), now + m_settings.junkGap);
        m_junkQueued = true;
    }
}

void BoardLoop::peerLeft() {
    if (m_peerPresent) {
        m_announce("Porta chiusa dal programma");
    }
    m_peerPresent = false;
    m_txBlocked = false;
    m_junkQueued = false;
    if (!m_tx.empty()) {
        // Pending bytes would otherwise wait in the pty for the next user.
        m_tx.clear();
        m_batchAtLastReplyEnd = m_batch;
    }
}

} // namespace vboard
