// The board's replies as the program judges them: read image, write echo, output states.

#include "model/board_protocol.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

TEST(ReadReply, CompleteReplyGivesEveryByteAndDamagedOnesAreRejected) {
    std::string good = "R079EC5";
    for (int i = 0; i < 124; ++i) {
        good += "A0";
    }
    good += "F1";
    const std::optional<EdataBytes> parsed = ParseReadReply(good);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ((*parsed)[0] * 0x10000 + (*parsed)[1] * 0x100 + (*parsed)[2], 0x079EC5);
    EXPECT_EQ((*parsed)[3], 0xA0);
    EXPECT_EQ((*parsed)[127], 0xF1);
    EXPECT_EQ(ReadReplyText(*parsed), good);
    // Damaged replies: at offset, put the character (a NUL: cut the reply there).
    const std::pair<std::size_t, char> damages[] = {{0, 'X'}, {0, 'r'},   {256, '\0'},
                                                    {8, 'c'}, {256, 'G'}, {1, ' '}};
    for (const auto& [at, c] : damages) {
        std::string bad = good;
        c == '\0' ? bad.resize(at) : void(bad[at] = c);
        EXPECT_FALSE(ParseReadReply(bad).has_value()) << at << c;
    }
    for (const std::string& bad : {good.substr(1), good + "0", std::string()}) {
        EXPECT_FALSE(ParseReadReply(bad).has_value()) << bad;
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
    for (const char* bad : {"abcdefghi", "abcdefghiK", "abcdefghijk", "bacdefghij", "",
                            "abcdefghi\r", "ABCDEFGHI1", "aBcDeFgHiJ "}) {
        EXPECT_FALSE(ParseOutputReply(bad).has_value()) << bad;
    }
}

TEST(LinkTestReply, WhatAnsweredTheLinkTest) {
    const std::string board = "R" + std::string(256, '0');
    const struct {
        std::string reply;
        LinkDevice device;
    } cases[] = {
        {"", LinkDevice::Nothing},
        {board, LinkDevice::Board},
        // Only the length and the R count: the link test does not judge the image.
        {"R" + std::string(256, 'z'), LinkDevice::Board},
        {"RAT", LinkDevice::Loopback},
        {"RAT\r", LinkDevice::Other},
        {"OK", LinkDevice::Other},
        {"AT", LinkDevice::Other},
        {board.substr(1) + "0", LinkDevice::Other}, // 257 characters without the R
        {board + "0", LinkDevice::Other},
        {board.substr(0, 256), LinkDevice::Other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyLinkReply(c.reply), c.device) << c.reply;
    }
}

TEST(OutputCommandLetter, UpperCaseSwitchesOnLowerCaseOff) {
    const struct {
        int output;
        bool isOn; // the state it has now
        char letter;
    } cases[] = {{0, false, 'A'}, {0, true, 'a'}, {9, false, 'J'}, {9, true, 'j'}, {4, false, 'E'}};
    for (const auto& c : cases) {
        EXPECT_EQ(OutputCommand(c.output, c.isOn), c.letter) << c.output << c.isOn;
    }
    EXPECT_THROW(OutputCommand(10, true), std::out_of_range);
}
