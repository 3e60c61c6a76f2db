#pragma once
// What the effect menus store in a cell, their check marks, clear/copy/paste and the Info text.

#include "model/effect_grid.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The seven submenus of "Impostazioni effetti", in display order.
enum class EffMenu { Preset, LightP1, OnoffP1, LightP2, OnoffP2, Flicker, Random };
inline constexpr int kEffMenuCount = 7;

// Number of items of a submenu, separators included.
int EffMenuSize(EffMenu menu);
// Caption of an item; separators read "-".
std::string EffItemCaption(EffMenu menu, int index);
bool IsEffSeparator(EffMenu menu, int index);

// Code stored by brightness item 0..9: "Spenta" 0, "Massima" 7, then the ramps 8..15.
std::uint8_t LightItemCode(int index);
struct PartCodes {
    std::uint8_t part1 = 0;
    std::uint8_t part2 = 0;
};
// Both codes set by preset 0..14 (separators 4, 8 and 12 are never asked for).
PartCodes PresetCodes(int index);

// Both Parts off: the cell is dark and flicker and random switch-on are not offered.
inline bool IsDarkCell(const typEffSet& rec) {
    return rec.bytePart1 == 0 && rec.bytePart2 == 0;
}

// The record after choosing an item; a Part edit that leaves the cell dark also clears
// flicker and random switch-on. Separators change nothing.
typEffSet ApplyEffItem(typEffSet rec, EffMenu menu, int index);

// Check marks of a record: the checked item of each submenu, or -1.
struct EffMarks {
    std::array<int, kEffMenuCount> checked{};
    bool flickerRandomEnabled = true; // "Tremolo" and "Accensione casuale"
    int Checked(EffMenu menu) const { return checked[static_cast<std::size_t>(menu)]; }
};
EffMarks MarksOf(const typEffSet& rec);

// Clear, copy and paste in units of a cell, an output row or a phase column of `cell`;
// the scopes are in the order of the "Azzera" items.
enum class EffScope { Cell, Row, Column, All };
using EffRow = std::array<typEffSet, kFasi>;
using EffColumn = std::array<typEffSet, kOutputs>;

void ClearCells(EffGrid& grid, EffScope scope, int cell);
EffRow CopyRow(const EffGrid& grid, int cell);
EffColumn CopyColumn(const EffGrid& grid, int cell);
void PasteRow(EffGrid& grid, int cell, const EffRow& row);
void PasteColumn(EffGrid& grid, int cell, const EffColumn& column);

// What the effect menu's copy keeps: one cell, one output's row, one phase's column, and
// which of the three has been copied (only that paste item is enabled).
enum class EffCopyScope { Cell = 0, Row = 1, Column = 2 };
struct EffClipboard {
    typEffSet recEffCopy{};
    EffRow recEffCopyRow{};
    EffColumn recEffCopyCol{};
    std::array<bool, 3> blnPasteEnabled{};
};
void CopyCells(EffClipboard& clipboard, EffCopyScope scope, const EffGrid& grid, int cell);
// False, and the grid unchanged, while nothing of that scope has been copied.
bool PasteCells(const EffClipboard& clipboard, EffCopyScope scope, EffGrid& grid, int cell);

// The 14 lines of "Info" joined by CR LF: phase times and pulses with the cycle totals.
using FaseSecondsList = std::array<std::int32_t, kFasi>;
std::string InfoText(std::string_view title, const FaseSecondsList& seconds);
