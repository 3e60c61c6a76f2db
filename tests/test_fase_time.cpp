// Phase durations: the table, expansion pulses, time texts and cycle sums.

#include "model/fase_time.h"

#include <gtest/gtest.h>

namespace {

int CodeOf(const std::string& caption) {
    for (int code = 0; code < kFaseTimeCount; ++code) {
        if (caption == FaseTime(code).caption) {
            return code;
        }
    }
    return -1;
}

std::int32_t SecondsOf(const std::string& caption) {
    return FaseTime(CodeOf(caption)).seconds;
}

} // namespace

TEST(FaseTimeTable, HasSixtyFourChoicesFromOffToTwelveHoursInOrder) {
    EXPECT_STREQ(FaseTime(0).caption, "OFF");
    EXPECT_EQ(FaseTime(0).seconds, 0);
    EXPECT_STREQ(FaseTime(1).caption, "10 sec");
    EXPECT_STREQ(FaseTime(12).caption, "3 mim");   // as the board's users know it
    EXPECT_STREQ(FaseTime(32).caption, "1h 10m "); // trailing blank kept
    EXPECT_STREQ(FaseTime(63).caption, "12 ore");
    EXPECT_EQ(FaseTime(63).seconds, 43200);
    for (int code = 1; code < kFaseTimeCount; ++code) {
        EXPECT_GT(FaseTime(code).seconds, FaseTime(code - 1).seconds) << code;
    }
}

TEST(ExpansionPulses, TellingValues) {
    EXPECT_EQ(ExpansionPulses(0), 0);
    for (int code = 1; code <= CodeOf("20 min"); ++code) {
        EXPECT_EQ(ExpansionPulses(FaseTime(code).seconds), 256) << FaseTime(code).caption;
    }
    EXPECT_EQ(ExpansionPulses(SecondsOf("25 min")), 512);
    EXPECT_EQ(ExpansionPulses(SecondsOf("45 min")), 768);
    EXPECT_EQ(ExpansionPulses(SecondsOf("1 ora")), 768);
    EXPECT_EQ(ExpansionPulses(SecondsOf("8 ore")), 5632); // exactly 5625: a whole block more
    EXPECT_EQ(ExpansionPulses(SecondsOf("12 ore")), 8448);
}

TEST(FormatTimeHMS, TwoDigitsPerField) {
    EXPECT_EQ(FormatTimeHMS(0), "00:00:00");
    EXPECT_EQ(FormatTimeHMS(75), "00:01:15");
    EXPECT_EQ(FormatTimeHMS(43200), "12:00:00");
    EXPECT_EQ(FormatTimeHMS(345600), "96:00:00");
    EXPECT_EQ(FormatTimeHMS(360000 + 61), "00:01:01"); // only the last two hour digits
}

TEST(FormatStepTime, OneSixthOfThePhaseWithTheLocaleSeparator) {
    EXPECT_EQ(FormatStepTime(SecondsOf("10 sec"), ','), "1,7sec");
    EXPECT_EQ(FormatStepTime(SecondsOf("10 sec"), '.'), "1.7sec");
    EXPECT_EQ(FormatStepTime(SecondsOf("1m 15s"), ','), "12,5sec");
    EXPECT_EQ(FormatStepTime(SecondsOf("1m 45s"), ','), "17,5sec");
    EXPECT_EQ(FormatStepTime(SecondsOf("10 min"), ','), "1min 40,0sec");
    EXPECT_EQ(FormatStepTime(SecondsOf("6 min"), ','), "1min ");
    EXPECT_EQ(FormatStepTime(SecondsOf("1 min"), ','), "10,0sec");
    EXPECT_EQ(FormatStepTime(SecondsOf("12 ore"), ','), "2h ");
    EXPECT_EQ(FormatStepTime(0, ','), "");
}

TEST(CycleTotals, EightPhasesOfTwelveHours) {
    const FaseCodes codes = {63, 63, 63, 63, 63, 63, 63, 63};
    EXPECT_EQ(FormatTimeHMS(CycleSeconds(codes)), "96:00:00");
    EXPECT_EQ(CyclePulses(codes), 67584); // more than a 16-bit sum can hold
}

TEST(CycleTotals, OffPhasesAddNothingAndTheFirstEnabledPhaseIsFound) {
    const FaseCodes codes = {0, 0, 1, 0, 2, 0, 0, 0};
    EXPECT_EQ(CycleSeconds(codes), 30);
    EXPECT_EQ(CyclePulses(codes), 512);
    EXPECT_EQ(FirstEnabledFase(codes), 2);
    EXPECT_TRUE(AnyFaseEnabled(codes));
    const FaseCodes off{};
    EXPECT_EQ(FirstEnabledFase(off), 0);
    EXPECT_FALSE(AnyFaseEnabled(off));
}
