#pragma once
// The board's 128-byte configuration image: encoder, decoder and its text view.

#include "model/effect_grid.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int kEdataSize = 128;
using EdataBytes = std::array<std::uint8_t, kEdataSize>;

// Offsets 0..7 phase duration codes, 8..87 cell bytes (Part1 << 4 | Part2),
// 88..127 one nibble per cell: random flag in bit 3, flicker in bits 0..2.
EdataBytes BuildEdata(const FaseCodes& faseCodes, const EffGrid& recEffSet);

struct AppliedEdata {
    FaseCodes faseCodes{};
    EffGrid recEffSet{};
};
AppliedEdata ApplyEdata(const EdataBytes& bytes);

// One line "OO:VV" with CR LF per offset, upper-case hexadecimal.
std::string EdataText(const EdataBytes& bytes);

// Two upper-case hexadecimal digits; nullopt for anything else (lower case included).
std::optional<std::uint8_t> ParseHexPair(std::string_view text);
// The same, with 0 for anything else.
std::uint8_t HexToByte(std::string_view text);
