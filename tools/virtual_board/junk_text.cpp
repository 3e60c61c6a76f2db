#include "tools/virtual_board/junk_text.h"

namespace vboard {

std::string JunkText::make(std::size_t length) {
    std::uniform_int_distribution<int> printable(' ', '~');
    std::string text;
    text.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        text += static_cast<char>(printable(m_random));
    }
    return text;
}

std::size_t JunkText::length(std::size_t low, std::size_t high) {
    return std::uniform_int_distribution<std::size_t>(low, high)(m_random);
}

} // namespace vboard
