// The board image: layout, text view, round trip and hexadecimal digits.

#include "model/edata.h"

#include <gtest/gtest.h>

namespace {

constexpr FaseCodes kAllTenSeconds = {1, 1, 1, 1, 1, 1, 1, 1};

std::string Line(const std::string& text, int offset) {
    return text.substr(static_cast<std::size_t>(offset) * 7, 5);
}

} // namespace

TEST(Edata, EmptyGridOfTenSecondPhases) {
    const std::string text = EdataText(BuildEdata(kAllTenSeconds, EffGrid{}));
    ASSERT_EQ(text.size(), 128U * 7);
    for (int offset = 0; offset < 8; ++offset) {
        EXPECT_EQ(Line(text, offset), "0" + std::to_string(offset) + ":01");
    }
    EXPECT_EQ(Line(text, 8), "08:00");
    EXPECT_EQ(Line(text, 127), "7F:00");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(Edata, CellTwentyNineExample) {
    EffGrid grid{};
    grid[29] = {3, 12, 5, kTrue};
    grid[28] = {0, 0, 2, kFalse};
    const EdataBytes bytes = BuildEdata(kAllTenSeconds, grid);
    EXPECT_EQ(bytes[37], 0x3C);
    EXPECT_EQ(bytes[102], 0x2D); // cell 28 in the high nibble, 8 + 5 in the low one
    const std::string text = EdataText(bytes);
    EXPECT_EQ(Line(text, 37), "25:3C");
    EXPECT_EQ(Line(text, 102), "66:2D");
}

TEST(Edata, ApplyThenBuildReproducesEveryByteButTheTopBitsOfPhases) {
    EdataBytes received{};
    for (std::size_t i = 0; i < received.size(); ++i) {
        received[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    received[0] = 0xC5;
    const AppliedEdata applied = ApplyEdata(received);
    EXPECT_EQ(applied.faseCodes[0], 5);
    for (const typEffSet& rec : applied.recEffSet) {
        EXPECT_LE(rec.bytePart1, 15);
        EXPECT_LE(rec.byteFlicker, 7);
        EXPECT_TRUE(rec.blnRandom == kTrue || rec.blnRandom == kFalse);
    }
    const EdataBytes rebuilt = BuildEdata(applied.faseCodes, applied.recEffSet);
    for (std::size_t i = 0; i < received.size(); ++i) {
        const std::uint8_t expected = i < 8 ? received[i] & 63 : received[i];
        EXPECT_EQ(rebuilt[i], expected) << "offset " << i;
    }
}

TEST(Edata, RandomFlagIsOnlyMinusOne) {
    EffGrid grid{};
    grid[0].blnRandom = 1;
    grid[1].blnRandom = kTrue;
    EXPECT_EQ(BuildEdata(kAllTenSeconds, grid)[88], 0x08);
}

TEST(HexToByte, OnlyTwoUpperCaseDigits) {
    EXPECT_EQ(HexToByte("3C"), 60);
    EXPECT_EQ(HexToByte("FF"), 255);
    EXPECT_EQ(HexToByte("00"), 0);
    EXPECT_EQ(HexToByte("3c"), 0);
    EXPECT_EQ(HexToByte("G0"), 0);
    EXPECT_EQ(HexToByte("3"), 0);
    EXPECT_EQ(HexToByte("3CC"), 0);
    EXPECT_EQ(HexToByte(""), 0);
    EXPECT_EQ(HexToByte(std::string("\0A", 2)), 0);
}
