#pragma once
// A Hayes modem on the port: collects a command line and answers it when CR arrives.

#include "tools/virtual_board/responder.h"

#include <string>

namespace vboard {

// How the modem shapes its answer to a command line.
enum class ModemStyle {
    EchoThenOk, // echo on: "RAT\r" and "\r\nOK\r\n" in one burst
    CrLfFirst,  // echo off: "\r\n", a pause, then "OK\r\n"
    OkOnly,     // echo off: "\r\nOK\r\n" in one burst
};

// Answers OK to lines holding "AT", ERROR to anything else; LF is ignored.
class Modem : public Responder {
public:
    // pause: between the first CR LF and the result of CrLfFirst.
    Modem(ModemStyle style, Nanos pause) : m_style(style), m_pause(pause) {}
    Reply receive(std::uint8_t byte) override;

private:
    ModemStyle m_style;
    Nanos m_pause;
    std::string m_line;
};

} // namespace vboard
