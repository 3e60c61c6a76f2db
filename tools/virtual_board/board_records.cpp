#include "tools/virtual_board/board_records.h"

#include <cerrno>
#include <cstring>

namespace vboard {

ByteLog::~ByteLog() {
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
}

bool ByteLog::open(const std::string& path, std::string& error) {
    m_file = std::fopen(path.c_str(), "ae");
    if (m_file == nullptr) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    std::setvbuf(m_file, nullptr, _IONBF, 0);
    return true;
}

void ByteLog::append(std::string_view bytes) {
    std::string lines;
    for (char c : bytes) {
        lines += hexByte(static_cast<std::uint8_t>(c)) + '\n';
    }
    if (m_file != nullptr && !lines.empty()) {
        std::fwrite(lines.data(), 1, lines.size(), m_file);
    }
}

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
