#pragma once
// Command line of the virtual board: which device to play, its faults, pace and outputs.

#include "tools/virtual_board/board_image.h"
#include "tools/virtual_board/board_loop.h"
#include "tools/virtual_board/board_protocol.h"
#include "tools/virtual_board/line_devices.h"

#include <QString>
#include <QStringList>

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
    LineSettings line;
    std::string logPath;
    std::string dumpImagePath;
    std::string linkPath;
    QString comName; // "COM3"; empty: no mapping
};

// Run with the options, print text and end well (help, version), or print text and fail.
struct ParsedOptions {
    enum class Outcome { Run, Help, Error };
    Outcome outcome = Outcome::Run;
    BoardOptions options;
    QString text;
};

ParsedOptions parseBoardOptions(const QStringList& arguments);

} // namespace vboard
