#pragma once
// What the board leaves for a test to read: every received byte, and its image after a write.

#include "tools/virtual_board/board_image.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace vboard {

// Appends every received byte as two hex digits and a newline, written at once (no buffer),
// so that a test sees exactly what the program sent so far. Not opened, it keeps nothing.
class ByteLog {
public:
    bool open(const std::string& path, std::string& error);
    void append(std::string_view bytes);

private:
    struct Close {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Close> m_file;
};

// 256 upper-case hex digits and a newline, written whole or not at all (a temporary file
// renamed), so a reader never sees half an image.
bool dumpImage(const std::string& path, const BoardImage& image, std::string& error);

} // namespace vboard
