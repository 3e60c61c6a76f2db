#include "model/grid_focus.h"

namespace {

bool Shown(const ShownFasi& shown, int fase) {
    return fase >= 0 && fase < kFasi && shown[static_cast<std::size_t>(fase)];
}

// The first shown phase from `fase` on in steps of `step` (+1 or -1), or -1.
int FirstShown(const ShownFasi& shown, int fase, int step) {
    for (; fase >= 0 && fase < kFasi; fase += step) {
        if (Shown(shown, fase)) {
            return fase;
        }
    }
    return -1;
}

} // namespace

int SnapFocusCell(int cell, const ShownFasi& shown) {
    const int fase = CellFase(cell);
    int target = FirstShown(shown, fase, +1);
    if (target < 0) {
        target = FirstShown(shown, fase, -1);
    }
    return target < 0 ? cell : CellIndex(CellOutput(cell), target);
}

int MoveFocusCell(int cell, FocusMove move, const ShownFasi& shown) {
    const int from = SnapFocusCell(cell, shown);
    const int output = CellOutput(from);
    const int fase = CellFase(from);
    if (!Shown(shown, fase)) {
        return from; // nothing is shown: there is nowhere to go
    }
    auto at = [&](int newOutput, int newFase) {
        return newFase < 0 ? from : CellIndex(newOutput, newFase);
    };
    switch (move) {
    case FocusMove::Left:
        return at(output, FirstShown(shown, fase - 1, -1));
    case FocusMove::Right:
        return at(output, FirstShown(shown, fase + 1, +1));
    case FocusMove::Up:
        return output > 0 ? CellIndex(output - 1, fase) : from;
    case FocusMove::Down:
        return output < kOutputs - 1 ? CellIndex(output + 1, fase) : from;
    case FocusMove::RowStart:
        return at(output, FirstShown(shown, 0, +1));
    case FocusMove::RowEnd:
        return at(output, FirstShown(shown, kFasi - 1, -1));
    case FocusMove::GridStart:
        return at(0, FirstShown(shown, 0, +1));
    case FocusMove::GridEnd:
        return at(kOutputs - 1, FirstShown(shown, kFasi - 1, -1));
    }
    return from;
}

ShownFasi ShownFasiOf(const FaseCodes& codes) {
    ShownFasi shown{};
    for (std::size_t p = 0; p < kFasi; ++p) {
        shown[p] = codes[p] != 0;
    }
    return shown;
}
