#include "tools/virtual_board/pty_master.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

#ifdef __linux__
#include <sys/inotify.h>
#endif

namespace vboard {

namespace {

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

long speedToBaud(speed_t speed) {
    static const std::pair<speed_t, long> speeds[] = {
        {B1200, 1200},   {B2400, 2400},   {B4800, 4800},   {B9600, 9600},
        {B19200, 19200}, {B38400, 38400}, {B57600, 57600}, {B115200, 115200}};
    for (const auto& [code, baud] : speeds) {
        if (code == speed) {
            return baud;
        }
    }
    return -1;
}

} // namespace

PtyMaster::~PtyMaster() {
    hangUp();
}

bool PtyMaster::open(std::string& error) {
    m_fd = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_fd < 0) {
        error = systemError("posix_openpt");
        return false;
    }
    if (grantpt(m_fd) != 0 || unlockpt(m_fd) != 0) {
        error = systemError("grantpt/unlockpt");
        hangUp();
        return false;
    }
    const char* name = ptsname(m_fd);
    if (name == nullptr) {
        error = systemError("ptsname");
        hangUp();
        return false;
    }
    m_slavePath = name;
#ifdef __linux__
    m_openWatch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_openWatch >= 0 && inotify_add_watch(m_openWatch, name, IN_OPEN) < 0) {
        ::close(m_openWatch);
        m_openWatch = -1;
    }
#endif

    const int flags = fcntl(m_fd, F_GETFL);
    fcntl(m_fd, F_SETFL, flags | O_NONBLOCK);
    fcntl(m_fd, F_SETFD, FD_CLOEXEC);

    // Termios calls on the master act on the slave: start raw, like a bare UART,
    // so even a terminal program sees the bytes unaltered.
    termios settings{};
    if (tcgetattr(m_fd, &settings) == 0) {
        cfmakeraw(&settings);
        settings.c_cflag |= CLOCAL | CREAD;
        cfsetispeed(&settings, B9600);
        cfsetospeed(&settings, B9600);
        tcsetattr(m_fd, TCSANOW, &settings);
    }
    return true;
}

PtyMaster::ReadState PtyMaster::readAll(std::string& bytes) {
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(m_fd, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, static_cast<std::size_t>(count));
            continue;
        }
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return ReadState::Open;
        }
        return ReadState::NoPeer; // EIO: the slave's last user closed it
    }
}

long PtyMaster::write(std::string_view bytes) {
    for (;;) {
        const ssize_t count = ::write(m_fd, bytes.data(), bytes.size());
        if (count >= 0) {
            return static_cast<long>(count);
        }
        if (errno == EINTR) {
            continue;
        }
        return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    }
}

bool PtyMaster::peerPresent() const {
    pollfd probe{m_fd, POLLIN, 0};
    if (poll(&probe, 1, 0) < 0) {
        return true;
    }
    return (probe.revents & POLLHUP) == 0;
}

std::string PtyMaster::lineSettingsMismatch(long baud) const {
    termios settings{};
    if (tcgetattr(m_fd, &settings) != 0) {
        return {};
    }
    std::string problems;
    const long inBaud = speedToBaud(cfgetispeed(&settings));
    const long outBaud = speedToBaud(cfgetospeed(&settings));
    if (outBaud != baud || (inBaud != baud && inBaud != 0 && inBaud != -1)) {
        problems += " velocità " + std::to_string(outBaud) + " baud invece di " +
                    std::to_string(baud) + ";";
    }
    if ((settings.c_cflag & CSIZE) != CS8) {
        problems += " dati non a 8 bit;";
    }
    if ((settings.c_cflag & PARENB) != 0) {
        problems += " parità attiva;";
    }
    if ((settings.c_cflag & CSTOPB) != 0) {
        problems += " 2 bit di stop;";
    }
    if ((settings.c_cflag & CRTSCTS) != 0) {
        problems += " controllo di flusso RTS/CTS (la scheda non lo gestisce);";
    }
    return problems;
}

void PtyMaster::drainOpenWatch() {
    char events[512];
    while (m_openWatch >= 0 && ::read(m_openWatch, events, sizeof events) > 0) {
    }
}

void PtyMaster::hangUp() {
    if (m_openWatch >= 0) {
        ::close(m_openWatch);
        m_openWatch = -1;
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

} // namespace vboard
