#pragma once
// The level of every output at any moment of the cycle, as the board would light it: what
// the preview plays and what `miravel6-cli preview` prints. The plan holds everything that
// only a change of the configuration can change; a frame only looks levels up in it.

#include "model/effect_grid.h"
#include "model/light_course.h"
#include "model/time_cursor.h"

#include <array>
#include <cstdint>

struct PreviewPlan {
    FaseCodes faseCodes{};
    EffGrid recEffSet{};
    LightCourse course{};
    std::array<std::int32_t, kFasi> faseStart{}; // second of the cycle each phase starts at
    std::array<std::int32_t, kFasi> faseLength{};
    std::int32_t cycleLength = 0; // "OFF" phases take no time
    bool anyIndicative = false;   // some shown cell flickers or switches on at random
};

PreviewPlan PlanPreview(const EffGrid& recEffSet, const FaseCodes& faseCodes);

// Where a moment of the cycle falls: the phase, and how far into it (0 <= fraction < 1).
struct PreviewMoment {
    int fase = 0;
    double fraction = 0.0;
    bool valid = false; // false when every phase is "OFF"
};

// Seconds beyond the cycle wrap round, as the board starts its cycle again.
PreviewMoment MomentAt(const PreviewPlan& plan, double seconds);

// Where the time cursor would stand at that whole second (wrapped into the cycle), for its
// line on the grid and its status texts.
CursorPosition PreviewCursorAt(const PreviewPlan& plan, std::int64_t second);

// Levels 0..256 of the ten outputs, without flicker and random switch-on. Every output is
// 0 when no phase is on.
std::array<double, kOutputs> LevelsAt(const PreviewPlan& plan, double seconds);

// The same with flicker and random switch-on drawn in, as indicative effects: their timing
// is not the board's. The same seed gives the same effects.
std::array<double, kOutputs> IndicativeLevelsAt(const PreviewPlan& plan, double seconds,
                                                std::uint32_t seed);
