#pragma once
// A configuration in which every field takes many values, the extremes included: names outside
// ASCII and padded with blanks, every duration code from OFF to the longest, every effect code,
// flicker type and both random switch-on values.

#include "model/configuration.h"

inline Configuration BusyConfiguration() {
    Configuration config = DefaultConfiguration();
    config.outNames[0] = "Citt\u00e0 \u20ac"; // two characters outside ASCII
    config.outNames[1] = "  spazi intorno  "; // blanks kept as stored
    config.faseNames[0] = " ";
    config.faseNames[7] = "Notte fonda; [x] = *";
    for (std::size_t p = 0; p < kFasi; ++p) {
        config.faseCodes[p] = static_cast<int>(p * 9); // 0 .. 63
    }
    for (int i = 0; i < kCells; ++i) {
        config.recEffSet[static_cast<std::size_t>(i)] = {
            static_cast<std::uint8_t>(i % 16), static_cast<std::uint8_t>(15 - i % 16),
            static_cast<std::uint8_t>(i % 8), i % 3 == 0 ? kTrue : kFalse};
    }
    return config;
}
