#include "tools/virtual_board/byte_log.h"

#include "tools/virtual_board/board_image.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vboard {

ByteLog::~ByteLog() {
    if (m_fd >= 0) {
        close(m_fd);
    }
}

bool ByteLog::open(const std::string& path, std::string& error) {
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void ByteLog::append(std::string_view bytes) {
    if (m_fd < 0 || bytes.empty()) {
        return;
    }
    std::string lines;
    for (char c : bytes) {
        lines += hexByte(static_cast<std::uint8_t>(c)) + '\n';
    }
    std::string_view rest = lines;
    while (!rest.empty()) {
        const ssize_t written = write(m_fd, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
}

} // namespace vboard
