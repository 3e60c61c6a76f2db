#pragma once
// Everything a configuration file holds: names, phase durations and the effect grid.

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
