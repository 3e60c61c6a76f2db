#pragma once
// Upper-case hexadecimal text, as the board's wire, the image view and the messages show it.

#include <cstdint>
#include <string>

// Appends value as exactly `digits` upper-case hexadecimal digits (the low ones, zero-padded).
void AppendHexDigits(std::string& text, std::uint32_t value, int digits = 2);
std::string HexDigits(std::uint32_t value, int digits = 2);
