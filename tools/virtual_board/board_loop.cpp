#include "tools/virtual_board/board_loop.h"

#include "tools/virtual_board/stop_signals.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
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

std::optional<Nanos> earliest(std::optional<Nanos> a, std::optional<Nanos> b) {
    if (!a) {
        return b;
    }
    if (!b) {
        return a;
    }
    return std::min(*a, *b);
}

int pollTimeout(std::optional<Nanos> deadline, Nanos now, bool peerPresent) {
    int timeout = -1;
    if (deadline) {
        // Wake a little early; the last stretch is slept precisely.
        const Nanos wait = *deadline - now - milliseconds(1);
        timeout = wait.count() <= 0
                      ? 0
                      : static_cast<int>(std::min<long long>(
                            std::chrono::duration_cast<milliseconds>(wait).count(), 60000));
    }
    if (!peerPresent) {
        const int probe = static_cast<int>(kPeerProbeInterval.count());
        timeout = timeout < 0 ? probe : std::min(timeout, probe);
    }
    return timeout;
}

} // namespace

BoardLoop::BoardLoop(PtyMaster& pty, Responder& device, const LineSettings& settings)
    : m_pty(pty), m_device(device), m_settings(settings), m_rx(settings.charTime),
      m_tx(settings.charTime, settings.shaping) {}

BoardLoop::End BoardLoop::run() {
    std::optional<Nanos> endAt;
    if (m_settings.exitAfter) {
        endAt = monotonicNow() + *m_settings.exitAfter;
    }
    m_peerPresent = m_pty.peerPresent();

    for (;;) {
        const Nanos now = monotonicNow();
        if (endAt && now >= *endAt) {
            m_pty.hangUp();
            return End::HangupAfterTime;
        }
        while (const std::optional<ReceivedByte> byte = m_rx.takeDue(now)) {
            process(*byte, now);
            if (m_settings.hangupAfterBytes && m_processed >= *m_settings.hangupAfterBytes) {
                m_pty.hangUp();
                return End::HangupAfterBytes;
            }
        }
        transmitDue(now);
        if (const std::optional<End> end = wait(nextDeadline(endAt), now)) {
            return *end;
        }
    }
}

std::optional<BoardLoop::End> BoardLoop::wait(std::optional<Nanos> deadline, Nanos now) {
    std::array<pollfd, 4> fds{};
    nfds_t count = 0;
    fds[count++] = {stopSignalFd(), POLLIN, 0};
    const nfds_t stdinIndex = m_settings.watchStdin ? count++ : 0;
    if (m_settings.watchStdin) {
        fds[stdinIndex] = {STDIN_FILENO, POLLIN, 0};
    }
    const nfds_t ptyIndex = m_peerPresent ? count++ : 0;
    if (m_peerPresent) {
        const short events = static_cast<short>(POLLIN | (m_txBlocked ? POLLOUT : 0));
        fds[ptyIndex] = {m_pty.fd(), events, 0};
    }
    // A program opening the port writes at once: wake then, not at the next look.
    const bool watchOpen = !m_peerPresent && m_pty.openWatchFd() >= 0;
    if (watchOpen) {
        fds[count++] = {m_pty.openWatchFd(), POLLIN, 0};
    }

    const int ready = poll(fds.data(), count, pollTimeout(deadline, now, m_peerPresent));
    if (ready < 0 && errno != EINTR) {
        return End::Failure;
    }
    if ((fds[0].revents & POLLIN) != 0) {
        return End::Signal;
    }
    if (m_settings.watchStdin && fds[stdinIndex].revents != 0 && stdinClosed()) {
        return End::StdinClosed;
    }
    now = monotonicNow();
    if (m_peerPresent) {
        const short events = fds[ptyIndex].revents;
        if ((events & POLLOUT) != 0) {
            m_txBlocked = false;
        }
        if ((events & POLLIN) != 0) {
            readLine(now);
        } else if ((events & (POLLHUP | POLLERR)) != 0) {
            peerLeft();
        }
    } else {
        if (watchOpen) {
            m_pty.drainOpenWatch();
        }
        if (m_pty.peerPresent()) {
            m_peerPresent = true;
            m_settingsChecked = false;
            announce("Porta aperta dal programma");
        }
    }

    if (ready == 0 && deadline && *deadline > now && *deadline - now <= kFineSleep) {
        sleepUntil(*deadline);
    }
    return std::nullopt;
}

void BoardLoop::readLine(Nanos now) {
    std::string bytes;
    const PtyMaster::ReadState state = m_pty.readAll(bytes);
    if (!bytes.empty()) {
        if (m_settings.hangupAfterBytes) {
            // Past the limit the line is already dead: those bytes never arrive.
            const std::uint64_t room = *m_settings.hangupAfterBytes - m_received;
            bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(room, bytes.size())));
        }
        m_received += bytes.size();
        if (m_log != nullptr) {
            m_log->append(bytes);
        }
        if (!m_settingsChecked) {
            m_settingsChecked = true;
            const std::string mismatch = m_pty.lineSettingsMismatch(m_settings.baud);
            if (!mismatch.empty()) {
                // Always on stderr: a program that sets the port wrongly fails on a real board.
                const std::string text = "miravel6-virtual-board: attenzione, porta impostata "
                                         "diversamente dalla scheda:" +
                                         mismatch + " una scheda vera riceverebbe caratteri errati";
                std::fprintf(stderr, "%s\n", text.c_str());
            }
        }
        if (m_junkQueued) {
            // The line was not quiet long enough: what has not gone out yet never will.
            m_tx.clear();
            m_junkQueued = false;
        }
        m_rx.add(bytes, now, ++m_batch);
    }
    if (state == PtyMaster::ReadState::NoPeer) {
        peerLeft();
    }
}

void BoardLoop::process(const ReceivedByte& byte, Nanos now) {
    ++m_processed;
    // While a board talks it does not listen: what arrived before its reply was out is lost.
    // That is also why a board answers only the R of "RAT" CR LF.
    if (m_device.deafWhileAnswering() && (!m_tx.empty() || byte.batch <= m_batchAtLastReplyEnd)) {
        return;
    }
    const Reply reply = m_device.receive(byte.value);
    if (!reply.empty()) {
        // A real board answers from the moment the byte was complete on its line; a late
        // wake-up here must not delay the reply (the queue's deadlines then catch up).
        m_tx.add(reply, std::min(byte.due, now));
    }
}

void BoardLoop::transmitDue(Nanos now) {
    if (m_tx.empty() || m_txBlocked) {
        return;
    }
    const std::string due = m_tx.due(now);
    if (due.empty()) {
        return;
    }
    if (!m_peerPresent) {
        m_tx.drop(due.size()); // nobody listens: the bytes are lost on the wire
    } else {
        const long written = m_pty.write(due);
        if (written < 0) {
            peerLeft();
        } else {
            m_tx.drop(static_cast<std::size_t>(written));
            m_txBlocked = static_cast<std::size_t>(written) < due.size();
        }
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
            announce("Rumore dopo la risposta: " + std::to_string(m_settings.junkAfterReply) +
                     " byte");
        }
        return;
    }
    if (m_settings.junkAfterReply == 0 || !m_peerPresent) {
        return;
    }
    m_tx.addNoise(m_junk.make(m_settings.junkAfterReply), now + m_settings.junkGap);
    m_junkQueued = true;
}

void BoardLoop::peerLeft() {
    if (m_peerPresent) {
        announce("Porta chiusa dal programma");
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

bool BoardLoop::stdinClosed() const {
    char buffer[256];
    const ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
    return count == 0 || (count < 0 && errno != EINTR && errno != EAGAIN);
}

std::optional<Nanos> BoardLoop::nextDeadline(std::optional<Nanos> endAt) const {
    std::optional<Nanos> deadline = earliest(m_rx.nextDeadline(), endAt);
    if (!m_txBlocked) {
        deadline = earliest(deadline, m_tx.nextDeadline());
    }
    return deadline;
}

void BoardLoop::announce(std::string_view text) const {
    if (m_announce) {
        m_announce(text);
    }
}

} // namespace vboard
