#pragma once
// Everything a configuration file holds: names, phase durations and the effect grid.

#include "model/edata.h"
#include "model/effect_grid.h"

#include <array>
#include <string>

struct Configuration {
    std::array<std::string, kOutputs> outNames; // UTF-8
    std::array<std::string, kFasi> faseNames;   // UTF-8
    FaseCodes faseCodes{};
    EffGrid recEffSet{};
    bool operator==(const Configuration&) const = default;
};

std::string DefaultOutName(int output); // "Uscita 1" .. "Uscita 10"
std::string DefaultFaseName(int fase);  // "Fase 1" .. "Fase 8"

// The duration every phase of a new configuration has: "10 sec".
inline constexpr int kDefaultFaseCode = 1;

// A new window's configuration: default names, every phase "10 sec", an empty grid.
Configuration DefaultConfiguration();

// What a board image makes of a configuration: the image's durations and grid, its names kept
// (the board holds no names).
Configuration WithImage(Configuration config, const EdataBytes& image);
