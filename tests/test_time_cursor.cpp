// The time cursor's position after n elapsed seconds: phases that are off, the end of the
// cycle, the longest cycle. The window tests follow a cycle with a hand-moved clock.

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
    EXPECT_EQ(ElapsedWholeSeconds(5000, 5999), 0);
    EXPECT_EQ(ElapsedWholeSeconds(5000, 6000), 1);
    EXPECT_EQ(ElapsedWholeSeconds(5000, 5000 + 345'600'999LL), 345'600);
    EXPECT_EQ(ElapsedWholeSeconds(-2500, -1499), 1);
    EXPECT_EQ(ElapsedWholeSeconds(5000, 4000), 0); // never before the start
}

TEST(CursorAt, PositionAndTextOverACycle) {
    const FaseCodes leadingOff = Codes({"OFF", "OFF", "30 sec", "1 min", "OFF", "OFF", "OFF"});
    const FaseCodes lastOn = Codes({"10 sec", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF", "1m 15s"});
    FaseCodes allTwelve{};
    allTwelve.fill(kFaseTimeCount - 1);
    // x < 0: the cycle is complete.
    const struct {
        FaseCodes codes;
        std::int64_t elapsed;
        int x;
        const char* text;
    } cases[] = {
        {leadingOff, 0, 3600, "00:00:00/00:01:30 - Parziale: Fase3 00:00:00/00:00:30"},
        {leadingOff, 30, 4680, "00:00:30/00:01:30 - Parziale: Fase4 00:00:00/00:01:00"},
        {leadingOff, 89, 4680 + 1062, "00:01:29/00:01:30 - Parziale: Fase4 00:00:59/00:01:00"},
        {leadingOff, 90, -1, ""},
        {lastOn, 10, 9000, "00:00:10/00:01:25 - Parziale: Fase8 00:00:00/00:01:15"},
        {lastOn, 84, 9000 + 74 * 1080 / 75,
         "00:01:24/00:01:25 - Parziale: Fase8 00:01:14/00:01:15"},
        {lastOn, 85, -1, ""},
        {allTwelve, 345'599, 9000 + 1079, "95:59:59/96:00:00 - Parziale: Fase8 11:59:59/12:00:00"},
        {allTwelve, 345'600, -1, ""},
        {FaseCodes{}, 0, -1, ""}};
    for (const auto& c : cases) {
        const CursorPosition at = CursorAt(c.codes, c.elapsed);
        EXPECT_EQ(at.Complete(), c.x < 0) << c.elapsed;
        if (c.x >= 0) {
            EXPECT_EQ(CursorX(at), c.x) << c.elapsed;
            EXPECT_EQ(CursorStatusText(at),
                      std::string("Cursore tempo attivo - Totale: ") + c.text);
        }
    }
}
