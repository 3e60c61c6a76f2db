#pragma once
// The board's 128-byte configuration image and its hexadecimal text form.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vboard {

inline constexpr std::size_t kImageSize = 128;
using BoardImage = std::array<std::uint8_t, kImageSize>;

// What a freshly flashed board holds: the eight phases at code 1, everything else 0.
BoardImage defaultImage();

std::string hexByte(std::uint8_t value, bool lowerCase = false);
std::string imageToHex(const BoardImage& image, bool lowerCase = false);

// Exactly 256 hexadecimal digits of either case; white space is ignored.
std::optional<BoardImage> imageFromHex(std::string_view text);

} // namespace vboard
