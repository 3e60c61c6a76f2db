#pragma once
// The grid's focus cell: where each navigation key takes it, over the phases that are shown.

#include "model/effect_grid.h"

#include <array>

enum class FocusMove { Left, Right, Up, Down, RowStart, RowEnd, GridStart, GridEnd };

// Which phases the grid shows (a phase that is "OFF" is hidden).
using ShownFasi = std::array<bool, kFasi>;
ShownFasi ShownFasiOf(const FaseCodes& codes);

// The cell itself when its phase is shown, otherwise the same output in the nearest shown
// phase (the next one to the right first). The cell unchanged when no phase is shown.
int SnapFocusCell(int cell, const ShownFasi& shown);

// The cell the focus moves to; hidden phases are skipped and the edges stop the movement.
int MoveFocusCell(int cell, FocusMove move, const ShownFasi& shown);
