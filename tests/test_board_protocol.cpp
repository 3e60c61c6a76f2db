// The board's replies as the program judges them: read image, write echo, output states.

#include "model/board_protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Digits(const std::string& pair, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += pair;
    }
    return text;
}

// The text with one character replaced.
std::string With(std::string text, std::size_t at, char c) {
    text[at] = c;
    return text;
}

} // namespace

TEST(ReadReply, CompleteReplyGivesEveryByteInOffsetOrder) {
    const std::string reply = "R079EC5" + Digits("A0", 124) + "F1";
    const std::optional<EdataBytes> parsed = ParseReadReply(reply);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ((*parsed)[0], 0x07);
    EXPECT_EQ((*parsed)[1], 0x9E);
    EXPECT_EQ((*parsed)[2], 0xC5);
    EXPECT_EQ((*parsed)[3], 0xA0);
    EXPECT_EQ((*parsed)[127], 0xF1);
    EXPECT_EQ(ReadReplyText(*parsed), reply);
}

TEST(ReadReply, DamagedRepliesAreRejectedNotZeroed) {
    const std::string good = "R" + Digits("3C", 128);
    ASSERT_TRUE(ParseReadReply(good).has_value());
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"no leading R", good.substr(1)},
        {"other first letter", With(good, 0, 'X')},
        {"lower-case R", With(good, 0, 'r')},
        {"one digit short", good.substr(0, 256)},
        {"one digit more", good + "0"},
        {"lower-case digit", With(good, 100, 'c')},
        {"G as last digit", With(good, 256, 'G')},
        {"blank as first digit", With(good, 1, ' ')},
        {"empty", ""},
    };
    for (const auto& [name, reply] : cases) {
        EXPECT_FALSE(ParseReadReply(reply).has_value()) << name;
    }
}

TEST(WriteEcho, OnlyTheDigitsOfTheByteSentConfirmIt) {
    const struct {
        const char* reply;
        std::uint8_t sent;
        EchoCheck expected;
    } cases[] = {
        {"W3C", 0x3C, EchoCheck::Confirmed},  {"W00", 0x00, EchoCheck::Confirmed},
        {"WFF", 0xFF, EchoCheck::Confirmed},  {"W3D", 0x3C, EchoCheck::WriteError},
        {"W00", 0x01, EchoCheck::WriteError}, {"Wxx", 0x00, EchoCheck::CommError},
        {"W0a", 0x0A, EchoCheck::CommError},  {"W03C", 0x3C, EchoCheck::CommError},
        {"W3", 0x03, EchoCheck::CommError},   {"R3C", 0x3C, EchoCheck::CommError},
        {"", 0x00, EchoCheck::CommError},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckWriteEcho(c.reply, c.sent), c.expected) << c.reply;
    }
}

TEST(OutputReply, LetterCaseGivesTheStateOfEachOutput) {
    const OutputStates mixed = {true, false, true, false, true, false, true, false, true, false};
    EXPECT_EQ(ParseOutputReply("AbCdEfGhIj"), std::optional<OutputStates>(mixed));
    EXPECT_EQ(ParseOutputReply("abcdefghij"), std::optional<OutputStates>(OutputStates{}));
    OutputStates allOn{};
    allOn.fill(true);
    EXPECT_EQ(ParseOutputReply("ABCDEFGHIJ"), std::optional<OutputStates>(allOn));

    for (const char* bad : {"abcdefghi", "abcdefghiK", "abcdefghijk", "bacdefghij", "",
                            "abcdefghi\r", "ABCDEFGHI1", "aBcDeFgHiJ "}) {
        EXPECT_FALSE(ParseOutputReply(bad).has_value()) << bad;
    }
}
