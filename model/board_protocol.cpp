#include "model/board_protocol.h"

namespace {

constexpr std::string_view kOutputLetters = "ABCDEFGHIJ";

} // namespace

bool ReplyComplete(std::string_view collected) {
    return collected.ends_with("\r\n");
}

std::optional<EdataBytes> ParseReadReply(std::string_view strRx) {
    if (strRx.size() != kReadReplySize || strRx.front() != 'R') {
        return std::nullopt;
    }
    EdataBytes bytes{};
    for (std::size_t j = 0; j < bytes.size(); ++j) {
        const std::optional<std::uint8_t> value = ParseHexPair(strRx.substr(1 + 2 * j, 2));
        if (!value) {
            return std::nullopt;
        }
        bytes[j] = *value;
    }
    return bytes;
}

std::string ReadReplyText(const EdataBytes& bytes) {
    static constexpr std::string_view digits = "0123456789ABCDEF";
    std::string text = "R";
    text.reserve(kReadReplySize);
    for (const std::uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

bool IsWriteReady(std::string_view strRx) {
    return strRx == "W";
}

EchoCheck CheckWriteEcho(std::string_view strRx, std::uint8_t sent) {
    if (strRx.size() != 3 || strRx.front() != 'W') {
        return EchoCheck::CommError;
    }
    const std::optional<std::uint8_t> echoed = ParseHexPair(strRx.substr(1));
    if (!echoed) {
        return EchoCheck::CommError;
    }
    return *echoed == sent ? EchoCheck::Confirmed : EchoCheck::WriteError;
}

bool IsWriteEcho(std::string_view strRx) {
    return strRx.size() == 3 && strRx.front() == 'W' && ParseHexPair(strRx.substr(1));
}

std::optional<OutputStates> ParseOutputReply(std::string_view strRx) {
    if (strRx.size() != kOutputLetters.size()) {
        return std::nullopt;
    }
    OutputStates states{};
    for (std::size_t j = 0; j < states.size(); ++j) {
        const char upper = kOutputLetters[j];
        const char lower = static_cast<char>(upper - 'A' + 'a');
        if (strRx[j] != upper && strRx[j] != lower) {
            return std::nullopt;
        }
        states[j] = strRx[j] == upper;
    }
    return states;
}

char OutputCommand(int output, bool isOn) {
    const char upper = kOutputLetters.at(static_cast<std::size_t>(output));
    return isOn ? static_cast<char>(upper - 'A' + 'a') : upper;
}

LinkDevice ClassifyLinkReply(std::string_view strRx) {
    if (strRx.empty()) {
        return LinkDevice::Nothing;
    }
    if (strRx.size() == kReadReplySize && strRx.front() == 'R') {
        return LinkDevice::Board;
    }
    if (strRx == "RAT") {
        return LinkDevice::Loopback;
    }
    return LinkDevice::Other;
}
