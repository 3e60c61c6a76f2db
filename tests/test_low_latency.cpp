// The driver's low-latency flag: asked for at open, put back as it was at close.

#include "board/low_latency.h"

#include <gtest/gtest.h>

namespace {

constexpr int kSkipTest = 1 << 6; // ASYNC_SKIP_TEST, a flag the request must leave alone
constexpr int kSpdHi = 1 << 4;    // ASYNC_SPD_HI

TEST(LowLatency, OpenSetsOnlyTheLowLatencyBit) {
    struct Row {
        int flags;
        std::optional<int> wanted;
    };
    const Row rows[] = {
        {0, kLowLatencyFlag},
        {kSkipTest | kSpdHi, kSkipTest | kSpdHi | kLowLatencyFlag},
        {kLowLatencyFlag, std::nullopt}, // already low: nothing to change or restore
        {kLowLatencyFlag | kSkipTest, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.flags);
        EXPECT_EQ(FlagsWithLowLatency(row.flags), row.wanted);
    }
}

TEST(LowLatency, CloseRestoresTheBitAndKeepsLaterChanges) {
    struct Row {
        int present;
        int beforeOpen;
        int restored;
    };
    const Row rows[] = {
        {kLowLatencyFlag, 0, 0},
        {kLowLatencyFlag | kSkipTest, kSkipTest, kSkipTest},
        // Another program changed a flag while the port was open: that change stays.
        {kLowLatencyFlag | kSpdHi, kSkipTest, kSpdHi},
        // The driver dropped the bit meanwhile: it stays off, as it was before.
        {kSkipTest, kSkipTest, kSkipTest},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.present);
        EXPECT_EQ(FlagsRestored(row.present, row.beforeOpen), row.restored);
    }
}

} // namespace
