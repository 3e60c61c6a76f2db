#pragma once
// A symbolic link to the pty slave under a fixed name, for programs that want a stable path.

#include <string>

namespace vboard {

// Creates the link (replacing an old symlink, never a real file) and removes it on exit
// if it still points at our slave.
class SlaveLink {
public:
    SlaveLink() = default;
    ~SlaveLink();
    SlaveLink(const SlaveLink&) = delete;
    SlaveLink& operator=(const SlaveLink&) = delete;

    bool create(const std::string& linkPath, const std::string& target, std::string& error);

private:
    std::string m_path;
    std::string m_target;
};

} // namespace vboard
