#pragma once
// Brightness course of every cell: levels 0 (off) to 256 (full) at the ends of both halves.

#include "model/effect_grid.h"

#include <array>
#include <cstdint>

inline constexpr std::int16_t kRangeNormal = 0;
inline constexpr std::int16_t kRangeOver = 1;  // a ramp had to stop at 256
inline constexpr std::int16_t kRangeUnder = 2; // a ramp had to stop at 0

struct typLightValue {
    std::int16_t intStartPart1 = 0;
    std::int16_t intStopPart1 = 0;
    std::int16_t intRangePart1 = 0;
    std::int16_t intStartPart2 = 0;
    std::int16_t intStopPart2 = 0;
    std::int16_t intRangePart2 = 0;
    bool operator==(const typLightValue&) const = default;
};

using LightCourse = std::array<typLightValue, kCells>;

// Ramps continue from where the course stood: across halves, patterns and "OFF" phases.
LightCourse ComputeLightCourse(const EffGrid& recEffSet, const FaseCodes& faseCodes);
