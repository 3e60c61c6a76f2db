#pragma once
// What sits at the far end of the line and decides the answer to each received byte; besides
// the board (board_protocol.h) a loop-back plug, and a device that answers every command line
// with a canned text (an AT modem, or any other device a person wants to play).

#include "tools/virtual_board/mono_clock.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vboard {

// A piece of an answer; the pause lets a device hesitate in the middle of a reply.
struct ReplyPart {
    std::string bytes;
    Nanos pauseBefore{0};
};
using Reply = std::vector<ReplyPart>;

// Tells a person at a terminal what happens on the line.
using Announce = std::function<void(std::string_view)>;

class Responder {
public:
    virtual ~Responder() = default;
    virtual Reply receive(std::uint8_t byte) = 0;
    // A board's firmware does not listen while it is answering; a plug or a modem does.
    virtual bool deafWhileAnswering() const { return false; }
};

// A loop-back plug (transmit and receive pins joined): every byte comes straight back.
class LoopbackPlug : public Responder {
public:
    Reply receive(std::uint8_t byte) override {
        return {ReplyPart{std::string(1, static_cast<char>(byte))}};
    }
};

// The answer to a line ending in CR: the line itself first where echoLine says so, then
// `first`, then `second` after `pause` (a device that hesitates in the middle of a reply).
struct CannedReply {
    bool echoLine = false;
    std::string first;
    std::string second;
    Nanos pause{0};
};

// Collects a command line (LF is ignored) and answers it with the canned reply.
class LineReplier : public Responder {
public:
    explicit LineReplier(CannedReply reply) : m_reply(std::move(reply)) {}

    Reply receive(std::uint8_t byte) override {
        if (byte != '\r') {
            if (byte != '\n' && m_line.size() < 256) { // a real modem's buffer overflows too
                m_line += static_cast<char>(byte);
            }
            return {};
        }
        Reply reply{{(m_reply.echoLine ? m_line + '\r' : std::string()) + m_reply.first}};
        if (!m_reply.second.empty()) {
            reply.push_back({m_reply.second, m_reply.pause});
        }
        m_line.clear();
        return reply;
    }

private:
    CannedReply m_reply;
    std::string m_line;
};

} // namespace vboard
