#pragma once
// Appends every received byte as two hex digits and a newline, written at once (no buffer).

#include <string>
#include <string_view>

namespace vboard {

// Lets a test see exactly what the program sent.
class ByteLog {
public:
    ByteLog() = default;
    ~ByteLog();
    ByteLog(const ByteLog&) = delete;
    ByteLog& operator=(const ByteLog&) = delete;

    bool open(const std::string& path, std::string& error);
    void append(std::string_view bytes);

private:
    int m_fd = -1;
};

} // namespace vboard
