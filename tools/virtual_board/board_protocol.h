#pragma once
// The Miravel6 board's command set, with switchable faults to exercise the program's checks.

#include "tools/virtual_board/board_image.h"
#include "tools/virtual_board/junk_text.h"
#include "tools/virtual_board/responder.h"

#include <array>
#include <functional>
#include <string_view>

namespace vboard {

// Deliberate deviations from a healthy board; all off by default.
struct BoardFaults {
    bool silent = false;       // takes commands but never answers
    bool garbage = false;      // answers with printable junk and CR LF instead
    bool lowerCaseHex = false; // read reply with lower-case digits
    bool noReadPrefix = false; // read reply without its leading letter
    char readLetter = 'R';
    int refusedOutput = 0;     // 1..10; that output keeps its state
    bool tenthLetterK = false; // output reply ends in K/k instead of J/j
    bool nineLetters = false;  // output reply one letter short
    int wrongEchoAt = -1;      // image offset whose write echo carries another value
    int threeDigitEchoAt = -1; // image offset whose write echo has three digits
};

// Healthy board behaviour plus the faults above.
class BoardProtocol : public Responder {
public:
    using Announce = std::function<void(std::string_view)>;
    using WriteDone = std::function<void(const BoardImage&)>;

    BoardProtocol(const BoardImage& image, const BoardFaults& faults);

    Reply receive(std::uint8_t byte) override;
    bool deafWhileAnswering() const override { return true; }

    void setAnnounce(Announce announce) { m_announce = std::move(announce); }
    void setWriteDone(WriteDone writeDone) { m_writeDone = std::move(writeDone); }

    const BoardImage& image() const { return m_image; }

private:
    Reply command(std::uint8_t byte);
    Reply imageByte(std::uint8_t byte);
    Reply answer(std::string text);
    std::string outputState() const;
    void announce(std::string_view text) const;

    BoardImage m_image;
    BoardFaults m_faults;
    std::array<bool, 10> m_outputs{};
    int m_writeOffset = -1; // -1: command mode
    JunkText m_junk;
    Announce m_announce;
    WriteDone m_writeDone;
};

} // namespace vboard
