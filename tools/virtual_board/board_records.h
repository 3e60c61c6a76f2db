#pragma once
// What the board leaves for a test to read: every received byte, and its image after a write.

#include "tools/virtual_board/board_image.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace vboard {

// Appends every received byte as two hex digits and a newline, written at once (no buffer),
// so that a test sees exactly what the program sent so far.
class ByteLog {
public:
    ByteLog() = default;
    ~ByteLog();
    ByteLog(const ByteLog&) = delete;
    ByteLog& operator=(const ByteLog&) = delete;

    bool open(const std::string& path, std::string& error);
    void append(std::string_view bytes);

private:
    std::FILE* m_file = nullptr;
};

// 256 upper-case hex digits and a newline; via FILE.tmp and rename, so a reader
// never sees half an image.
bool dumpImage(const std::string& path, const BoardImage& image, std::string& error);

} // namespace vboard
