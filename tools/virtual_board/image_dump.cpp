#include "tools/virtual_board/image_dump.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vboard {

bool dumpImage(const std::string& path, const BoardImage& image, std::string& error) {
    const std::string temporary = path + ".tmp";
    const std::string text = imageToHex(image) + '\n';
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        error = temporary + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace vboard
