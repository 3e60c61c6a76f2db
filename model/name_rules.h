#pragma once
// Which names an output or a phase may take: one line, storable in a configuration file.

#include <string>
#include <string_view>
#include <vector>

enum class NameFault { None, LineBreak, Unstorable };

struct NameCheck {
    NameFault fault = NameFault::None;
    // The characters the files' single-byte set cannot hold, each once, in order of appearance
    // (only for NameFault::Unstorable).
    std::vector<char32_t> unstorable;
};

// A name is UTF-8 text; a line break wins over unstorable characters.
NameCheck CheckName(std::string_view utf8);
