#include "tools/virtual_board/board_protocol.h"

namespace vboard {

BoardProtocol::BoardProtocol(const BoardImage& image, const BoardFaults& faults, Announce announce,
                             WriteDone writeDone)
    : m_image(image), m_faults(faults), m_announce(std::move(announce)),
      m_writeDone(std::move(writeDone)) {}

Reply BoardProtocol::receive(std::uint8_t byte) {
    if (m_writeOffset >= 0) {
        return imageByte(byte);
    }
    if (byte == 'R') {
        m_announce("Lettura: immagine inviata");
        return answer('R' + imageToHex(m_image, m_faults.lowerCaseHex));
    }
    if (byte == 'W') {
        m_writeOffset = 0;
        m_announce("Scrittura: attesa dei 128 byte");
        return answer("W");
    }
    const bool on = byte >= 'A' && byte <= 'J';
    if (!on && (byte < 'a' || byte > 'j')) {
        return {}; // anything else (the "AT" of the link test, stray line ends) is not for us
    }
    const int output = on ? byte - 'A' : byte - 'a';
    if (output + 1 != m_faults.refusedOutput) {
        m_outputs[static_cast<std::size_t>(output)] = on;
    }
    std::string state;
    for (std::size_t i = 0; i < m_outputs.size() - (m_faults.nineLetters ? 1 : 0); ++i) {
        state += static_cast<char>((m_outputs[i] ? 'A' : 'a') + i);
    }
    m_announce("Uscite: " + state);
    return answer(state);
}

Reply BoardProtocol::imageByte(std::uint8_t byte) {
    const int offset = m_writeOffset++;
    m_image[static_cast<std::size_t>(offset)] = byte;
    const auto echoed = static_cast<std::uint8_t>(offset == m_faults.wrongEchoAt ? byte ^ 1 : byte);
    const std::string text = (offset == m_faults.threeDigitEchoAt ? "W0" : "W") + hexByte(echoed);
    if (m_writeOffset == static_cast<int>(kImageSize)) {
        m_writeOffset = -1;
        m_announce("Scrittura: 128 byte ricevuti");
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
    return {ReplyPart{text + "\r\n"}};
}

} // namespace vboard
