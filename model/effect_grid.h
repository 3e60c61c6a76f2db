#pragma once
// The effect grid: one record per output and phase, and the codes it holds.

#include <array>
#include <cstdint>
#include <string>

inline constexpr int kOutputs = 10;
inline constexpr int kFasi = 8;
inline constexpr int kCells = kOutputs * kFasi;

// Booleans stored in records are 16 bits wide; true is all bits set.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;
inline constexpr bool IsTrue(std::int16_t flag) {
    return flag == kTrue;
}

// Effect of one output during one phase.
struct typEffSet {
    std::uint8_t bytePart1 = 0;   // effect code of the first half, 0..15
    std::uint8_t bytePart2 = 0;   // effect code of the second half, 0..15
    std::uint8_t byteFlicker = 0; // "Tremolo" type, 0 = off
    std::int16_t blnRandom = 0;   // "Accensione casuale": -1 on, anything else off
    bool operator==(const typEffSet&) const = default;
};

using EffGrid = std::array<typEffSet, kCells>;
// Duration code (position in the duration table) of every phase.
using FaseCodes = std::array<int, kFasi>;

inline constexpr int CellIndex(int output, int fase) {
    return output * kFasi + fase;
}
inline constexpr int CellOutput(int cell) {
    return cell / kFasi;
}
inline constexpr int CellFase(int cell) {
    return cell % kFasi;
}

// Effect codes 0..7 are three-step on/off patterns, 8..11 rising and 12..15 falling ramps.
inline constexpr bool IsPattern(int code) {
    return code < 8;
}
inline constexpr bool IsRisingRamp(int code) {
    return code >= 8 && code <= 11;
}
inline constexpr bool IsFallingRamp(int code) {
    return code >= 12;
}

// Caption of flicker type 0..7 as the flicker menu shows it.
const char* FlickerCaption(int flicker);

// 8-character binary text of a byte, most significant bit first.
std::string ByteToBin(std::uint8_t value);
