#include "tools/virtual_board/slave_link.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace vboard {

SlaveLink::~SlaveLink() {
    if (m_path.empty()) {
        return;
    }
    char target[PATH_MAX];
    const ssize_t length = readlink(m_path.c_str(), target, sizeof target);
    if (length >= 0 && std::string(target, static_cast<std::size_t>(length)) == m_target) {
        unlink(m_path.c_str());
    }
}

bool SlaveLink::create(const std::string& linkPath, const std::string& target, std::string& error) {
    struct stat existing {};
    if (lstat(linkPath.c_str(), &existing) == 0) {
        // A link left by a board that was killed may go; anything else is not ours.
        if (!S_ISLNK(existing.st_mode) || unlink(linkPath.c_str()) != 0) {
            error = linkPath + ": esiste già e non è un collegamento simbolico";
            return false;
        }
    }
    if (symlink(target.c_str(), linkPath.c_str()) != 0) {
        error = linkPath + ": " + std::strerror(errno);
        return false;
    }
    m_path = linkPath;
    m_target = target;
    return true;
}

} // namespace vboard
