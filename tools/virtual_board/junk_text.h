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
    explicit JunkText(std::uint32_t seed = 6) : m_random(seed) {}

    // `length` characters from blank to tilde.
    std::string make(std::size_t length);
    // A length from low to high, both included.
    std::size_t length(std::size_t low, std::size_t high);

private:
    std::mt19937 m_random;
};

} // namespace vboard
