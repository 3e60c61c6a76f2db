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
    std::string lowerCase = good;
    lowerCase[100] = 'c';
    std::string notHex = good;
    notHex[256] = 'G';
    std::string blank = good;
    blank[1] = ' ';
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"no leading R", Digits("3C", 128)},
        {"other first letter", "X" + Digits("3C", 128)},
        {"lower-case R", "r" + Digits("3C", 128)},
        {"one digit short", good.substr(0, 256)},
        {"one digit more", good + "0"},
        {"lower-case digit", lowerCase},
        {"G as last digit", notHex},
        {"blank as first digit", blank},
        {"empty", ""},
    };
    ASSERT_TRUE(ParseReadReply(good).has_value());
    for (const auto& [name, reply] : cases) {
        EXPECT_FALSE(ParseReadReply(reply).has_value()) << name;
    }
}

struct EchoCase {
    const char* name;
    std::string reply;
    std::uint8_t sent;
    EchoCheck expected;
};

TEST(WriteEcho, OnlyTheDigitsOfTheByteSentConfirmIt) {
    const std::vector<EchoCase> cases = {
        {"same byte", "W3C", 0x3C, EchoCheck::Confirmed},
        {"zero", "W00", 0x00, EchoCheck::Confirmed},
        {"FF", "WFF", 0xFF, EchoCheck::Confirmed},
        {"other byte", "W3D", 0x3C, EchoCheck::WriteError},
        {"zero echoed for a byte", "W00", 0x01, EchoCheck::WriteError},
        {"garbage for a zero byte", "Wxx", 0x00, EchoCheck::CommError},
        {"lower-case digits", "W0a", 0x0A, EchoCheck::CommError},
        {"three digits", "W03C", 0x3C, EchoCheck::CommError},
        {"one digit", "W3", 0x03, EchoCheck::CommError},
        {"other letter", "R3C", 0x3C, EchoCheck::CommError},
        {"nothing", "", 0x00, EchoCheck::CommError},
    };
    for (const EchoCase& c : cases) {
        EXPECT_EQ(CheckWriteEcho(c.reply, c.sent), c.expected) << c.name;
    }
}

TEST(OutputReply, LetterCaseGivesTheStateOfEachOutput) {
    const std::optional<OutputStates> mixed = ParseOutputReply("AbCdEfGhIj");
    ASSERT_TRUE(mixed.has_value());
    const OutputStates expected = {true, false, true, false, true, false, true, false, true, false};
    EXPECT_EQ(*mixed, expected);
    EXPECT_EQ(ParseOutputReply("abcdefghij"), std::optional<OutputStates>(OutputStates{}));
    OutputStates allOn{};
    allOn.fill(true);
    EXPECT_EQ(ParseOutputReply("ABCDEFGHIJ"), std::optional<OutputStates>(allOn));

    for (const char* bad : {"abcdefghi", "abcdefghiK", "abcdefghijk", "bacdefghij", "",
                            "abcdefghi\r", "ABCDEFGHI1", "aBcDeFgHiJ "}) {
        EXPECT_FALSE(ParseOutputReply(bad).has_value()) << bad;
    }
}
