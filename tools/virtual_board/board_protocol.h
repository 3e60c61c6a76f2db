#pragma once
// The Miravel6 board's command set, with switchable faults to exercise the program's checks.

#include "tools/virtual_board/board_image.h"
#include "tools/virtual_board/junk_text.h"
#include "tools/virtual_board/line_devices.h"

#include <array>
#include <functional>

namespace vboard {

// Deliberate deviations from a healthy board; all off by default.
struct BoardFaults {
    bool silent = false;       // takes commands but never answers
    bool garbage = false;      // answers with printable junk and CR LF instead
    bool lowerCaseHex = false; // read reply with lower-case digits
    int refusedOutput = 0;     // 1..10; that output keeps its state
    bool nineLetters = false;  // output reply one letter short
    int wrongEchoAt = -1;      // image offset whose write echo carries another value
    int threeDigitEchoAt = -1; // image offset whose write echo has three digits
};

// Healthy board behaviour plus the faults above.
class BoardProtocol : public Responder {
public:
    using WriteDone = std::function<void(const BoardImage&)>; // after each complete write

    BoardProtocol(const BoardImage& image, const BoardFaults& faults, Announce announce,
                  WriteDone writeDone);

    Reply receive(std::uint8_t byte) override;
    bool deafWhileAnswering() const override { return true; }

private:
    Reply imageByte(std::uint8_t byte);
    Reply answer(std::string text);

    BoardImage m_image;
    BoardFaults m_faults;
    Announce m_announce;
    WriteDone m_writeDone;
    std::array<bool, 10> m_outputs{};
    int m_writeOffset = -1; // -1: command mode
    JunkText m_junk;
};

} // namespace vboard
