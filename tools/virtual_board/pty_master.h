#pragma once
// The master side of a pseudo-terminal; its slave is the serial port the program opens.

#include <string>
#include <string_view>

namespace vboard {

// Owns the master descriptor (non-blocking). Closing it hangs up the slave's user.
class PtyMaster {
public:
    PtyMaster() = default;
    ~PtyMaster() { hangUp(); }
    PtyMaster(const PtyMaster&) = delete;
    PtyMaster& operator=(const PtyMaster&) = delete;

    bool open(std::string& error);
    int fd() const { return m_fd; }
    const std::string& slavePath() const { return m_slavePath; }

    // Appends everything waiting; false once the slave's last user has closed it.
    bool readAll(std::string& bytes);

    // Bytes taken (0 when the buffer is full), or -1 when nobody has the slave open.
    long write(std::string_view bytes);

    // False while nobody has the slave open (the master then reports a hang-up).
    bool peerPresent() const;

    // Readable as soon as someone opens the slave, so that the board notices at once and
    // not at its next look; -1 where the system cannot tell (then only the looks remain).
    int openWatchFd() const { return m_openWatch; }
    void drainOpenWatch();

    // Empty when the slave's user chose the board's settings (9600 baud, 8N1).
    std::string lineSettingsMismatch() const;

    void hangUp();

private:
    int m_fd = -1;
    int m_openWatch = -1;
    std::string m_slavePath;
};

} // namespace vboard
