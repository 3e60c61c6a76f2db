#include "model/name_rules.h"

#include "model/charset.h"

#include <algorithm>

namespace {

bool IsLineBreak(char32_t cp) {
    return cp == U'\n' || cp == U'\r' || cp == U'\v' || cp == U'\f' || cp == 0x85 || cp == 0x2028 ||
           cp == 0x2029;
}

// Length of the UTF-8 sequence at pos; a malformed byte counts as one character.
std::size_t SequenceLength(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
    }
    if (pos + length > text.size()) {
        return 1;
    }
    for (std::size_t n = 1; n < length; ++n) {
        if ((static_cast<unsigned char>(text[pos + n]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

char32_t CodePoint(std::string_view sequence) {
    const auto lead = static_cast<unsigned char>(sequence[0]);
    if (sequence.size() == 1) {
        return lead; // also a malformed byte, shown as its value
    }
    char32_t cp = lead & (0x7FU >> sequence.size());
    for (std::size_t n = 1; n < sequence.size(); ++n) {
        cp = (cp << 6) | (static_cast<unsigned char>(sequence[n]) & 0x3FU);
    }
    return cp;
}

} // namespace

NameCheck CheckName(std::string_view utf8) {
    NameCheck check;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t length = SequenceLength(utf8, pos);
        const std::string_view sequence = utf8.substr(pos, length);
        pos += length;
        const char32_t cp = CodePoint(sequence);
        if (IsLineBreak(cp)) {
            return {NameFault::LineBreak, {}};
        }
        if (!Utf8ToCp1252(sequence).has_value() &&
            std::find(check.unstorable.begin(), check.unstorable.end(), cp) ==
                check.unstorable.end()) {
            check.unstorable.push_back(cp);
        }
    }
    if (!check.unstorable.empty()) {
        check.fault = NameFault::Unstorable;
    }
    return check;
}
