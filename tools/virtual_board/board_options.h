#pragma once
// Command line of the virtual board: which device to play, its faults, pace and outputs.

#include "tools/virtual_board/board_image.h"
#include "tools/virtual_board/board_protocol.h"
#include "tools/virtual_board/line_devices.h"
#include "tools/virtual_board/line_queues.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vboard {

// What the line ends in: the board, a loop-back plug, or a device with one canned answer.
enum class DeviceKind { Board, Loopback, CannedReply };

// Everything the command line chose, already checked.
struct BoardOptions {
    DeviceKind device = DeviceKind::Board;
    CannedReply reply;
    BoardImage image = defaultImage();
    BoardFaults faults;
    long baud = 9600;
    bool paced = true;
    ReplyShaping shaping;
    std::size_t junkAfterReply = 0;
    Nanos junkGap = std::chrono::milliseconds(20);
    std::optional<std::uint64_t> hangupAfterBytes;
    std::optional<Nanos> exitAfter;
    std::string logPath;
    std::string dumpImagePath;
    std::string linkPath;
    QString comName; // "COM3"; empty: no mapping
    bool exitOnStdinEof = false;
    bool verbose = false;
};

// Run with the options, print text and end well (help, version), or print text and fail.
struct ParsedOptions {
    enum class Outcome { Run, Help, Error };
    Outcome outcome = Outcome::Run;
    BoardOptions options;
    QString text;
};

ParsedOptions parseBoardOptions(const QStringList& arguments);

// "\r", "\n" and "\\" of a --reply text made real; anything else stays as written.
std::string unescapeReply(const std::string& text);

} // namespace vboard
