#include "tools/virtual_board/board_records.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace vboard {

bool ByteLog::open(const std::string& path, std::string& error) {
    m_file.reset(std::fopen(path.c_str(), "ae"));
    if (!m_file) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    std::setvbuf(m_file.get(), nullptr, _IONBF, 0);
    return true;
}

void ByteLog::append(std::string_view bytes) {
    std::string lines;
    for (char c : bytes) {
        lines += hexByte(static_cast<std::uint8_t>(c)) + '\n';
    }
    if (m_file && !lines.empty()) {
        std::fwrite(lines.data(), 1, lines.size(), m_file.get());
    }
}

bool dumpImage(const std::string& path, const BoardImage& image, std::string& error) {
    QSaveFile file(QString::fromStdString(path));
    const QByteArray text = QByteArray::fromStdString(imageToHex(image) + '\n');
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit()) {
        return true;
    }
    error = path + ": " + file.errorString().toStdString();
    return false;
}

} // namespace vboard
