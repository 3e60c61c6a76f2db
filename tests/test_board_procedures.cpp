// The board procedures over a scripted link: every kind of reply a faulty board or line can
// give (silence, a lost device, a damaged reply, a write's echo), what the procedure makes of
// it and what it sent. Which replies are damaged is the reply rules' own table
// (test_board_protocol); the serial port itself is tested against the virtual board.

#include "board/board_procedures.h"
#include "tests/support/scripted_link.h"

#include <gtest/gtest.h>

#include <string>

namespace {

QByteArray Hex(std::uint8_t byte) {
    return QByteArray(1, static_cast<char>(byte)).toHex().toUpper();
}

// A healthy board: "R" gives its image, "W" takes the next 128 bytes and echoes each, a
// letter switches an output and reports all ten. It answers only the R of "RAT" CR LF.
struct Board {
    EdataBytes image{};
    OutputStates outputs{};
    int written = -1; // image bytes taken since "W"; -1: not writing

    QByteArray Reply(const QByteArray& command) {
        const char c = command.at(0);
        if (written >= 0) {
            image[static_cast<std::size_t>(written)] = static_cast<std::uint8_t>(c);
            written = written == kEdataSize - 1 ? -1 : written + 1;
            return "W" + Hex(static_cast<std::uint8_t>(c));
        }
        if (c == 'R') {
            return QByteArray::fromStdString(ReadReplyText(image));
        }
        if (c == 'W') {
            written = 0;
            return "W";
        }
        const bool on = c >= 'A' && c <= 'J';
        outputs[static_cast<std::size_t>(on ? c - 'A' : c - 'a')] = on;
        QByteArray letters;
        for (std::size_t o = 0; o < outputs.size(); ++o) {
            letters += static_cast<char>((outputs[o] ? 'A' : 'a') + static_cast<int>(o));
        }
        return letters;
    }
};

// The image written in the tests: every byte different, phases on.
EdataBytes Image() {
    EdataBytes image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 151 + 7);
    }
    return image;
}

// A fault: the board's reply of exchange `at` replaced by `reply`, or the device lost during
// exchange `loseAt`.
struct Fault {
    int at = -1;
    QByteArray reply;
    int loseAt = -1;
};

ScriptedLink FaultyLink(Board& board, const Fault& fault) {
    return ScriptedLink(
        [&board, fault](const QByteArray& command, int exchange) {
            const QByteArray healthy = board.Reply(command);
            return exchange == fault.at ? fault.reply : healthy;
        },
        fault.loseAt);
}

} // namespace

TEST(ReadProcedure, EveryFaultOfTheReply) {
    const struct {
        const char* what;
        Fault fault;
        BoardFault expected;
    } cases[] = {
        {"healthy", {}, BoardFault::None},
        {"silence", {0, ""}, BoardFault::NoReply},
        {"junk", {0, "x7#Qa"}, BoardFault::BadReply},
        {"hang-up after R", {-1, {}, 0}, BoardFault::DeviceLost},
        // A board still in an interrupted write takes the R as image data and echoes it.
        {"a write's echo", {0, "W52"}, BoardFault::UnfinishedWrite},
    };
    for (const auto& c : cases) {
        Board board;
        board.image = Image();
        ScriptedLink link = FaultyLink(board, c.fault);
        const ReadOutcome read = ReadBoardImage(link);
        EXPECT_EQ(read.fault, c.expected) << c.what;
        EXPECT_EQ(link.sent, QByteArray("R")) << c.what;
        // A failed read gives no image to load.
        EXPECT_EQ(read.image, c.expected == BoardFault::None ? Image() : EdataBytes{}) << c.what;
    }
}

TEST(WriteProcedure, EveryFaultOfTheEchoes) {
    const EdataBytes image = Image();
    const struct {
        const char* what;
        Fault fault;
        BoardFault expected;
        int attempted; // image bytes sent
        int echoed;    // for WrongEcho
    } cases[] = {
        {"healthy", {}, BoardFault::None, 128, 0},
        {"silence after W", {0, ""}, BoardFault::NoReply, 0, 0},
        {"junk after W", {0, "WW"}, BoardFault::BadReply, 0, 0},
        {"a write's echo for W", {0, "W57"}, BoardFault::UnfinishedWrite, 0, 0},
        {"hang-up after W", {-1, {}, 0}, BoardFault::DeviceLost, 0, 0},
        {"hang-up after byte 0", {-1, {}, 1}, BoardFault::DeviceLost, 1, 0},
        {"hang-up after byte 127", {-1, {}, 128}, BoardFault::DeviceLost, 128, 0},
        {"silence after byte 5", {6, ""}, BoardFault::NoReply, 6, 0},
        {"other byte echoed for byte 40",
         {41, "W" + Hex(image[40] ^ 1)},
         BoardFault::WrongEcho,
         41,
         image[40] ^ 1},
        {"three-digit echo of byte 7", {8, "W0" + Hex(image[7])}, BoardFault::BadReply, 8, 0},
    };
    for (const auto& c : cases) {
        Board board;
        ScriptedLink link = FaultyLink(board, c.fault);
        std::vector<int> progress;
        const WriteOutcome written =
            WriteBoardImage(link, image, [&](int attempted) { progress.push_back(attempted); });
        EXPECT_EQ(written.fault, c.expected) << c.what;
        EXPECT_EQ(written.attempted, c.attempted) << c.what;
        EXPECT_EQ(written.echoed, c.echoed) << c.what;
        // The write stops at the first fault: nothing is sent after it.
        const QByteArray all = "W" + QByteArray(reinterpret_cast<const char*>(image.data()), 128);
        EXPECT_EQ(link.sent, all.left(1 + c.attempted)) << c.what;
        ASSERT_EQ(progress.size(), static_cast<std::size_t>(c.attempted)) << c.what;
        for (int i = 0; i < c.attempted; ++i) {
            EXPECT_EQ(progress[static_cast<std::size_t>(i)], i + 1) << c.what;
        }
    }
}

TEST(OutputProcedure, SendsTheWantedStateAndReadsTheReportedOnes) {
    Board board;
    ScriptedLink link([&board](const QByteArray& command, int) { return board.Reply(command); });
    OutputOutcome reply = SendOutputCommand(link, 2, true);
    EXPECT_EQ(reply.fault, BoardFault::None);
    EXPECT_EQ(reply.states, (OutputStates{false, false, true}));
    reply = SendOutputCommand(link, 9, true);
    reply = SendOutputCommand(link, 2, false);
    EXPECT_EQ(reply.states,
              (OutputStates{false, false, false, false, false, false, false, false, false, true}));
    // Asking for the state an output has already is sent as such.
    SendOutputCommand(link, 9, true);
    EXPECT_EQ(link.sent, QByteArray("CJcJ"));
}

TEST(OutputProcedure, EveryFaultOfTheReport) {
    const struct {
        const char* what;
        Fault fault;
        BoardFault expected;
    } cases[] = {
        {"silence", {0, ""}, BoardFault::NoReply},
        {"hang-up after the letter", {-1, {}, 0}, BoardFault::DeviceLost},
        {"nine letters", {0, "abCdefghi"}, BoardFault::BadReply},
        {"a write's echo", {0, "W43"}, BoardFault::UnfinishedWrite},
    };
    for (const auto& c : cases) {
        Board board;
        ScriptedLink link = FaultyLink(board, c.fault);
        const OutputOutcome reply = SendOutputCommand(link, 2, true);
        EXPECT_EQ(reply.fault, c.expected) << c.what;
        EXPECT_EQ(reply.states, OutputStates{}) << c.what;
        EXPECT_EQ(link.sent, QByteArray("C")) << c.what;
    }
}

TEST(LinkTestProcedure, WhatAnsweredAndWhetherTheDeviceWentAway) {
    const struct {
        const char* what;
        Fault fault;
        LinkDevice device;
        bool lost;
    } cases[] = {
        {"board", {}, LinkDevice::Board, false},
        {"nothing", {0, ""}, LinkDevice::Nothing, false},
        {"junk", {0, "Qz1"}, LinkDevice::Other, false},
        {"hang-up", {-1, {}, 0}, LinkDevice::Nothing, true},
        {"a write's echo", {0, "W52"}, LinkDevice::Other, false},
    };
    for (const auto& c : cases) {
        Board board;
        ScriptedLink link = FaultyLink(board, c.fault);
        const LinkTestOutcome outcome = RunLinkTest(link);
        EXPECT_EQ(outcome.device, c.device) << c.what;
        EXPECT_EQ(outcome.unfinishedWrite, c.fault.reply == "W52") << c.what;
        EXPECT_EQ(outcome.deviceLost, c.lost) << c.what;
        EXPECT_EQ(link.sent, QByteArray("RAT\r\n")) << c.what;
    }
}

TEST(WriteProcedure, AStopRequestEndsItBeforeTheNextByte) {
    Board board;
    ScriptedLink link([&board](const QByteArray& command, int) { return board.Reply(command); });
    int asked = 0;
    const WriteOutcome written = WriteBoardImage(link, Image(), {}, [&] { return ++asked > 20; });
    EXPECT_EQ(written.fault, BoardFault::Interrupted);
    EXPECT_EQ(written.attempted, 20);
    EXPECT_EQ(link.sent.size(), 21); // W and the twenty bytes sent before the stop
}

TEST(WriteProcedure, AnImageWithoutARunningPhaseIsRefused) {
    EdataBytes image = Image();
    EXPECT_TRUE(ImageHasEnabledFase(image));
    for (std::size_t p = 0; p < 8; ++p) {
        image[p] = 0xC0; // the duration is the low six bits: code 0 is OFF
    }
    EXPECT_FALSE(ImageHasEnabledFase(image));
    image[7] = 0x01;
    EXPECT_TRUE(ImageHasEnabledFase(image));
}
