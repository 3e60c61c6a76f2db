// The board image: cell layout, text view, round trip and hexadecimal digits.

#include "model/edata.h"

#include <gtest/gtest.h>

TEST(Edata, CellTwentyNineExample) {
    EffGrid grid{};
    grid[29] = {3, 12, 5, kTrue};
    grid[28] = {0, 0, 2, kFalse};
    grid[0].blnRandom = 1; // only -1 counts as true
    grid[1].blnRandom = kTrue;
    const EdataBytes bytes = EncodeEdata({1, 1, 1, 1, 1, 1, 1, 1}, grid);
    EXPECT_EQ(bytes[88], 0x08);
    const std::string text = EdataText(bytes);
    ASSERT_EQ(text.size(), 128U * 7);
    EXPECT_EQ(text.substr(std::size_t{37} * 7, 7), "25:3C\r\n");
    EXPECT_EQ(text.substr(std::size_t{102} * 7, 7), "66:2D\r\n"); // cell 28 high, 8 + 5 low
}

TEST(Edata, ApplyThenBuildReproducesEveryByteButTheTopBitsOfPhases) {
    EdataBytes received{};
    for (std::size_t i = 0; i < received.size(); ++i) {
        received[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    received[0] = 0xC5;
    const DecodedEdata applied = DecodeEdata(received);
    EXPECT_EQ(applied.faseCodes[0], 5);
    for (const typEffSet& rec : applied.recEffSet) {
        EXPECT_TRUE(rec.bytePart1 <= 15 && rec.bytePart2 <= 15 && rec.byteFlicker <= 7);
        EXPECT_TRUE(rec.blnRandom == kTrue || rec.blnRandom == kFalse);
    }
    const EdataBytes rebuilt = EncodeEdata(applied.faseCodes, applied.recEffSet);
    for (std::size_t i = 0; i < received.size(); ++i) {
        EXPECT_EQ(rebuilt[i], i < 8 ? received[i] & 63 : received[i]) << "offset " << i;
    }
}

TEST(Edata, HexToByteTakesOnlyTwoUpperCaseDigits) {
    const std::pair<std::string, int> cases[] = {
        {"3C", 60}, {"FF", 255}, {"00", 0},
        {"3c", 0},  {"G0", 0},   {"3", 0},
        {"3CC", 0}, {"", 0},     {std::string("\0A", 2), 0}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(HexToByte(text), value) << text;
    }
}
