#include "tools/virtual_board/board_protocol.h"

#include <string>

namespace vboard {

namespace {

constexpr std::string_view kCrLf = "\r\n";

} // namespace

BoardProtocol::BoardProtocol(const BoardImage& image, const BoardFaults& faults)
    : m_image(image), m_faults(faults) {}

Reply BoardProtocol::receive(std::uint8_t byte) {
    return m_writeOffset >= 0 ? imageByte(byte) : command(byte);
}

Reply BoardProtocol::command(std::uint8_t byte) {
    if (byte == 'R') {
        std::string text;
        if (!m_faults.noReadPrefix) {
            text += m_faults.readLetter;
        }
        text += imageToHex(m_image, m_faults.lowerCaseHex);
        announce("Lettura: immagine inviata");
        return answer(text);
    }
    if (byte == 'W') {
        m_writeOffset = 0;
        announce("Scrittura: attesa dei 128 byte");
        return answer("W");
    }
    const bool on = byte >= 'A' && byte <= 'J';
    const bool off = byte >= 'a' && byte <= 'j';
    if (on || off) {
        const int output = on ? byte - 'A' : byte - 'a';
        if (output + 1 != m_faults.refusedOutput) {
            m_outputs[static_cast<std::size_t>(output)] = on;
        }
        const std::string state = outputState();
        announce("Uscite: " + state);
        return answer(state);
    }
    // Anything else (the "AT" of the link test, stray line ends) is not for us.
    return {};
}

Reply BoardProtocol::imageByte(std::uint8_t byte) {
    const int offset = m_writeOffset;
    m_image[static_cast<std::size_t>(offset)] = byte;

    std::uint8_t echoed = byte;
    if (offset == m_faults.wrongEchoAt) {
        echoed = static_cast<std::uint8_t>(byte ^ 0x01);
    }
    std::string text = "W";
    if (offset == m_faults.threeDigitEchoAt) {
        text += '0';
    }
    text += hexByte(echoed);

    if (++m_writeOffset == static_cast<int>(kImageSize)) {
        m_writeOffset = -1;
        announce("Scrittura: 128 byte ricevuti");
        if (m_writeDone) {
            m_writeDone(m_image);
        }
    }
    return answer(text);
}

Reply BoardProtocol::answer(std::string text) {
    if (m_faults.silent) {
        return {};
    }
    if (m_faults.garbage) {
        // Never 1, 3 or 257 characters: no junk can pass for W, an echo or an image.
        text = m_junk.make(m_junk.length(4, 40));
    }
    text += kCrLf;
    return {ReplyPart{std::move(text)}};
}

std::string BoardProtocol::outputState() const {
    std::string letters = m_faults.tenthLetterK ? "ABCDEFGHIK" : "ABCDEFGHIJ";
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (!m_outputs[i]) {
            letters[i] = static_cast<char>(letters[i] - 'A' + 'a');
        }
    }
    if (m_faults.nineLetters) {
        letters.pop_back();
    }
    return letters;
}

void BoardProtocol::announce(std::string_view text) const {
    if (m_announce) {
        m_announce(text);
    }
}

} // namespace vboard
