#pragma once
// The 64 phase durations and the conversions the program shows about time.

#include "model/effect_grid.h"

#include <cstdint>
#include <string>

inline constexpr int kFaseTimeCount = 64;

struct FaseTimeEntry {
    const char* caption;
    std::int32_t seconds;
};

// Entry of duration code 0..63; code 0 is "OFF".
const FaseTimeEntry& FaseTime(int code);
std::int32_t FaseSeconds(int code);

// Expansion pulses of a duration: the next multiple of 256 above seconds / 5.12.
std::int16_t ExpansionPulses(std::int32_t seconds);

// "hh:mm:ss", each field the last two digits of its value.
std::string FormatTimeHMS(std::int32_t seconds);

// Length of one on/off step (a sixth of the phase), e.g. "1min 40,0sec".
std::string FormatStepTime(std::int32_t seconds, char decimalSeparator);

// Sums over the eight phases; an "OFF" phase adds nothing.
std::int32_t CycleSeconds(const FaseCodes& codes);
std::int32_t CyclePulses(const FaseCodes& codes);

// First phase whose duration is not "OFF", or 0 when every phase is off.
int FirstEnabledFase(const FaseCodes& codes);
bool AnyFaseEnabled(const FaseCodes& codes);
