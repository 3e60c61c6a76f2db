// Phase durations: the table, expansion pulses and time texts. The Info box and the time
// cursor show the cycle sums.

#include "model/fase_time.h"

#include <gtest/gtest.h>

namespace {

std::int32_t SecondsOf(const std::string& caption) {
    int code = 0;
    while (code < kFaseTimeCount - 1 && caption != FaseTime(code).caption) {
        ++code;
    }
    EXPECT_EQ(caption, FaseTime(code).caption);
    return FaseTime(code).seconds;
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
