// Effect items on records the menus cannot make, and the name rule.

#include "model/effect_items.h"
#include "model/name_rules.h"

#include <gtest/gtest.h>

namespace {

typEffSet Rec(int p1, int p2, int flicker = 0, bool random = false) {
    return {static_cast<std::uint8_t>(p1), static_cast<std::uint8_t>(p2),
            static_cast<std::uint8_t>(flicker), random ? kTrue : kFalse};
}

} // namespace

// A file may load a dark cell with flicker and random switch-on: the menu marks both but does
// not offer them, and only a Part edit that leaves the cell dark clears them.
TEST(EffItems, DarkCellLoadedWithFlickerAndRandom) {
    const typEffSet loaded = Rec(0, 0, 3, true);
    const EffMarks marks = MarksOf(loaded);
    EXPECT_EQ(marks.Checked(EffMenu::Flicker), 3);
    EXPECT_EQ(marks.Checked(EffMenu::Random), 1);
    EXPECT_EQ(marks.Checked(EffMenu::Preset), 0);
    EXPECT_FALSE(marks.flickerRandomEnabled);
    EXPECT_EQ(ApplyEffItem(loaded, EffMenu::Preset, 8), loaded); // a separator
    EXPECT_EQ(ApplyEffItem(loaded, EffMenu::LightP1, 1), Rec(7, 0, 3, true));
    EXPECT_EQ(ApplyEffItem(loaded, EffMenu::OnoffP2, 0), Rec(0, 0));
    // A random flag other than -1 counts as off.
    EXPECT_EQ(MarksOf(typEffSet{7, 0, 0, 1}).Checked(EffMenu::Random), 0);
}

struct NameCase {
    const char* name;
    NameFault fault;
    std::vector<char32_t> unstorable;
};

class NameRule : public testing::TestWithParam<NameCase> {};

TEST_P(NameRule, OneLineAndSingleByte) {
    const NameCheck check = CheckName(GetParam().name);
    EXPECT_EQ(check.fault, GetParam().fault);
    EXPECT_EQ(check.unstorable, GetParam().unstorable);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameRule,
    testing::Values(
        NameCase{"Citt\u00e0 \u20ac \u201cs\u00ec\u201d \u0152 \u017e", NameFault::None, {}},
        NameCase{"Tab\tok", NameFault::None, {}}, NameCase{"a\u2028b", NameFault::LineBreak, {}},
        NameCase{"Riga\r", NameFault::LineBreak, {}},
        NameCase{
            "\u03a9\u263a\u03a9\U0001F600", NameFault::Unstorable, {0x03A9, 0x263A, 0x1F600}}));
