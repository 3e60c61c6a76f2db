// Phase durations: the table, expansion pulses and time texts; and the time cursor's position
// after n elapsed seconds over them (phases that are off, the end of the cycle, the longest
// cycle). The Info box and the window's time cursor show the cycle sums.

#include "model/fase_time.h"
#include "model/time_cursor.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

// The duration code of a caption; an unknown caption fails and gives the last code.
int CodeOf(std::string_view caption) {
    int code = 0;
    while (code < kFaseTimeCount - 1 && caption != FaseTime(code).caption) {
        ++code;
    }
    EXPECT_EQ(caption, FaseTime(code).caption);
    return code;
}

std::int32_t SecondsOf(std::string_view caption) {
    return FaseTime(CodeOf(caption)).seconds;
}

// Duration codes by caption, first phase first.
FaseCodes Codes(std::initializer_list<std::string_view> captions) {
    FaseCodes codes{};
    std::size_t p = 0;
    for (const std::string_view caption : captions) {
        codes[p++] = CodeOf(caption);
    }
    return codes;
}

} // namespace

TEST(FaseTime, TableAndExpansionPulses) {
    EXPECT_STREQ(FaseTime(12).caption, "3 mim"); // as the board's users know it
    for (int code = 1; code < kFaseTimeCount; ++code) {
        EXPECT_GT(FaseTime(code).seconds, FaseTime(code - 1).seconds) << code;
        if (FaseTime(code).seconds <= SecondsOf("20 min")) {
            EXPECT_EQ(ExpansionPulses(FaseTime(code).seconds), 256) << FaseTime(code).caption;
        }
    }
    // "8 ore" gives exactly 5625: a whole block more.
    const std::pair<const char*, int> pulses[] = {{"OFF", 0},      {"25 min", 512},
                                                  {"45 min", 768}, {"1 ora", 768},
                                                  {"8 ore", 5632}, {"12 ore", 8448}};
    for (const auto& [caption, expected] : pulses) {
        EXPECT_EQ(ExpansionPulses(SecondsOf(caption)), expected) << caption;
    }
    EXPECT_EQ(CyclePulses({0, 0, 1, 0, 2, 0, 0, 0}), 512); // OFF phases add nothing
}

TEST(FaseTime, TimeTexts) {
    const std::pair<std::int32_t, const char*> hms[] = {
        {0, "00:00:00"}, {75, "00:01:15"}, {345600, "96:00:00"}, {360061, "00:01:01"}};
    for (const auto& [seconds, text] : hms) {
        EXPECT_EQ(FormatTimeHMS(seconds), text) << seconds; // only two digits per field
    }
    const std::tuple<const char*, char, const char*> steps[] = {
        {"10 sec", ',', "1,7sec"},       {"10 sec", '.', "1.7sec"}, {"1m 15s", ',', "12,5sec"},
        {"10 min", ',', "1min 40,0sec"}, {"6 min", ',', "1min "},   {"1 min", ',', "10,0sec"},
        {"12 ore", ',', "2h "},          {"OFF", ',', ""}};
    for (const auto& [caption, separator, text] : steps) {
        EXPECT_EQ(FormatStepTime(SecondsOf(caption), separator), text) << caption;
    }
}

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
