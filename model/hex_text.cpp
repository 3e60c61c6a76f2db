#include "model/hex_text.h"

void AppendHexDigits(std::string& text, std::uint32_t value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        text += kDigits[(value >> shift) & 15U];
    }
}

std::string HexDigits(std::uint32_t value, int digits) {
    std::string text;
    AppendHexDigits(text, value, digits);
    return text;
}
