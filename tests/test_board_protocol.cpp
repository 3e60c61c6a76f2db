// The board's replies as the program judges them: read image, write echo, outputs, link test.

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

// An image whose every byte differs from its neighbours, with a phase byte C5.
EdataBytes SampleImage() {
    EdataBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>((i * 151 + 7) & 0xFF);
    }
    bytes[2] = 0xC5;
    return bytes;
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

TEST(HexPair, OnlyTwoUpperCaseDigitsAreAByte) {
    EXPECT_EQ(ParseHexPair("3C"), std::optional<std::uint8_t>(60));
    EXPECT_EQ(ParseHexPair("00"), std::optional<std::uint8_t>(0));
    EXPECT_EQ(ParseHexPair("FF"), std::optional<std::uint8_t>(255));
    for (const char* bad : {"3c", "G0", "3", "3CC", "", "x0", "0x", " 3"}) {
        EXPECT_FALSE(ParseHexPair(bad).has_value()) << bad;
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
    EXPECT_TRUE(IsWriteReady("W"));
    EXPECT_FALSE(IsWriteReady("W3C"));
    EXPECT_FALSE(IsWriteReady(""));
    EXPECT_FALSE(IsWriteReady("w"));
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

TEST(OutputReply, CommandLetterSwitchesToTheOtherState) {
    EXPECT_EQ(OutputCommand(0, false), 'A');
    EXPECT_EQ(OutputCommand(2, false), 'C');
    EXPECT_EQ(OutputCommand(2, true), 'c');
    EXPECT_EQ(OutputCommand(9, false), 'J');
    EXPECT_EQ(OutputCommand(9, true), 'j');
}

TEST(LinkTest, ReplyTellsWhatIsConnected) {
    const std::string image = ReadReplyText(SampleImage());
    EXPECT_EQ(ClassifyLinkReply(""), LinkDevice::Nothing);
    EXPECT_EQ(ClassifyLinkReply(image), LinkDevice::Board);
    EXPECT_EQ(ClassifyLinkReply("RAT"), LinkDevice::Loopback);
    EXPECT_EQ(ClassifyLinkReply("\r\nOK"), LinkDevice::Other);
    EXPECT_EQ(ClassifyLinkReply("RAT\r\r\nOK"), LinkDevice::Other);
    EXPECT_EQ(ClassifyLinkReply("X" + image.substr(1)), LinkDevice::Other);
    EXPECT_EQ(ClassifyLinkReply(image.substr(0, 256)), LinkDevice::Other);
    EXPECT_EQ(ClassifyLinkReply("rat"), LinkDevice::Other);
}

TEST(ReplyEnd, OnlyAFinalCrLfEndsAReply) {
    EXPECT_TRUE(ReplyComplete("RAT\r\n"));
    EXPECT_TRUE(ReplyComplete("\r\n"));
    EXPECT_TRUE(ReplyComplete("\r\nOK\r\n"));
    EXPECT_FALSE(ReplyComplete(""));
    EXPECT_FALSE(ReplyComplete("RAT\r"));
    EXPECT_FALSE(ReplyComplete("RAT\n\r"));
    EXPECT_FALSE(ReplyComplete("\r\nOK"));
}
