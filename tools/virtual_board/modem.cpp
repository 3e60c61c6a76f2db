#include "tools/virtual_board/modem.h"

namespace vboard {

namespace {

constexpr std::size_t kMaxLine = 256; // a real modem's buffer overflows too

} // namespace

Reply Modem::receive(std::uint8_t byte) {
    if (byte == '\n') {
        return {};
    }
    if (byte != '\r') {
        if (m_line.size() < kMaxLine) {
            m_line += static_cast<char>(byte);
        }
        return {};
    }
    const bool isAt =
        m_line.find("AT") != std::string::npos || m_line.find("at") != std::string::npos;
    const std::string result = isAt ? "OK\r\n" : "ERROR\r\n";
    Reply reply;
    switch (m_style) {
    case ModemStyle::EchoThenOk:
        reply.push_back({m_line + "\r" + "\r\n" + result});
        break;
    case ModemStyle::CrLfFirst:
        reply.push_back({"\r\n"});
        reply.push_back({result, m_pause});
        break;
    case ModemStyle::OkOnly:
        reply.push_back({"\r\n" + result});
        break;
    }
    m_line.clear();
    return reply;
}

} // namespace vboard
