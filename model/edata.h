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
inline constexpr int kEdataCellBase = kFasi;
inline constexpr int kEdataFlagBase = kFasi + kCells;
EdataBytes EncodeEdata(const FaseCodes& faseCodes, const EffGrid& recEffSet);

struct DecodedEdata {
    FaseCodes faseCodes{};
    EffGrid recEffSet{};
};
// Every byte decodes: the phase bytes' top two bits are ignored.
DecodedEdata DecodeEdata(const EdataBytes& bytes);

// The flicker and random nibble of a cell (two cells share a flag byte).
std::uint8_t CellFlagNibble(const EdataBytes& bytes, int cell);

// A write is refused when no phase of the image runs: the board would play nothing.
bool ImageHasEnabledFase(const EdataBytes& bytes);

// One line "OO:VV" with CR LF per offset, upper-case hexadecimal.
std::string EdataText(const EdataBytes& bytes);
// The 256 upper-case hexadecimal digits of the image in offset order (the read reply's body).
std::string EdataHex(const EdataBytes& bytes);

// Two upper-case hexadecimal digits; nullopt for anything else (lower case included).
std::optional<std::uint8_t> ParseHexPair(std::string_view text);
// The same, with 0 for anything else.
std::uint8_t HexToByte(std::string_view text);
