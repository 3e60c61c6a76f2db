#pragma once
// Where the grid stands in the window, in twips (1/1440 inch). The cell labels, the drawn
// light course, the separators and the time cursor all take their positions from here.

inline constexpr int kGridLeft = 1440;              // left edge of phase 1's column
inline constexpr int kColumnWidth = 1080;           // one phase
inline constexpr int kStepWidth = kColumnWidth / 6; // one on/off step of a half
inline constexpr int kRowTop = 840;                 // top of output 1's row: labels and full level
inline constexpr int kRowHeight = 480;              // one output
inline constexpr int kBandHeight = 360;             // from full level down to off, inside a row
inline constexpr int kGridTop = kRowTop - 120;      // the first horizontal separator
inline constexpr int kGridBottom = kGridTop + 10 * kRowHeight; // the last one
inline constexpr int kGridRight = kGridLeft + 8 * kColumnWidth;
inline constexpr int kNamesRight = 840; // the separator after the names and the buttons

constexpr int ColumnLeft(int fase) {
    return kGridLeft + kColumnWidth * fase;
}
constexpr int RowTop(int output) {
    return kRowTop + kRowHeight * output;
}
// The horizontal separator above the output's row (output 10: the one below the last row).
constexpr int SeparatorAbove(int output) {
    return kGridTop + kRowHeight * output;
}
