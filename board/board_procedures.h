#pragma once
// The board operations as exchange sequences over an open link: link test, read, write with
// its echo checks, and one output command. Every outcome is a value; what the user is told
// (message box, status line, standard error) is up to the caller.

#include "model/board_protocol.h"
#include "model/edata.h"

#include <cstdint>
#include <functional>

class BoardLink;

// Why an operation did not finish.
enum class BoardFault {
    None,
    NoReply,    // no complete reply within the time-out
    DeviceLost, // the device went away (unplugged, hung up)
    PortError,  // the port failed while the device stayed (SerialLink::LastPortError says how)
    BadReply,   // a reply came, but not the one the command asks for
    WrongEcho,  // a well-formed write echo of another byte
    // A write echo ("W" and two digits) where another reply was due: the board still takes
    // the bytes of an image whose write was interrupted, and answers nothing else until reset.
    UnfinishedWrite,
    Interrupted, // the write was stopped on request; the board waits for the rest of the image
};

struct LinkTestOutcome {
    LinkDevice device = LinkDevice::Nothing;
    bool deviceLost = false;      // the device went away during the test (device is Nothing)
    bool portError = false;       // the port failed during the test (device is Nothing)
    bool unfinishedWrite = false; // a write echo answered: see BoardFault::UnfinishedWrite
};

struct ReadOutcome {
    BoardFault fault = BoardFault::None;
    EdataBytes image{}; // valid only when fault is None
};

struct WriteOutcome {
    BoardFault fault = BoardFault::None;
    int attempted = 0;       // image bytes sent, the one that failed included (Interrupted: sent)
    std::uint8_t echoed = 0; // for WrongEcho: the byte the board confirmed instead
};

struct OutputOutcome {
    BoardFault fault = BoardFault::None;
    OutputStates states{}; // valid only when fault is None
};

// Called before each image byte goes out, with the count of bytes attempted so far (1..128).
using WriteProgress = std::function<void(int attempted)>;
// Asked before each image byte; true stops the write there (BoardFault::Interrupted).
using StopRequest = std::function<bool()>;

LinkTestOutcome RunLinkTest(BoardLink& link);
ReadOutcome ReadBoardImage(BoardLink& link);
WriteOutcome WriteBoardImage(BoardLink& link, const EdataBytes& image,
                             const WriteProgress& progress = {}, const StopRequest& stop = {});
// Asks for output 0..9 to be on or off; the outcome holds the states the board reports.
OutputOutcome SendOutputCommand(BoardLink& link, int output, bool on);
