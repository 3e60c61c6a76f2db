// The level of each output at a moment of the cycle, on hand-worked configurations.

#include "model/preview_levels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kTenSec = 1;    // duration code of "10 sec"
constexpr int kTwentySec = 2; // "20 sec"
constexpr int kTwelveHours = 63;

struct Cell {
    int output;
    int fase;
    int part1;
    int part2;
};

struct Probe {
    double seconds;
    int output;
    double level;
};

struct LevelCase {
    const char* name;
    FaseCodes codes;
    std::vector<Cell> cells;
    std::vector<Probe> probes;
};

EffGrid GridOf(const std::vector<Cell>& cells) {
    EffGrid grid{};
    for (const Cell& c : cells) {
        auto& rec = grid[static_cast<std::size_t>(CellIndex(c.output, c.fase))];
        rec.bytePart1 = static_cast<std::uint8_t>(c.part1);
        rec.bytePart2 = static_cast<std::uint8_t>(c.part2);
    }
    return grid;
}

const std::vector<LevelCase>& Cases() {
    static const std::vector<LevelCase> cases = {
        {"patterns at each step",
         {kTenSec, 0, 0, 0, 0, 0, 0, 0},
         {{0, 0, 5, 2}, {3, 0, 1, 4}},
         {{0.5, 0, 256},
          {2.5, 0, 0},
          {4.0, 0, 256},
          {5.5, 0, 0},
          {7.5, 0, 256},
          {9.9, 0, 0},
          {1.0, 3, 0},
          {3.4, 3, 256},
          {5.1, 3, 256},
          {7.0, 3, 0},
          {5.0, 1, 0}}},
        {"ramps mid-Part, the second limited at the top",
         {kTenSec, 0, 0, 0, 0, 0, 0, 0},
         {{2, 0, 10, 11}},
         {{0.0, 2, 0}, {2.5, 2, 64}, {5.0, 2, 128}, {7.5, 2, 192}, {9.0, 2, 230.4}}},
        {"a falling ramp limited at the bottom after a rising one",
         {kTwentySec, 0, 0, 0, 0, 0, 0, 0},
         {{9, 0, 10, 15}},
         {{5.0, 9, 64}, {12.5, 9, 96}, {15.0, 9, 64}, {19.0, 9, 12.8}}},
        {"a ramp continues across an \"OFF\" phase",
         {kTenSec, 0, kTwentySec, 0, 0, 0, 0, 0},
         {{4, 0, 10, 9}, {4, 1, 7, 7}, {4, 2, 12, 0}},
         {{7.5, 4, 160}, {10.0, 4, 192}, {15.0, 4, 176}, {19.99, 4, 160.032}, {25.0, 4, 0}}},
        {"the first enabled phase late in the cycle",
         {0, 0, 0, 0, 0, 0, kTenSec, 0},
         {{7, 6, 13, 8}, {7, 0, 7, 7}},
         {{0.0, 7, 256}, {2.5, 7, 224}, {7.5, 7, 208}, {10.0, 7, 256}, {12.5, 7, 224}}},
        {"a twelve-hour phase, one second in",
         {kTwelveHours, 0, 0, 0, 0, 0, 0, 0},
         {{1, 0, 11, 14}},
         {{1.0, 1, 256.0 / 21600.0}, {21600.0, 1, 256}, {32400.0, 1, 192}}},
        {"every phase \"OFF\"",
         {0, 0, 0, 0, 0, 0, 0, 0},
         {{0, 0, 7, 7}},
         {{0.0, 0, 0}, {5.0, 0, 0}}},
    };
    return cases;
}

class LevelAtTime : public testing::TestWithParam<LevelCase> {};

TEST_P(LevelAtTime, MatchesTheWorkedLevels) {
    const LevelCase& c = GetParam();
    const PreviewPlan plan = PlanPreview(GridOf(c.cells), c.codes);
    for (const Probe& probe : c.probes) {
        const auto levels = LevelsAt(plan, probe.seconds);
        EXPECT_NEAR(levels[static_cast<std::size_t>(probe.output)], probe.level, 1e-3)
            << "output " << probe.output + 1 << " at " << probe.seconds << " s";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, LevelAtTime, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<LevelCase>& info) {
                             return "case" + std::to_string(info.index);
                         });

TEST(MomentAt, OffPhasesTakeNoTimeAndTheCycleWraps) {
    const PreviewPlan plan = PlanPreview(EffGrid{}, {kTenSec, 0, kTwentySec, 0, 0, 0, 0, kTenSec});
    struct Row {
        double seconds;
        int fase;
        double fraction;
    };
    for (const Row& row : {Row{0, 0, 0}, Row{9.5, 0, 0.95}, Row{10, 2, 0}, Row{25, 2, 0.75},
                           Row{30, 7, 0}, Row{39, 7, 0.9}, Row{40, 0, 0}, Row{-1, 7, 0.9}}) {
        const PreviewMoment moment = MomentAt(plan, row.seconds);
        EXPECT_TRUE(moment.valid);
        EXPECT_EQ(moment.fase, row.fase) << row.seconds;
        EXPECT_NEAR(moment.fraction, row.fraction, 1e-12) << row.seconds;
    }
    EXPECT_EQ(plan.cycleLength, 40);
    EXPECT_FALSE(MomentAt(PlanPreview(EffGrid{}, FaseCodes{}), 3).valid);
}

TEST(IndicativeEffects, DimByTheTypeAndDelayTheSwitchOnRepeatably) {
    EffGrid grid{};
    auto& flickering = grid[static_cast<std::size_t>(CellIndex(0, 0))];
    flickering = {7, 7, 4, kFalse}; // full, flicker -50 %
    auto& random = grid[static_cast<std::size_t>(CellIndex(1, 0))];
    random = {7, 7, 0, kTrue};
    auto& steady = grid[static_cast<std::size_t>(CellIndex(2, 0))];
    steady = {7, 7, 0, 5}; // not -1: no random switch-on
    const PreviewPlan plan = PlanPreview(grid, {kTenSec, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_TRUE(plan.anyIndicative);

    int dimmed = 0;
    int dark = 0;
    for (int n = 0; n < 100; ++n) {
        const double t = n * 0.1;
        const auto levels = IndicativeLevelsAt(plan, t, 42);
        EXPECT_EQ(levels, IndicativeLevelsAt(plan, t, 42));
        EXPECT_TRUE(levels[0] == 256.0 || levels[0] == 128.0) << levels[0];
        dimmed += levels[0] == 128.0 ? 1 : 0;
        dark += levels[1] == 0.0 ? 1 : 0;
        EXPECT_EQ(levels[2], 256.0);
        EXPECT_EQ(LevelsAt(plan, t)[0], 256.0);
    }
    EXPECT_GT(dimmed, 10);
    EXPECT_LT(dimmed, 90);
    // Only the first step lights after darkness, and it waits under half of its 1.67 s.
    EXPECT_LT(dark, 9);
}

TEST(PreviewCursor, StandsWhereTheTimeCursorWould) {
    const FaseCodes codes = {kTenSec, 0, kTwentySec, 0, 0, 0, 0, 0};
    const PreviewPlan plan = PlanPreview(EffGrid{}, codes);
    for (const std::int64_t second : {0, 1, 9, 10, 11, 29}) {
        EXPECT_EQ(PreviewCursorAt(plan, second), CursorAt(codes, second)) << second;
    }
    EXPECT_EQ(PreviewCursorAt(plan, 30), CursorAt(codes, 0));
    EXPECT_EQ(CursorX(PreviewCursorAt(plan, 15)), 1440 + 2 * 1080 + 5 * 1080 / 20);
}

} // namespace
