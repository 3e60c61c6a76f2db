// The driver's low-latency flag: asked for at open, put back as it was at close.

#include "board/low_latency.h"

#include <gtest/gtest.h>

TEST(LowLatency, OpenSetsOnlyItsBitAndCloseRestoresOnlyThatBit) {
    constexpr int kLow = kLowLatencyFlag;
    constexpr int kSkip = 1 << 6; // ASYNC_SKIP_TEST and ASYNC_SPD_HI: flags to leave alone
    constexpr int kSpdHi = 1 << 4;
    EXPECT_EQ(FlagsWithLowLatency(0), kLow);
    EXPECT_EQ(FlagsWithLowLatency(kSkip | kSpdHi), kSkip | kSpdHi | kLow);
    // Already low: nothing to change, nothing to restore.
    EXPECT_EQ(FlagsWithLowLatency(kLow | kSkip), std::nullopt);

    EXPECT_EQ(FlagsRestored(kLow, 0), 0);
    EXPECT_EQ(FlagsRestored(kLow | kSkip, kSkip), kSkip);
    // Another program changed a flag while the port was open: that change stays.
    EXPECT_EQ(FlagsRestored(kLow | kSpdHi, kSkip), kSpdHi);
    // The driver dropped the bit meanwhile: it stays off, as it was before.
    EXPECT_EQ(FlagsRestored(kSkip, kSkip), kSkip);
}
