#include "tools/virtual_board/board_image.h"

#include <algorithm>

namespace vboard {

BoardImage defaultImage() {
    BoardImage image{};
    std::fill_n(image.begin(), 8, std::uint8_t{1});
    return image;
}

std::string hexByte(std::uint8_t value, bool lowerCase) {
    const char* digits = lowerCase ? "0123456789abcdef" : "0123456789ABCDEF";
    return {digits[value >> 4], digits[value & 0x0F]};
}

std::string imageToHex(const BoardImage& image, bool lowerCase) {
    std::string text;
    for (std::uint8_t value : image) {
        text += hexByte(value, lowerCase);
    }
    return text;
}

std::optional<BoardImage> imageFromHex(std::string_view text) {
    std::string digits(text);
    std::erase_if(digits, [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
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
