#include "model/effect_items.h"

#include "model/fase_time.h"

#include <stdexcept>

namespace {

constexpr std::array<const char*, 10> kLightCaptions = {
    "Spenta",        "Massima",        "Crescente 6%",    "Crescente 12%",   "Crescente 25%",
    "Crescente 50%", "Decrescente 6%", "Decrescente 12%", "Decrescente 25%", "Decrescente 50%",
};

struct Preset {
    const char* caption; // nullptr: separator
    PartCodes codes;
};

constexpr std::array<Preset, 15> kPresets = {{
    {"Off", {0, 0}},
    {"On", {7, 7}},
    {"Off - On", {0, 7}},
    {"On - Off", {7, 0}},
    {nullptr, {}},
    {"Crescente 6%", {8, 8}},
    {"Crescente 12%", {9, 9}},
    {"Crescente 25%", {10, 10}},
    {nullptr, {}},
    {"Decrescente 6%", {12, 12}},
    {"Decrescente 12%", {13, 13}},
    {"Decrescente 25%", {14, 14}},
    {nullptr, {}},
    {"Crescente 50% + Decrescente 50%", {11, 15}},
    {"Decrescente 50% + Crescente 50%", {15, 11}},
}};

std::size_t Index(int index, int size) {
    if (index < 0 || index >= size) {
        throw std::out_of_range("effect menu item");
    }
    return static_cast<std::size_t>(index);
}

// "0 - 1 - 1": the three steps of on/off code 0..7, first step first.
std::string OnoffCaption(int code) {
    std::string text;
    for (int bit = 2; bit >= 0; --bit) {
        text += ((code >> bit) & 1) != 0 ? '1' : '0';
        if (bit != 0) {
            text += " - ";
        }
    }
    return text;
}

// Brightness item showing a Part code, or -1 for on/off codes 1..6.
int LightItemOf(int code) {
    if (code == 0) {
        return 0;
    }
    return code >= 7 ? code - 6 : -1;
}

} // namespace

int EffMenuSize(EffMenu menu) {
    switch (menu) {
    case EffMenu::Preset:
        return static_cast<int>(kPresets.size());
    case EffMenu::LightP1:
    case EffMenu::LightP2:
        return static_cast<int>(kLightCaptions.size());
    case EffMenu::OnoffP1:
    case EffMenu::OnoffP2:
    case EffMenu::Flicker:
        return 8;
    case EffMenu::Random:
        return 2;
    }
    return 0;
}

bool IsEffSeparator(EffMenu menu, int index) {
    return menu == EffMenu::Preset && kPresets[Index(index, EffMenuSize(menu))].caption == nullptr;
}

std::string EffItemCaption(EffMenu menu, int index) {
    const std::size_t i = Index(index, EffMenuSize(menu));
    switch (menu) {
    case EffMenu::Preset:
        return kPresets[i].caption == nullptr ? "-" : kPresets[i].caption;
    case EffMenu::LightP1:
    case EffMenu::LightP2:
        return kLightCaptions[i];
    case EffMenu::OnoffP1:
    case EffMenu::OnoffP2:
        return OnoffCaption(index);
    case EffMenu::Flicker:
        return FlickerCaption(index);
    case EffMenu::Random:
        return index == 0 ? "Off" : "On";
    }
    return {};
}

std::uint8_t LightItemCode(int index) {
    const std::size_t i = Index(index, static_cast<int>(kLightCaptions.size()));
    if (i == 0) {
        return 0;
    }
    return static_cast<std::uint8_t>(i == 1 ? 7 : i + 6);
}

PartCodes PresetCodes(int index) {
    return kPresets[Index(index, static_cast<int>(kPresets.size()))].codes;
}

typEffSet ApplyEffItem(typEffSet rec, EffMenu menu, int index) {
    Index(index, EffMenuSize(menu));
    switch (menu) {
    case EffMenu::Preset:
        if (IsEffSeparator(menu, index)) {
            return rec;
        }
        rec.bytePart1 = PresetCodes(index).part1;
        rec.bytePart2 = PresetCodes(index).part2;
        break;
    case EffMenu::LightP1:
        rec.bytePart1 = LightItemCode(index);
        break;
    case EffMenu::OnoffP1:
        rec.bytePart1 = static_cast<std::uint8_t>(index);
        break;
    case EffMenu::LightP2:
        rec.bytePart2 = LightItemCode(index);
        break;
    case EffMenu::OnoffP2:
        rec.bytePart2 = static_cast<std::uint8_t>(index);
        break;
    case EffMenu::Flicker:
        rec.byteFlicker = static_cast<std::uint8_t>(index);
        return rec;
    case EffMenu::Random:
        rec.blnRandom = index != 0 ? kTrue : kFalse;
        return rec;
    }
    if (IsDarkCell(rec)) {
        rec.byteFlicker = 0;
        rec.blnRandom = kFalse;
    }
    return rec;
}

EffMarks MarksOf(const typEffSet& rec) {
    EffMarks marks;
    marks.checked.fill(-1);
    auto set = [&marks](EffMenu menu, int item) {
        marks.checked[static_cast<std::size_t>(menu)] = item;
    };
    for (int i = 0; i < static_cast<int>(kPresets.size()); ++i) {
        const Preset& preset = kPresets[static_cast<std::size_t>(i)];
        if (preset.caption != nullptr && preset.codes.part1 == rec.bytePart1 &&
            preset.codes.part2 == rec.bytePart2) {
            set(EffMenu::Preset, i);
        }
    }
    set(EffMenu::LightP1, LightItemOf(rec.bytePart1));
    set(EffMenu::OnoffP1, IsPattern(rec.bytePart1) ? rec.bytePart1 : -1);
    set(EffMenu::LightP2, LightItemOf(rec.bytePart2));
    set(EffMenu::OnoffP2, IsPattern(rec.bytePart2) ? rec.bytePart2 : -1);
    // A record loaded from a file may hold flicker 0..7 on any cell; mark it as it is.
    set(EffMenu::Flicker, rec.byteFlicker < 8 ? rec.byteFlicker : -1);
    set(EffMenu::Random, IsTrue(rec.blnRandom) ? 1 : 0);
    marks.flickerRandomEnabled = !IsDarkCell(rec);
    return marks;
}

void ClearCells(EffGrid& grid, EffScope scope, int cell) {
    const int output = CellOutput(cell);
    const int fase = CellFase(cell);
    for (int i = 0; i < kCells; ++i) {
        const bool hit = scope == EffScope::All || (scope == EffScope::Cell && i == cell) ||
                         (scope == EffScope::Row && CellOutput(i) == output) ||
                         (scope == EffScope::Column && CellFase(i) == fase);
        if (hit) {
            grid.at(static_cast<std::size_t>(i)) = typEffSet{};
        }
    }
}

EffRow CopyRow(const EffGrid& grid, int cell) {
    EffRow row{};
    for (int j = 0; j < kFasi; ++j) {
        row[static_cast<std::size_t>(j)] =
            grid.at(static_cast<std::size_t>(CellIndex(CellOutput(cell), j)));
    }
    return row;
}

EffColumn CopyColumn(const EffGrid& grid, int cell) {
    EffColumn column{};
    for (int i = 0; i < kOutputs; ++i) {
        column[static_cast<std::size_t>(i)] =
            grid.at(static_cast<std::size_t>(CellIndex(i, CellFase(cell))));
    }
    return column;
}

void PasteRow(EffGrid& grid, int cell, const EffRow& row) {
    for (int j = 0; j < kFasi; ++j) {
        grid.at(static_cast<std::size_t>(CellIndex(CellOutput(cell), j))) =
            row[static_cast<std::size_t>(j)];
    }
}

void PasteColumn(EffGrid& grid, int cell, const EffColumn& column) {
    for (int i = 0; i < kOutputs; ++i) {
        grid.at(static_cast<std::size_t>(CellIndex(i, CellFase(cell)))) =
            column[static_cast<std::size_t>(i)];
    }
}

void CopyCells(EffClipboard& clipboard, EffCopyScope scope, const EffGrid& grid, int cell) {
    switch (scope) {
    case EffCopyScope::Cell:
        clipboard.recEffCopy = grid.at(static_cast<std::size_t>(cell));
        break;
    case EffCopyScope::Row:
        clipboard.recEffCopyRow = CopyRow(grid, cell);
        break;
    case EffCopyScope::Column:
        clipboard.recEffCopyCol = CopyColumn(grid, cell);
        break;
    }
    clipboard.blnPasteEnabled.at(static_cast<std::size_t>(scope)) = true;
}

bool PasteCells(const EffClipboard& clipboard, EffCopyScope scope, EffGrid& grid, int cell) {
    if (!clipboard.blnPasteEnabled.at(static_cast<std::size_t>(scope))) {
        return false;
    }
    switch (scope) {
    case EffCopyScope::Cell:
        grid.at(static_cast<std::size_t>(cell)) = clipboard.recEffCopy;
        break;
    case EffCopyScope::Row:
        PasteRow(grid, cell, clipboard.recEffCopyRow);
        break;
    case EffCopyScope::Column:
        PasteColumn(grid, cell, clipboard.recEffCopyCol);
        break;
    }
    return true;
}

std::string InfoText(std::string_view title, const FaseSecondsList& seconds) {
    std::string text(title);
    text += "\r\n\r\nTempi / Impulsi espansione";
    std::int32_t totalSeconds = 0;
    std::int32_t totalPulses = 0;
    for (int p = 0; p < kFasi; ++p) {
        const std::int32_t s = seconds[static_cast<std::size_t>(p)];
        const std::int16_t pulses = ExpansionPulses(s);
        text += "\r\nFase " + std::to_string(p + 1) + ": " + FormatTimeHMS(s) + " / " +
                std::to_string(pulses);
        totalSeconds += s;
        totalPulses += pulses;
    }
    text += "\r\n";
    text += "\r\nTempo totale ciclo: " + FormatTimeHMS(totalSeconds);
    text += "\r\nImpulsi espansione ciclo: " + std::to_string(totalPulses);
    return text;
}
