#include "tools/virtual_board/board_image.h"

namespace vboard {

namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

BoardImage defaultImage() {
    BoardImage image{};
    for (std::size_t phase = 0; phase < 8; ++phase) {
        image[phase] = 0x01;
    }
    return image;
}

std::string hexByte(std::uint8_t value, bool lowerCase) {
    const char* digits = lowerCase ? "0123456789abcdef" : "0123456789ABCDEF";
    return {digits[value >> 4], digits[value & 0x0F]};
}

std::string imageToHex(const BoardImage& image, bool lowerCase) {
    std::string text;
    text.reserve(2 * kImageSize);
    for (std::uint8_t value : image) {
        text += hexByte(value, lowerCase);
    }
    return text;
}

std::optional<BoardImage> imageFromHex(std::string_view text) {
    BoardImage image{};
    std::size_t digits = 0;
    for (char c : text) {
        if (isSpace(c)) {
            continue;
        }
        const int value = digitValue(c);
        if (value < 0 || digits >= 2 * kImageSize) {
            return std::nullopt;
        }
        std::uint8_t& target = image[digits / 2];
        target = static_cast<std::uint8_t>(digits % 2 == 0 ? value << 4 : target | value);
        ++digits;
    }
    if (digits != 2 * kImageSize) {
        return std::nullopt;
    }
    return image;
}

} // namespace vboard
