// Effect items, check marks, clear/copy/paste, the Info text and the name rule.

#include "model/effect_items.h"
#include "model/fase_time.h"
#include "model/name_rules.h"

#include <gtest/gtest.h>

namespace {

typEffSet Rec(int p1, int p2, int flicker = 0, bool random = false) {
    return {static_cast<std::uint8_t>(p1), static_cast<std::uint8_t>(p2),
            static_cast<std::uint8_t>(flicker), random ? kTrue : kFalse};
}

// A grid whose every cell differs from every other.
EffGrid Numbered() {
    EffGrid grid{};
    for (int i = 0; i < kCells; ++i) {
        grid[static_cast<std::size_t>(i)] = Rec(i % 16, (i / 16) + 1, i % 8, i % 3 == 0);
    }
    return grid;
}

} // namespace

struct ItemCase {
    EffMenu menu;
    int index;
    typEffSet before;
    typEffSet after;
};

class EffItemStores : public testing::TestWithParam<ItemCase> {};

TEST_P(EffItemStores, CodeAndDarkCellRule) {
    const ItemCase& c = GetParam();
    EXPECT_EQ(ApplyEffItem(c.before, c.menu, c.index), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Items, EffItemStores,
    testing::Values(ItemCase{EffMenu::LightP1, 9, Rec(0, 0), Rec(15, 0)},  // "Decrescente 50%"
                    ItemCase{EffMenu::LightP1, 1, Rec(0, 0), Rec(7, 0)},   // "Massima"
                    ItemCase{EffMenu::LightP2, 2, Rec(3, 4), Rec(3, 8)},   // "Crescente 6%"
                    ItemCase{EffMenu::OnoffP2, 5, Rec(9, 0), Rec(9, 5)},   // "1 - 0 - 1"
                    ItemCase{EffMenu::Preset, 13, Rec(0, 0), Rec(11, 15)}, // rise + fall
                    ItemCase{EffMenu::Preset, 14, Rec(0, 0), Rec(15, 11)}, // fall + rise
                    ItemCase{EffMenu::Preset, 3, Rec(1, 1, 2, true), Rec(7, 0, 2, true)},
                    // Parts back to dark: flicker and random go too.
                    ItemCase{EffMenu::LightP1, 0, Rec(7, 0, 5, true), Rec(0, 0)},
                    ItemCase{EffMenu::OnoffP2, 0, Rec(0, 6, 5, true), Rec(0, 0)},
                    ItemCase{EffMenu::Preset, 0, Rec(11, 15, 7, true), Rec(0, 0)},
                    // Still lit in the other Part: flicker and random stay.
                    ItemCase{EffMenu::LightP1, 0, Rec(7, 1, 5, true), Rec(0, 1, 5, true)},
                    // Separators and the flicker/random items never touch the Parts.
                    ItemCase{EffMenu::Preset, 8, Rec(0, 0, 3, true), Rec(0, 0, 3, true)},
                    ItemCase{EffMenu::Flicker, 7, Rec(0, 0, 0, true), Rec(0, 0, 7, true)},
                    ItemCase{EffMenu::Random, 1, Rec(2, 0, 1), Rec(2, 0, 1, true)},
                    ItemCase{EffMenu::Random, 0, Rec(2, 0, 1, true), Rec(2, 0, 1)}));

TEST(EffItems, CaptionsOfEverySubmenuInDisplayOrder) {
    std::vector<std::string> presets;
    for (int i = 0; i < EffMenuSize(EffMenu::Preset); ++i) {
        presets.push_back(EffItemCaption(EffMenu::Preset, i));
    }
    EXPECT_EQ(presets,
              (std::vector<std::string>{
                  "Off", "On", "Off - On", "On - Off", "-", "Crescente 6%", "Crescente 12%",
                  "Crescente 25%", "-", "Decrescente 6%", "Decrescente 12%", "Decrescente 25%", "-",
                  "Crescente 50% + Decrescente 50%", "Decrescente 50% + Crescente 50%"}));
    EXPECT_EQ(EffItemCaption(EffMenu::OnoffP1, 0), "0 - 0 - 0");
    EXPECT_EQ(EffItemCaption(EffMenu::OnoffP2, 6), "1 - 1 - 0");
    EXPECT_EQ(EffItemCaption(EffMenu::LightP2, 9), "Decrescente 50%");
    EXPECT_EQ(EffItemCaption(EffMenu::Flicker, 5), "Velocit\u00e0 fissa1 - Lum -25%");
    EXPECT_EQ(EffItemCaption(EffMenu::Random, 1), "On");
    // Each brightness and on/off caption names the code it stores.
    for (int i = 2; i < 10; ++i) {
        EXPECT_EQ(ApplyEffItem(Rec(0, 0), EffMenu::LightP1, i).bytePart1, i + 6);
    }
}

struct MarksCase {
    typEffSet rec;
    std::array<int, kEffMenuCount> checked; // preset, light1, onoff1, light2, onoff2, flicker, rnd
    bool enabled;
};

class EffMarksOf : public testing::TestWithParam<MarksCase> {};

TEST_P(EffMarksOf, ChecksAndEnabledStates) {
    const MarksCase& c = GetParam();
    const EffMarks marks = MarksOf(c.rec);
    EXPECT_EQ(marks.checked, c.checked);
    EXPECT_EQ(marks.flickerRandomEnabled, c.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Records, EffMarksOf,
    testing::Values(MarksCase{Rec(7, 7), {1, 1, 7, 1, 7, 0, 0}, true},
                    MarksCase{Rec(3, 0), {-1, -1, 3, 0, 0, 0, 0}, true},
                    MarksCase{Rec(8, 0), {-1, 2, -1, 0, 0, 0, 0}, true},
                    MarksCase{Rec(15, 11, 6, true), {14, 9, -1, 5, -1, 6, 1}, true},
                    // A dark cell loaded with flicker and random shows both, disabled.
                    MarksCase{Rec(0, 0, 3, true), {0, 0, 0, 0, 0, 3, 1}, false}));

TEST(EffClipboard, ClearScopesTouchExactlyTheirCells) {
    const EffGrid original = Numbered();
    const int cell = CellIndex(3, 5);
    for (const EffScope scope : {EffScope::Cell, EffScope::Row, EffScope::Column, EffScope::All}) {
        EffGrid grid = original;
        ClearCells(grid, scope, cell);
        for (int i = 0; i < kCells; ++i) {
            const bool cleared = scope == EffScope::All || i == cell ||
                                 (scope == EffScope::Row && CellOutput(i) == 3) ||
                                 (scope == EffScope::Column && CellFase(i) == 5);
            EXPECT_EQ(grid[static_cast<std::size_t>(i)],
                      cleared ? typEffSet{} : original[static_cast<std::size_t>(i)])
                << "cell " << i << " scope " << static_cast<int>(scope);
        }
    }
}

TEST(EffClipboard, RowAndColumnLandOnTheTargetsRowAndColumn) {
    const EffGrid original = Numbered();
    EffGrid grid = original;
    PasteRow(grid, CellIndex(6, 0), CopyRow(original, CellIndex(1, 7)));
    PasteColumn(grid, CellIndex(0, 0), CopyColumn(original, CellIndex(9, 7)));
    for (int o = 0; o < kOutputs; ++o) {
        for (int p = 0; p < kFasi; ++p) {
            typEffSet expected = original[static_cast<std::size_t>(CellIndex(o, p))];
            if (o == 6) {
                expected = original[static_cast<std::size_t>(CellIndex(1, p))];
            }
            if (p == 0) {
                expected = original[static_cast<std::size_t>(CellIndex(o, 7))];
            }
            EXPECT_EQ(grid[static_cast<std::size_t>(CellIndex(o, p))], expected) << o << "/" << p;
        }
    }
}

TEST(EffInfo, MixedDurationsAndTheLongestCycle) {
    // 10 s, OFF, 25 min, 1 h, then four phases of 12 h.
    const FaseSecondsList seconds = {10, 0, 1500, 3600, 43200, 43200, 43200, 43200};
    EXPECT_EQ(InfoText("Miravel6", seconds),
              "Miravel6\r\n\r\nTempi / Impulsi espansione\r\n"
              "Fase 1: 00:00:10 / 256\r\nFase 2: 00:00:00 / 0\r\nFase 3: 00:25:00 / 512\r\n"
              "Fase 4: 01:00:00 / 768\r\nFase 5: 12:00:00 / 8448\r\nFase 6: 12:00:00 / 8448\r\n"
              "Fase 7: 12:00:00 / 8448\r\nFase 8: 12:00:00 / 8448\r\n\r\n"
              "Tempo totale ciclo: 49:25:10\r\nImpulsi espansione ciclo: 35328");
    const FaseSecondsList longest = {43200, 43200, 43200, 43200, 43200, 43200, 43200, 43200};
    const std::string text = InfoText("Miravel6", longest);
    // The pulse total passes 16 bits.
    EXPECT_NE(text.find("\r\nTempo totale ciclo: 96:00:00\r\nImpulsi espansione ciclo: 67584"),
              std::string::npos);
}

struct NameCase {
    const char* name;
    NameFault fault;
    std::vector<char32_t> unstorable;
};

class NameRule : public testing::TestWithParam<NameCase> {};

TEST_P(NameRule, OneLineAndSingleByte) {
    const NameCase& c = GetParam();
    const NameCheck check = CheckName(c.name);
    EXPECT_EQ(check.fault, c.fault);
    EXPECT_EQ(check.unstorable, c.unstorable);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameRule,
    testing::Values(NameCase{"Luci cucina", NameFault::None, {}},
                    NameCase{"Citt\u00e0 \u20ac \u201cs\u00ec\u201d \u0152", NameFault::None, {}},
                    NameCase{"  ", NameFault::None, {}}, NameCase{"Tab\tok", NameFault::None, {}},
                    NameCase{"Riga\nnuova", NameFault::LineBreak, {}},
                    NameCase{"Riga\r", NameFault::LineBreak, {}},
                    NameCase{"a\u2028b", NameFault::LineBreak, {}},
                    NameCase{"\u03a9 \u263a \u03a9 \U0001F600",
                             NameFault::Unstorable,
                             {0x03A9, 0x263A, 0x1F600}}));
