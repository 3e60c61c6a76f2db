// The texts the program stores and shows: the files' single-byte character set, the names an
// output or a phase may take, and the window title after a file was opened or saved.

#include "model/charset.h"
#include "model/name_rules.h"
#include "model/window_title.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Charset, EveryByteReadsBackUnchanged) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    EXPECT_EQ(Utf8ToCp1252Lossy(utf8), all);
}

TEST(Charset, ConversionsOfSingleCharacters) {
    const struct {
        const char* utf8;
        const char* cp1252; // nullptr: not storable
        const char* lossy;
    } cases[] = {
        {"Citt\u00e0", "Citt\xe0", "Citt\xe0"},
        {"\u20ac 5", "\x80 5", "\x80 5"}, // the euro sign sits at 0x80
        {"\u2026", "\x85", "\x85"},       // the ellipsis, 0x85
        {"\u0178", "\x9f", "\x9f"},       // the last of the 0x80..0x9F block
        {"\u00ff", "\xff", "\xff"},       // Latin-1 as it is
        {"a\u0100b", nullptr, "a?b"},     // beyond the set
        {"\U0001F600!", nullptr, "?!"},   // a four-byte character
        {"\xe2\x82", nullptr, "??"},      // a sequence cut short
        {"x\xff", nullptr, "x?"},         // a byte that is no UTF-8
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> strict = Utf8ToCp1252(c.utf8);
        EXPECT_EQ(strict.has_value(), c.cp1252 != nullptr) << c.utf8;
        if (strict && c.cp1252) {
            EXPECT_EQ(*strict, c.cp1252) << c.utf8;
        }
        EXPECT_EQ(Utf8ToCp1252Lossy(c.utf8), c.lossy) << c.utf8;
    }
    // The five bytes Windows-1252 leaves free come back as the control characters of their value.
    EXPECT_EQ(Cp1252ToUtf8("\x81\x8d\x8f\x90\x9d"), "\u0081\u008d\u008f\u0090\u009d");
}

TEST(NameRules, ALineBreakOrUnstorableCharactersAreRefused) {
    const struct {
        const char* name;
        NameFault fault;
        std::vector<char32_t> unstorable;
    } cases[] = {
        {"Pompa", NameFault::None, {}},
        {"Citt\u00e0 \u20ac", NameFault::None, {}},
        {"", NameFault::None, {}},
        {"a\nb", NameFault::LineBreak, {}},
        {"a\rb", NameFault::LineBreak, {}},
        {"a\u2028b", NameFault::LineBreak, {}},
        {"a\u0085b", NameFault::LineBreak, {}},
        // Each unstorable character once, in the order it first appears.
        {"\u0101b\u4e2d\u0101", NameFault::Unstorable, {0x101, 0x4e2d}},
        {"\U0001F600", NameFault::Unstorable, {0x1F600}},
        // A line break wins over unstorable characters.
        {"\u4e2d\n", NameFault::LineBreak, {}},
    };
    for (const auto& c : cases) {
        const NameCheck check = CheckName(c.name);
        EXPECT_EQ(check.fault, c.fault) << c.name;
        EXPECT_EQ(check.unstorable, c.unstorable) << c.name;
    }
}

TEST(WindowTitle, LongPathsKeepTheirEnd) {
    const std::string dir = "/home/anna/";
    const auto path = [&](std::size_t chars) { // a path of exactly `chars` characters
        return dir + std::string(chars - dir.size() - 4, 'x') + ".dm6";
    };
    const std::string p80 = path(80);
    const std::string p81 = path(81);
    EXPECT_EQ(TitleAfterOpen("Miravel6", p80), "Miravel6 - " + p80);
    EXPECT_EQ(TitleAfterSave("Miravel6", p80), "Miravel6 - " + p80);
    // Open shows the first three characters and the last 80; save only the last 80.
    EXPECT_EQ(TitleAfterOpen("Miravel6", p81), "Miravel6 - /ho..." + p81.substr(1));
    EXPECT_EQ(TitleAfterSave("Miravel6", p81), "Miravel6 - ..." + p81.substr(1));
    // Characters, not bytes, are counted and kept whole.
    const std::string accented = "/citt\u00e0/" + std::string(71, '\u0061') + ".dm6"; // 82 chars
    EXPECT_EQ(TitleAfterOpen("M", accented), "M - /ci..." + accented.substr(2));
    std::string euros = "/"; // 81 characters, 241 bytes
    for (int i = 0; i < 80; ++i) {
        euros += "\u20ac";
    }
    EXPECT_EQ(TitleAfterSave("M", euros), "M - ..." + euros.substr(1));
    EXPECT_EQ(TitleAfterOpen("M", euros), "M - /\u20ac\u20ac..." + euros.substr(1));
}
