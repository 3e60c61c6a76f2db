#pragma once
// What the grid shows: every cell's caption, description and light-course segments, in twips.

#include "model/effect_grid.h"
#include "model/grid_geometry.h"
#include "model/light_course.h"

#include <array>
#include <cstdint>
#include <string>

inline constexpr int kSegmentsPerRow = kFasi * 6;                // 48
inline constexpr int kConnectorsPerRow = kSegmentsPerRow - 1;    // 47
inline constexpr int kSegments = kOutputs * kSegmentsPerRow;     // 480 lineEffH
inline constexpr int kConnectors = kOutputs * kConnectorsPerRow; // 470 lineEffV

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kMagenta{255, 0, 255};
inline constexpr Rgb kCyan{0, 255, 255};
inline constexpr Rgb kSeparatorGrey{128, 128, 128};
inline constexpr Rgb kCursorBlue{0, 0, 255};
inline constexpr Rgb kPreviewOrange{255, 140, 0};

// A straight line of the grid, ends in twips.
struct GridLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    Rgb colour;
    bool visible = true;
    bool operator==(const GridLine&) const = default;
};

struct CellLabel {
    std::string caption;
    std::string tooltip; // the cell description
    bool visible = true;
};

struct GridDrawing {
    std::array<GridLine, kSegments> lineEffH;   // index cell * 6 + part * 3 + step
    std::array<GridLine, kConnectors> lineEffV; // index output * 47 + (segment index mod 48)
    std::array<CellLabel, kCells> lblEffMode;
};

// Index in lineEffV of the connector that joins segment k to segment k + 1.
inline constexpr int ConnectorIndex(int segment) {
    return (segment / kSegmentsPerRow) * kConnectorsPerRow + segment % kSegmentsPerRow;
}

// Height in twips (for output 0) of level 0..256 inside the band below kRowTop.
int LevelToY(int level);

std::string CellCaption(const typEffSet& rec);
std::string CellDescription(int cell, const typEffSet& rec, const typLightValue& lv);

// The grid's fixed lines: 11 grey rows of separators, 10 grey columns (names, then each
// phase), and the blue time cursor at x, over the whole grid height.
std::array<GridLine, 11> GridSeparatorsH();
std::array<GridLine, 10> GridSeparatorsV();
GridLine TimeCursorLine(int x, bool visible);
// The preview's position: the time cursor's line in orange.
GridLine PreviewPositionLine(int x, bool visible);

GridDrawing DrawGrid(const EffGrid& recEffSet, const FaseCodes& faseCodes,
                     const LightCourse& course);
