#pragma once
// What sits at the far end of the line: decides the answer to each received byte.

#include "tools/virtual_board/mono_clock.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vboard {

// A piece of an answer; the pause lets a device hesitate in the middle of a reply.
struct ReplyPart {
    std::string bytes;
    Nanos pauseBefore{0};
};
using Reply = std::vector<ReplyPart>;

// Interface of the simulated devices: board, loop-back plug, modem.
class Responder {
public:
    virtual ~Responder() = default;
    virtual Reply receive(std::uint8_t byte) = 0;
    // A board's firmware does not listen while it is answering; a plug or a modem does.
    virtual bool deafWhileAnswering() const { return false; }
};

} // namespace vboard
