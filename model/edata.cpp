#include "model/edata.h"

#include "model/fase_time.h"
#include "model/hex_text.h"

namespace {

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

} // namespace

EdataBytes EncodeEdata(const FaseCodes& faseCodes, const EffGrid& recEffSet) {
    EdataBytes bytes{};
    for (std::size_t p = 0; p < kFasi; ++p) {
        bytes[p] = static_cast<std::uint8_t>(faseCodes[p]);
    }
    for (std::size_t i = 0; i < kCells; ++i) {
        const typEffSet& rec = recEffSet[i];
        bytes[kEdataCellBase + i] =
            static_cast<std::uint8_t>(rec.bytePart1 * 16 + (rec.bytePart2 & 15));
    }
    for (std::size_t k = 0; k < kCells / 2; ++k) {
        bytes[kEdataFlagBase + k] = static_cast<std::uint8_t>(FlagNibble(recEffSet[2 * k]) * 16 +
                                                              FlagNibble(recEffSet[2 * k + 1]));
    }
    return bytes;
}

DecodedEdata DecodeEdata(const EdataBytes& bytes) {
    DecodedEdata applied;
    for (std::size_t p = 0; p < kFasi; ++p) {
        applied.faseCodes[p] = bytes[p] & 63;
    }
    for (std::size_t i = 0; i < kCells; ++i) {
        const std::uint8_t b = bytes[kEdataCellBase + i];
        applied.recEffSet[i].bytePart1 = static_cast<std::uint8_t>(b >> 4);
        applied.recEffSet[i].bytePart2 = static_cast<std::uint8_t>(b & 15);
    }
    for (std::size_t k = 0; k < kCells / 2; ++k) {
        const std::uint8_t b = bytes[kEdataFlagBase + k];
        ApplyNibble(applied.recEffSet[2 * k], b >> 4);
        ApplyNibble(applied.recEffSet[2 * k + 1], b & 15);
    }
    return applied;
}

std::string EdataText(const EdataBytes& bytes) {
    std::string text;
    text.reserve(std::size_t{kEdataSize} * 7);
    for (int offset = 0; offset < kEdataSize; ++offset) {
        AppendHexDigits(text, static_cast<std::uint32_t>(offset));
        text += ':';
        AppendHexDigits(text, bytes[static_cast<std::size_t>(offset)]);
        text += "\r\n";
    }
    return text;
}

std::string EdataHex(const EdataBytes& bytes) {
    std::string text;
    text.reserve(std::size_t{kEdataSize} * 2);
    for (const std::uint8_t byte : bytes) {
        AppendHexDigits(text, byte);
    }
    return text;
}

std::uint8_t CellFlagNibble(const EdataBytes& bytes, int cell) {
    const std::uint8_t pair =
        bytes[static_cast<std::size_t>(kEdataFlagBase) + static_cast<std::size_t>(cell / 2)];
    return static_cast<std::uint8_t>(cell % 2 == 0 ? pair >> 4 : pair & 15);
}

bool ImageHasEnabledFase(const EdataBytes& bytes) {
    return AnyFaseEnabled(DecodeEdata(bytes).faseCodes);
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
