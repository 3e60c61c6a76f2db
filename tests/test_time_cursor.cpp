// The time cursor's position after n elapsed seconds: phases that are off, the end of the
// cycle, the longest cycle. The window tests walk the common cycles second by second.

#include "model/fase_time.h"
#include "model/time_cursor.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

// Duration codes by caption, first phase first; an unknown caption gives the last code.
FaseCodes Codes(std::initializer_list<std::string_view> captions) {
    FaseCodes codes{};
    std::size_t p = 0;
    for (const std::string_view caption : captions) {
        while (codes[p] < kFaseTimeCount - 1 && FaseTime(codes[p]).caption != caption) {
            ++codes[p];
        }
        ++p;
    }
    return codes;
}

} // namespace

TEST(ElapsedWholeSeconds, CountsOnlyCompletedSeconds) {
    EXPECT_EQ(ElapsedWholeSeconds(5000, 5000), 0);
    EXPECT_EQ(ElapsedWholeSeconds(5000, 5999), 0);
    EXPECT_EQ(ElapsedWholeSeconds(5000, 6000), 1);
    EXPECT_EQ(ElapsedWholeSeconds(5000, 5000 + 345'600'999LL), 345'600);
    EXPECT_EQ(ElapsedWholeSeconds(-2500, -1499), 1);
    EXPECT_EQ(ElapsedWholeSeconds(5000, 4000), 0); // never before the start
}

struct CycleCase {
    const char* name;
    FaseCodes codes;
    std::int64_t elapsed;
    bool complete;
    int x;
    const char* status; // when not complete
};

class CursorAtCycle : public testing::TestWithParam<CycleCase> {};

TEST_P(CursorAtCycle, PositionAndText) {
    const CycleCase& c = GetParam();
    const CursorPosition at = CursorAt(c.codes, c.elapsed);
    EXPECT_EQ(at.Complete(), c.complete);
    if (!c.complete) {
        EXPECT_EQ(CursorX(at), c.x);
        EXPECT_EQ(CursorStatusText(at), c.status);
    }
}

const FaseCodes kLeadingOff = Codes({"OFF", "OFF", "30 sec", "1 min", "OFF", "OFF", "OFF", "OFF"});
const FaseCodes kLastOn = Codes({"10 sec", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF", "1m 15s"});
const FaseCodes kAllTwelve =
    Codes({"12 ore", "12 ore", "12 ore", "12 ore", "12 ore", "12 ore", "12 ore", "12 ore"});
const FaseCodes kAllOff = Codes({"OFF", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF"});

INSTANTIATE_TEST_SUITE_P(
    Cycles, CursorAtCycle,
    testing::Values(
        CycleCase{"LeadingOffPhasesAreSkippedAtTheStart", kLeadingOff, 0, false, 3600,
                  "Cursore tempo attivo - Totale: 00:00:00/00:01:30 - Parziale: Fase3 "
                  "00:00:00/00:00:30"},
        CycleCase{"PhaseBoundaryStartsTheNextColumn", kLeadingOff, 30, false, 4680,
                  "Cursore tempo attivo - Totale: 00:00:30/00:01:30 - Parziale: Fase4 "
                  "00:00:00/00:01:00"},
        CycleCase{"LastSecondOfTheLastEnabledPhase", kLeadingOff, 89, false, 4680 + 1062,
                  "Cursore tempo attivo - Totale: 00:01:29/00:01:30 - Parziale: Fase4 "
                  "00:00:59/00:01:00"},
        CycleCase{"CycleTimeReachedWithTrailingOffPhases", kLeadingOff, 90, true, 0, ""},
        CycleCase{"JumpOverSixOffPhasesToTheLast", kLastOn, 10, false, 9000,
                  "Cursore tempo attivo - Totale: 00:00:10/00:01:25 - Parziale: Fase8 "
                  "00:00:00/00:01:15"},
        CycleCase{"LastSecondOfPhaseEightIsShown", kLastOn, 84, false, 9000 + 74 * 1080 / 75,
                  "Cursore tempo attivo - Totale: 00:01:24/00:01:25 - Parziale: Fase8 "
                  "00:01:14/00:01:15"},
        CycleCase{"CycleTimeReachedWithPhaseEightOn", kLastOn, 85, true, 0, ""},
        CycleCase{"NinetySixHoursCycleLastSecond", kAllTwelve, 345'599, false, 9000 + 1079,
                  "Cursore tempo attivo - Totale: 95:59:59/96:00:00 - Parziale: Fase8 "
                  "11:59:59/12:00:00"},
        CycleCase{"NinetySixHoursCycleEnd", kAllTwelve, 345'600, true, 0, ""},
        CycleCase{"EveryPhaseOffIsCompleteAtOnce", kAllOff, 0, true, 0, ""}),
    [](const testing::TestParamInfo<CycleCase>& info) { return std::string(info.param.name); });
