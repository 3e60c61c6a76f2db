// Where the grid's focus cell goes with each navigation key, over the phases that are shown.

#include "model/grid_focus.h"

#include <gtest/gtest.h>

namespace {

// "10110001": phase 1 shown, phase 2 hidden, ...
ShownFasi Shown(const char* pattern) {
    ShownFasi shown{};
    for (std::size_t f = 0; f < shown.size(); ++f) {
        shown[f] = pattern[f] == '1';
    }
    return shown;
}

} // namespace

TEST(GridFocus, MovesSkipHiddenPhasesAndStopAtTheEdges) {
    using M = FocusMove;
    const struct {
        const char* shown;
        int output, fase;
        FocusMove move;
        int toOutput, toFase;
    } cases[] = {
        {"11111111", 4, 3, M::Left, 4, 2},
        {"11111111", 4, 3, M::Right, 4, 4},
        {"11111111", 4, 3, M::Up, 3, 3},
        {"11111111", 4, 3, M::Down, 5, 3},
        {"11111111", 0, 0, M::Left, 0, 0},
        {"11111111", 0, 0, M::Up, 0, 0},
        {"11111111", 9, 7, M::Right, 9, 7},
        {"11111111", 9, 7, M::Down, 9, 7},
        {"10010001", 2, 3, M::Left, 2, 0},
        {"10010001", 2, 3, M::Right, 2, 7},
        {"00010001", 2, 3, M::Left, 2, 3},
        {"10010000", 2, 3, M::Right, 2, 3},
        {"01111110", 6, 4, M::RowStart, 6, 1},
        {"01111110", 6, 4, M::RowEnd, 6, 6},
        {"01111110", 6, 4, M::GridStart, 0, 1},
        {"01111110", 6, 4, M::GridEnd, 9, 6},
        // From a hidden phase the focus first snaps to a shown one, then moves.
        {"10000001", 5, 3, M::Up, 4, 7},
        // With nothing shown there is nowhere to go.
        {"00000000", 5, 3, M::GridEnd, 5, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MoveFocusCell(CellIndex(c.output, c.fase), c.move, Shown(c.shown)),
                  CellIndex(c.toOutput, c.toFase))
            << c.shown << " from " << c.output << "/" << c.fase << " move "
            << static_cast<int>(c.move);
    }
}

// Where the focus goes when its phase is turned off: the next shown phase to the right, else the
// last one to the left; nowhere when none is shown.
TEST(GridFocus, SnapPrefersTheNextShownPhaseToTheRight) {
    const struct {
        const char* shown;
        int fase, toFase;
    } cases[] = {
        {"11111111", 4, 4}, {"10000001", 4, 7}, {"11110000", 6, 3},
        {"00000001", 0, 7}, {"10000000", 7, 0}, {"00000000", 2, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SnapFocusCell(CellIndex(7, c.fase), Shown(c.shown)), CellIndex(7, c.toFase))
            << c.shown << " " << c.fase;
    }
}
