#pragma once
// A loop-back plug (transmit and receive pins joined): every byte comes straight back.

#include "tools/virtual_board/responder.h"

namespace vboard {

// Echoes each received byte; knows no protocol.
class LoopbackPlug : public Responder {
public:
    Reply receive(std::uint8_t byte) override {
        return {ReplyPart{std::string(1, static_cast<char>(byte))}};
    }
};

} // namespace vboard
