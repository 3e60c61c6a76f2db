#include "model/light_course.h"

#include "model/fase_time.h"

namespace {

struct RampPair {
    std::int16_t a; // level of the first step, or where a ramp starts with nothing before it
    std::int16_t b; // level of the last step, or the change over the half
};

RampPair PairOf(int code) {
    static constexpr std::array<RampPair, 16> pairs = {{
        {0, 0},
        {0, 256},
        {0, 0},
        {0, 256},
        {256, 0},
        {256, 256},
        {256, 0},
        {256, 256},
        {0, 32},
        {0, 64},
        {0, 128},
        {0, 256},
        {256, -32},
        {256, -64},
        {256, -128},
        {256, -256},
    }};
    return pairs.at(static_cast<std::size_t>(code));
}

// Clamps a half's stop level into 0..256 and tells whether it had to.
void Limit(std::int16_t& stop, std::int16_t& range) {
    if (stop > 256) {
        stop = 256;
        range = kRangeOver;
    } else if (stop < 0) {
        stop = 0;
        range = kRangeUnder;
    } else {
        range = kRangeNormal;
    }
}

} // namespace

LightCourse ComputeLightCourse(const EffGrid& recEffSet, const FaseCodes& faseCodes) {
    LightCourse course{};
    const int firstFase = FirstEnabledFase(faseCodes);
    for (int output = 0; output < kOutputs; ++output) {
        for (int fase = 0; fase < kFasi; ++fase) {
            const auto i = static_cast<std::size_t>(CellIndex(output, fase));
            typLightValue& lv = course[i];
            if (faseCodes[static_cast<std::size_t>(fase)] == 0) {
                const std::int16_t held = fase == 0 ? std::int16_t{0} : course[i - 1].intStopPart2;
                lv = {held, held, kRangeNormal, held, held, kRangeNormal};
                continue;
            }
            const typEffSet& rec = recEffSet[i];

            const RampPair p1 = PairOf(rec.bytePart1);
            if (IsPattern(rec.bytePart1)) {
                lv.intStartPart1 = p1.a;
                lv.intStopPart1 = p1.b;
            } else {
                lv.intStartPart1 = fase == firstFase ? p1.a : course[i - 1].intStopPart2;
                lv.intStopPart1 = static_cast<std::int16_t>(lv.intStartPart1 + p1.b);
            }
            Limit(lv.intStopPart1, lv.intRangePart1);

            const RampPair p2 = PairOf(rec.bytePart2);
            if (IsPattern(rec.bytePart2)) {
                lv.intStartPart2 = p2.a;
                lv.intStopPart2 = p2.b;
            } else {
                lv.intStartPart2 = lv.intStopPart1;
                lv.intStopPart2 = static_cast<std::int16_t>(lv.intStartPart2 + p2.b);
            }
            Limit(lv.intStopPart2, lv.intRangePart2);
        }
    }
    return course;
}
