#include "tools/virtual_board/pty_master.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace vboard {

namespace {

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

bool PtyMaster::open(std::string& error) {
    const auto fail = [&](const char* what) {
        error = std::string(what) + ": " + std::strerror(errno);
        hangUp();
        return false;
    };
    m_fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        return fail("posix_openpt");
    }
    if (grantpt(m_fd) != 0 || unlockpt(m_fd) != 0) {
        return fail("grantpt/unlockpt");
    }
    const char* name = ptsname(m_fd);
    if (name == nullptr) {
        return fail("ptsname");
    }
    m_slavePath = name;
    m_openWatch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_openWatch >= 0 && inotify_add_watch(m_openWatch, name, IN_OPEN) < 0) {
        ::close(m_openWatch);
        m_openWatch = -1;
    }
    // Termios calls on the master act on the slave: start raw, like a bare UART,
    // so even a terminal program sees the bytes unaltered.
    termios settings{};
    if (tcgetattr(m_fd, &settings) == 0) {
        cfmakeraw(&settings);
        settings.c_cflag |= CLOCAL | CREAD;
        cfsetspeed(&settings, B9600);
        tcsetattr(m_fd, TCSANOW, &settings);
    }
    return true;
}

bool PtyMaster::readAll(std::string& bytes) {
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(m_fd, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, static_cast<std::size_t>(count));
        } else if (count == 0 || errno != EINTR) {
            return count < 0 && errno == EAGAIN; // else EIO: the slave's last user closed it
        }
    }
}

long PtyMaster::write(std::string_view bytes) {
    ssize_t count = 0;
    do {
        count = ::write(m_fd, bytes.data(), bytes.size());
    } while (count < 0 && errno == EINTR);
    return count >= 0 ? static_cast<long>(count) : errno == EAGAIN ? 0 : -1;
}

bool PtyMaster::peerPresent() const {
    pollfd probe{m_fd, POLLIN, 0};
    return poll(&probe, 1, 0) < 0 || (probe.revents & POLLHUP) == 0;
}

std::string PtyMaster::lineSettingsMismatch() const {
    termios settings{};
    if (tcgetattr(m_fd, &settings) != 0) {
        return {};
    }
    std::string problems;
    const long inBaud = speedToBaud(cfgetispeed(&settings));
    const long outBaud = speedToBaud(cfgetospeed(&settings));
    if (outBaud != 9600 || (inBaud != 9600 && inBaud != -1)) {
        problems += " velocità " + std::to_string(outBaud) + " baud invece di 9600;";
    }
    const tcflag_t flags = settings.c_cflag;
    const std::pair<bool, const char*> checks[] = {
        {(flags & CSIZE) != CS8, " dati non a 8 bit;"},
        {(flags & PARENB) != 0, " parità attiva;"},
        {(flags & CSTOPB) != 0, " 2 bit di stop;"},
        {(flags & CRTSCTS) != 0, " controllo di flusso RTS/CTS (la scheda non lo gestisce);"}};
    for (const auto& [wrong, text] : checks) {
        problems += wrong ? text : "";
    }
    return problems;
}

void PtyMaster::drainOpenWatch() {
    char events[512];
    while (m_openWatch >= 0 && ::read(m_openWatch, events, sizeof events) > 0) {
    }
}

void PtyMaster::hangUp() {
    for (int* fd : {&m_openWatch, &m_fd}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
}

} // namespace vboard
