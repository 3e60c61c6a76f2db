#pragma once
// The single-byte character set of the program's text files (Windows-1252) and UTF-8.

#include <optional>
#include <string>
#include <string_view>

// Every byte maps to one character; the five bytes Windows-1252 leaves unassigned
// map to the control characters of the same value, so any file reads back unchanged.
std::string Cp1252ToUtf8(std::string_view bytes);

// Empty when the text holds a character the single-byte set cannot store
// (or is not valid UTF-8).
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// As above, but every character that cannot be stored becomes '?'.
std::string Utf8ToCp1252Lossy(std::string_view utf8);
