#include "model/edata.h"

namespace {

constexpr int kCellBase = 8;
constexpr int kPairBase = 88;

std::uint8_t FlagNibble(const typEffSet& rec) {
    return static_cast<std::uint8_t>((rec.byteFlicker & 7) + (IsTrue(rec.blnRandom) ? 8 : 0));
}

void ApplyNibble(typEffSet& rec, int nibble) {
    rec.byteFlicker = static_cast<std::uint8_t>(nibble & 7);
    rec.blnRandom = (nibble & 8) == 8 ? kTrue : kFalse;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void AppendHex(std::string& text, int value) {
    static constexpr char digits[] = "0123456789ABCDEF";
    text += digits[(value >> 4) & 15];
    text += digits[value & 15];
}

} // namespace

EdataBytes BuildEdata(const FaseCodes& faseCodes, const EffGrid& recEffSet) {
    EdataBytes bytes{};
    for (std::size_t p = 0; p < kFasi; ++p) {
        bytes[p] = static_cast<std::uint8_t>(faseCodes[p]);
    }
    for (std::size_t i = 0; i < kCells; ++i) {
        const typEffSet& rec = recEffSet[i];
        bytes[kCellBase + i] = static_cast<std::uint8_t>(rec.bytePart1 * 16 + (rec.bytePart2 & 15));
    }
    for (std::size_t k = 0; k < kCells / 2; ++k) {
        bytes[kPairBase + k] = static_cast<std::uint8_t>(FlagNibble(recEffSet[2 * k]) * 16 +
                                                         FlagNibble(recEffSet[2 * k + 1]));
    }
    return bytes;
}

AppliedEdata ApplyEdata(const EdataBytes& bytes) {
    AppliedEdata applied;
    for (std::size_t p = 0; p < kFasi; ++p) {
        applied.faseCodes[p] = bytes[p] & 63;
    }
    for (std::size_t i = 0; i < kCells; ++i) {
        const std::uint8_t b = bytes[kCellBase + i];
        applied.recEffSet[i].bytePart1 = static_cast<std::uint8_t>(b >> 4);
        applied.recEffSet[i].bytePart2 = static_cast<std::uint8_t>(b & 15);
    }
    for (std::size_t k = 0; k < kCells / 2; ++k) {
        const std::uint8_t b = bytes[kPairBase + k];
        ApplyNibble(applied.recEffSet[2 * k], b >> 4);
        ApplyNibble(applied.recEffSet[2 * k + 1], b & 15);
    }
    return applied;
}

std::string EdataText(const EdataBytes& bytes) {
    std::string text;
    text.reserve(std::size_t{kEdataSize} * 7);
    for (int offset = 0; offset < kEdataSize; ++offset) {
        AppendHex(text, offset);
        text += ':';
        AppendHex(text, bytes[static_cast<std::size_t>(offset)]);
        text += "\r\n";
    }
    return text;
}

std::optional<std::uint8_t> ParseHexPair(std::string_view text) {
    if (text.size() != 2) {
        return std::nullopt;
    }
    const int high = HexDigit(text[0]);
    const int low = HexDigit(text[1]);
    if (high < 0 || low < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(high * 16 + low);
}

std::uint8_t HexToByte(std::string_view text) {
    return ParseHexPair(text).value_or(0);
}
