// What the effect menus offer, store and mark, and the clear, copy and paste of cells, rows and
// columns on the grid.

#include "model/effect_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every caption of a submenu joined by "|", separators as "-".
std::string Captions(EffMenu menu) {
    std::string text;
    for (int i = 0; i < EffMenuSize(menu); ++i) {
        text += (i == 0 ? "" : "|") + EffItemCaption(menu, i);
    }
    return text;
}

// A grid where every cell differs from every other: cell i holds Part1 i % 16, Part2
// i / 16, flicker i % 8 and random switch-on on every third cell.
EffGrid Numbered() {
    EffGrid grid{};
    for (int i = 0; i < kCells; ++i) {
        grid[static_cast<std::size_t>(i)] = {
            static_cast<std::uint8_t>(i % 16), static_cast<std::uint8_t>(i / 16),
            static_cast<std::uint8_t>(i % 8), i % 3 == 0 ? kTrue : kFalse};
    }
    return grid;
}

// The cells of `after` that differ from `before`, as a sorted list of indexes.
std::vector<int> Changed(const EffGrid& before, const EffGrid& after) {
    std::vector<int> cells;
    for (int i = 0; i < kCells; ++i) {
        if (!(before[static_cast<std::size_t>(i)] == after[static_cast<std::size_t>(i)])) {
            cells.push_back(i);
        }
    }
    return cells;
}

} // namespace

TEST(EffectMenus, CaptionsOfEverySubmenu) {
    const struct {
        EffMenu menu;
        const char* captions;
    } menus[] = {
        {EffMenu::Preset, "Off|On|Off - On|On - Off|-|Crescente 6%|Crescente 12%|Crescente 25%|-|"
                          "Decrescente 6%|Decrescente 12%|Decrescente 25%|-|Crescente 50% + "
                          "Decrescente 50%|Decrescente 50% + Crescente 50%"},
        {EffMenu::LightP1, "Spenta|Massima|Crescente 6%|Crescente 12%|Crescente 25%|Crescente "
                           "50%|Decrescente 6%|Decrescente 12%|Decrescente 25%|Decrescente 50%"},
        {EffMenu::OnoffP2, "0 - 0 - 0|0 - 0 - 1|0 - 1 - 0|0 - 1 - 1|1 - 0 - 0|1 - 0 - 1|1 - 1 - "
                           "0|1 - 1 - 1"},
        {EffMenu::Random, "Off|On"},
    };
    for (const auto& m : menus) {
        EXPECT_EQ(Captions(m.menu), m.captions);
    }
    EXPECT_EQ(Captions(EffMenu::LightP2), Captions(EffMenu::LightP1));
    EXPECT_EQ(Captions(EffMenu::OnoffP1), Captions(EffMenu::OnoffP2));
    EXPECT_EQ(EffMenuSize(EffMenu::Flicker), 8);
    for (int i = 0; i < EffMenuSize(EffMenu::Preset); ++i) {
        EXPECT_EQ(IsEffSeparator(EffMenu::Preset, i), i == 4 || i == 8 || i == 12) << i;
    }
    // An index past the menu is a fault of the caller, not an empty caption.
    EXPECT_THROW(EffItemCaption(EffMenu::Random, 2), std::out_of_range);
    EXPECT_THROW(ApplyEffItem({}, EffMenu::LightP1, -1), std::out_of_range);
}

TEST(EffectItems, WhatTheItemsStoreAndTheMarksTheyLeave) {
    using M = EffMenu;
    struct Choice {
        EffMenu menu;
        int item;
    };
    // From a record, the items chosen in turn; the record then (Part1, Part2, flicker,
    // random) and the checked item of each submenu in menu order (-1: none).
    const struct {
        const char* what;
        typEffSet from;
        std::vector<Choice> choices;
        typEffSet record;
        std::array<int, kEffMenuCount> marks;
        bool flickerRandomOffered;
    } cases[] = {
        // clang-format off
        {"preset On", {}, {{M::Preset, 1}}, {7, 7, 0, kFalse}, {1, 1, 7, 1, 7, 0, 0}, true},
        {"a pattern", {}, {{M::OnoffP1, 3}}, {3, 0, 0, kFalse}, {-1, -1, 3, 0, 0, 0, 0}, true},
        {"ramp, flicker, random", {}, {{M::LightP1, 2}, {M::Flicker, 6}, {M::Random, 1}},
         {8, 0, 6, kTrue}, {-1, 2, -1, 0, 0, 6, 1}, true},
        {"two ramps", {}, {{M::Preset, 13}}, {11, 15, 0, kFalse}, {13, 5, -1, 9, -1, 0, 0}, true},
        {"other ramps", {}, {{M::Preset, 14}}, {15, 11, 0, kFalse}, {14, 9, -1, 5, -1, 0, 0}, true},
        // A file may hold a dark cell with flicker and random switch-on, which no item makes:
        // both are marked but not offered.
        {"dark from a file", {0, 0, 3, kTrue}, {}, {0, 0, 3, kTrue}, {0, 0, 0, 0, 0, 3, 1}, false},
        {"lit in Part 2", {0, 0, 3, kTrue}, {{M::LightP1, 1}, {M::LightP2, 2}, {M::LightP1, 0}},
         {0, 8, 3, kTrue}, {-1, 0, 0, 2, -1, 3, 1}, true},
        // A Part edit that leaves the cell dark drops them.
        {"made dark", {0, 8, 3, kTrue}, {{M::OnoffP2, 0}}, {}, {0, 0, 0, 0, 0, 0, 0}, false},
        {"separator", {7, 7, 2, kTrue}, {{M::Preset, 4}}, {7, 7, 2, kTrue}, {1, 1, 7, 1, 7, 2, 1},
         true},
        // clang-format on
    };
    for (const auto& c : cases) {
        typEffSet rec = c.from;
        for (const Choice& choice : c.choices) {
            rec = ApplyEffItem(rec, choice.menu, choice.item);
        }
        EXPECT_EQ(rec, c.record) << c.what;
        const EffMarks marks = MarksOf(rec);
        EXPECT_EQ(marks.checked, c.marks) << c.what;
        EXPECT_EQ(marks.flickerRandomEnabled, c.flickerRandomOffered) << c.what;
    }
}

TEST(EffectCells, ClearTakesExactlyItsScope) {
    const int cell = CellIndex(3, 5);
    const struct {
        EffScope scope;
        std::vector<int> cleared;
    } cases[] = {
        {EffScope::Cell, {29}},
        {EffScope::Row, {24, 25, 26, 27, 28, 29, 30, 31}},
        {EffScope::Column, {5, 13, 21, 29, 37, 45, 53, 61, 69, 77}},
    };
    for (const auto& c : cases) {
        EffGrid grid = Numbered();
        const EffGrid before = grid;
        ClearCells(grid, c.scope, cell);
        EXPECT_EQ(Changed(before, grid), c.cleared) << static_cast<int>(c.scope);
        for (int i : c.cleared) {
            EXPECT_EQ(grid[static_cast<std::size_t>(i)], typEffSet{}) << i;
        }
    }
    EffGrid grid = Numbered();
    ClearCells(grid, EffScope::All, cell);
    EXPECT_EQ(grid, EffGrid{});
}

TEST(EffectCells, PasteWritesWhatWasCopiedWhereItIsPasted) {
    // Copied from one place, pasted at a cell of another row and column: the row lands on the
    // target's output, the column on the target's phase, each cell keeping its own phase or
    // output.
    const int from = CellIndex(9, 7);
    const int to = CellIndex(2, 1);
    const struct {
        EffCopyScope scope;
        std::vector<int> written;
    } cases[] = {
        {EffCopyScope::Cell, {17}},
        {EffCopyScope::Row, {16, 17, 18, 19, 20, 21, 22, 23}},
        {EffCopyScope::Column, {1, 9, 17, 25, 33, 41, 49, 57, 65, 73}},
    };
    for (const auto& c : cases) {
        const EffGrid source = Numbered();
        EffClipboard clipboard;
        CopyCells(clipboard, c.scope, source, from);
        for (int s = 0; s < 3; ++s) {
            EXPECT_EQ(clipboard.blnPasteEnabled[static_cast<std::size_t>(s)],
                      s == static_cast<int>(c.scope));
        }
        EffGrid grid{};
        ASSERT_TRUE(PasteCells(clipboard, c.scope, grid, to));
        EXPECT_EQ(Changed(EffGrid{}, grid), c.written);
        for (int i : c.written) {
            const int origin = c.scope == EffCopyScope::Cell  ? from
                               : c.scope == EffCopyScope::Row ? CellIndex(9, CellFase(i))
                                                              : CellIndex(CellOutput(i), 7);
            EXPECT_EQ(grid[static_cast<std::size_t>(i)], source[static_cast<std::size_t>(origin)])
                << i;
        }
    }
}

TEST(EffectCells, NothingIsPastedOfAScopeNotCopied) {
    EffClipboard clipboard;
    const EffGrid source = Numbered();
    CopyCells(clipboard, EffCopyScope::Row, source, 5);
    for (const EffCopyScope scope : {EffCopyScope::Cell, EffCopyScope::Column}) {
        EffGrid grid = source;
        EXPECT_FALSE(PasteCells(clipboard, scope, grid, 40));
        EXPECT_EQ(grid, source);
    }
    // A later copy of another scope keeps the row.
    CopyCells(clipboard, EffCopyScope::Cell, source, 0);
    EffGrid grid{};
    EXPECT_TRUE(PasteCells(clipboard, EffCopyScope::Row, grid, 79));
    EXPECT_EQ(Changed(EffGrid{}, grid), (std::vector<int>{72, 73, 74, 75, 76, 77, 78, 79}));
}

TEST(InfoText, PhaseTimesPulsesAndTheCycleTotals) {
    // The longest cycle: its pulses pass what 16 bits hold.
    FaseSecondsList seconds{};
    seconds.fill(12 * 3600);
    std::string expected = "Miravel6\r\n\r\nTempi / Impulsi espansione";
    for (int p = 1; p <= kFasi; ++p) {
        expected += "\r\nFase " + std::to_string(p) + ": 12:00:00 / 8448";
    }
    expected += "\r\n\r\nTempo totale ciclo: 96:00:00\r\nImpulsi espansione ciclo: 67584";
    EXPECT_EQ(InfoText("Miravel6", seconds), expected);
}
