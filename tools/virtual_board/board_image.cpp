#include "tools/virtual_board/board_image.h"

namespace vboard {

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
    std::string digits;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            digits += c;
        }
    }
    if (digits.size() != 2 * kImageSize ||
        digits.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos) {
        return std::nullopt;
    }
    BoardImage image{};
    for (std::size_t i = 0; i < kImageSize; ++i) {
        image[i] = static_cast<std::uint8_t>(std::stoi(digits.substr(2 * i, 2), nullptr, 16));
    }
    return image;
}

} // namespace vboard
