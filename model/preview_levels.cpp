#include "model/preview_levels.h"

#include "model/fase_time.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kStepsPerPart = 3;

// A small integer hash: the indicative effects need only repeatable noise.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b) {
    std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u + (a << 6) + (a >> 2));
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

double Unit(std::uint32_t h) {
    return static_cast<double>(h) / 4294967296.0;
}

bool StepOn(int code, int step) {
    return ((code >> (2 - step)) & 1) != 0;
}

// Level of one half at `along` (0..1) through it.
double PartLevel(int code, double start, double stop, double along) {
    if (IsPattern(code)) {
        const int step = std::min(kStepsPerPart - 1, static_cast<int>(along * kStepsPerPart));
        return StepOn(code, step) ? 256.0 : 0.0;
    }
    return start + (stop - start) * along;
}

double CellLevel(const PreviewPlan& plan, int output, const PreviewMoment& moment) {
    const auto i = static_cast<std::size_t>(CellIndex(output, moment.fase));
    const typEffSet& rec = plan.recEffSet[i];
    const typLightValue& lv = plan.course[i];
    if (moment.fraction < 0.5) {
        return PartLevel(rec.bytePart1, lv.intStartPart1, lv.intStopPart1, moment.fraction * 2.0);
    }
    return PartLevel(rec.bytePart2, lv.intStartPart2, lv.intStopPart2, moment.fraction * 2.0 - 1.0);
}

// Flicker type 1..7: dimmed by its share of the level (6 %, 12 %, 25 %, 50 %, 25 %...) or not,
// in slots of the cycle; fixed paces alternate, random ones do not.
double FlickerFactor(int flicker, std::uint32_t seed, int cell, double seconds) {
    static constexpr std::array<double, 8> kSlotSeconds = {0, 0.2, 0.2, 0.2, 0.2, 1.0, 0.5, 0.25};
    static constexpr std::array<double, 8> kDimming = {0,   0.0625, 0.125, 0.25,
                                                       0.5, 0.25,   0.25,  0.25};
    const double slotSeconds = kSlotSeconds[static_cast<std::size_t>(flicker)];
    const auto slot = static_cast<std::int64_t>(std::floor(seconds / slotSeconds));
    const bool dimmed =
        flicker >= 5
            ? (slot & 1) != 0
            : (Mix(Mix(seed, static_cast<std::uint32_t>(cell)), static_cast<std::uint32_t>(slot)) &
               1u) != 0;
    return dimmed ? 1.0 - kDimming[static_cast<std::size_t>(flicker)] : 1.0;
}

// Random switch-on: a step that lights after a dark one waits up to half of itself.
bool StillDark(const PreviewPlan& plan, std::uint32_t seed, int cell, const PreviewMoment& moment) {
    const typEffSet& rec = plan.recEffSet[static_cast<std::size_t>(cell)];
    const double stepsIn = moment.fraction * 2 * kStepsPerPart; // 0..6
    const int step = std::min(2 * kStepsPerPart - 1, static_cast<int>(stepsIn));
    const int part = step / kStepsPerPart;
    const int code = part == 0 ? rec.bytePart1 : rec.bytePart2;
    if (!IsPattern(code) || !StepOn(code, step % kStepsPerPart)) {
        return false;
    }
    bool darkBefore = false;
    if (step % kStepsPerPart > 0) {
        darkBefore = !StepOn(code, step % kStepsPerPart - 1);
    } else if (part == 1) {
        darkBefore = IsPattern(rec.bytePart1) && !StepOn(rec.bytePart1, kStepsPerPart - 1);
    } else {
        darkBefore = true; // the phase begins: the output switches on now
    }
    if (!darkBefore) {
        return false;
    }
    const double delay = 0.5 * Unit(Mix(Mix(seed, static_cast<std::uint32_t>(cell) + 1000u),
                                        static_cast<std::uint32_t>(step)));
    return stepsIn - step < delay;
}

} // namespace

PreviewPlan PlanPreview(const EffGrid& recEffSet, const FaseCodes& faseCodes) {
    PreviewPlan plan;
    plan.faseCodes = faseCodes;
    plan.recEffSet = recEffSet;
    plan.course = ComputeLightCourse(recEffSet, faseCodes);
    std::int32_t start = 0;
    for (std::size_t p = 0; p < kFasi; ++p) {
        plan.faseStart[p] = start;
        plan.faseLength[p] = FaseSeconds(faseCodes[p]);
        start += plan.faseLength[p];
    }
    plan.cycleLength = start;
    for (int cell = 0; cell < kCells; ++cell) {
        const typEffSet& rec = recEffSet[static_cast<std::size_t>(cell)];
        const bool shown = faseCodes[static_cast<std::size_t>(CellFase(cell))] != 0;
        if (shown && (rec.byteFlicker != 0 || IsTrue(rec.blnRandom))) {
            plan.anyIndicative = true;
        }
    }
    return plan;
}

PreviewMoment MomentAt(const PreviewPlan& plan, double seconds) {
    PreviewMoment moment;
    if (plan.cycleLength <= 0 || !std::isfinite(seconds)) {
        return moment;
    }
    double t = std::fmod(seconds, static_cast<double>(plan.cycleLength));
    if (t < 0) {
        t += plan.cycleLength;
    }
    for (int p = 0; p < kFasi; ++p) {
        const auto length = plan.faseLength[static_cast<std::size_t>(p)];
        const auto start = plan.faseStart[static_cast<std::size_t>(p)];
        if (length > 0 && t < start + length) {
            moment.fase = p;
            moment.fraction = std::clamp((t - start) / length, 0.0, std::nextafter(1.0, 0.0));
            moment.valid = true;
            return moment;
        }
    }
    // Rounding put t on the cycle's end: that is the start of the next cycle.
    return MomentAt(plan, 0.0);
}

CursorPosition PreviewCursorAt(const PreviewPlan& plan, std::int64_t second) {
    CursorPosition position;
    position.cycleLength = plan.cycleLength;
    if (plan.cycleLength <= 0) {
        return position;
    }
    second %= plan.cycleLength;
    if (second < 0) {
        second += plan.cycleLength;
    }
    position.totSec = static_cast<std::int32_t>(second);
    for (int p = 0; p < kFasi; ++p) {
        const auto k = static_cast<std::size_t>(p);
        if (plan.faseLength[k] > 0 && position.totSec < plan.faseStart[k] + plan.faseLength[k]) {
            position.fase = p;
            position.faseSec = position.totSec - plan.faseStart[k];
            position.faseLength = plan.faseLength[k];
            break;
        }
    }
    return position;
}

std::array<double, kOutputs> LevelsAt(const PreviewPlan& plan, double seconds) {
    std::array<double, kOutputs> levels{};
    const PreviewMoment moment = MomentAt(plan, seconds);
    if (!moment.valid) {
        return levels;
    }
    for (int output = 0; output < kOutputs; ++output) {
        levels[static_cast<std::size_t>(output)] = CellLevel(plan, output, moment);
    }
    return levels;
}

std::array<double, kOutputs> IndicativeLevelsAt(const PreviewPlan& plan, double seconds,
                                                std::uint32_t seed) {
    std::array<double, kOutputs> levels = LevelsAt(plan, seconds);
    const PreviewMoment moment = MomentAt(plan, seconds);
    if (!moment.valid || !plan.anyIndicative) {
        return levels;
    }
    for (int output = 0; output < kOutputs; ++output) {
        const int cell = CellIndex(output, moment.fase);
        const typEffSet& rec = plan.recEffSet[static_cast<std::size_t>(cell)];
        double& level = levels[static_cast<std::size_t>(output)];
        if (IsTrue(rec.blnRandom) && StillDark(plan, seed, cell, moment)) {
            level = 0.0;
        }
        if (rec.byteFlicker != 0) {
            level *= FlickerFactor(rec.byteFlicker, seed, cell, seconds);
        }
    }
    return levels;
}
