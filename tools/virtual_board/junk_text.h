#pragma once
// Random printable characters for the line-noise faults; never CR or LF.

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace vboard {

// Seeded alike in every run, so a failing test sees the same junk again.
class JunkText {
public:
    // `length` characters from blank to tilde.
    std::string make(std::size_t length) {
        std::uniform_int_distribution<int> printable(' ', '~');
        std::string text;
        for (std::size_t i = 0; i < length; ++i) {
            text += static_cast<char>(printable(m_random));
        }
        return text;
    }
    // A length from low to high, both included.
    std::size_t length(std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(m_random);
    }

private:
    std::mt19937 m_random{6};
};

} // namespace vboard
