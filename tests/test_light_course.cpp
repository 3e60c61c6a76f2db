// Light course of the cells, how the grid draws it and the report file that lists it.

#include "model/grid_drawing.h"
#include "model/light_course.h"
#include "model/light_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

struct Grid {
    EffGrid rec{};
    FaseCodes codes = {1, 1, 1, 1, 1, 1, 1, 1};
    typEffSet& At(int output, int fase) {
        return rec[static_cast<std::size_t>(CellIndex(output, fase))];
    }
    LightCourse Course() const { return ComputeLightCourse(rec, codes); }
    GridDrawing Draw() const { return DrawGrid(rec, codes, Course()); }
};

const GridLine& Segment(const GridDrawing& drawing, int cell, int s) {
    return drawing.lineEffH.at(static_cast<std::size_t>(cell) * 6 + static_cast<std::size_t>(s));
}

// The ends of the three steps of a Part, in twips.
std::array<int, 6> Heights(const GridDrawing& drawing, int cell, int part) {
    std::array<int, 6> h{};
    for (std::size_t k = 0; k < 6; ++k) {
        const GridLine& line = Segment(drawing, cell, part * 3 + static_cast<int>(k / 2));
        h[k] = k % 2 == 0 ? line.y1 : line.y2;
    }
    return h;
}

struct CourseCase {
    int offFase; // -1: every phase "10 sec"
    std::vector<std::pair<int, typEffSet>> cells;
    int cell;
    typLightValue expected;
};

} // namespace

TEST(LightCourse, RampsContinueFromWhereTheCourseStood) {
    const CourseCase cases[] = {
        // A ramp in the first enabled phase starts at its fixed level; the OFF phase before it
        // has no course.
        {0, {{0, {7, 7}}, {1, {14, 0}}}, 1, {256, 128, 0, 0, 0, 0}},
        {0, {{0, {7, 7}}, {1, {14, 0}}}, 0, {}},
        // Over 256 and under 0 are limited and marked.
        {-1, {{16, {10, 10}}, {17, {10, 10}}}, 17, {256, 256, kRangeOver, 256, 256, kRangeOver}},
        {-1, {{48, {10, 15}}}, 48, {0, 128, 0, 128, 0, kRangeUnder}},
        // A ramp after a pattern starts from its last step.
        {-1, {{0, {6, 9}}}, 0, {256, 0, 0, 0, 64, 0}},
        // An OFF phase holds the level and the next ramp goes on from it.
        {1, {{32, {10, 10}}, {33, {11, 0}}, {34, {14, 0}}}, 33, {256, 256, 0, 256, 256, 0}},
        {1, {{32, {10, 10}}, {33, {11, 0}}, {34, {14, 0}}}, 34, {256, 128, 0, 0, 0, 0}},
    };
    for (const CourseCase& c : cases) {
        Grid g;
        if (c.offFase >= 0) {
            g.codes[static_cast<std::size_t>(c.offFase)] = 0;
        }
        for (const auto& [cell, rec] : c.cells) {
            g.rec[static_cast<std::size_t>(cell)] = rec;
        }
        EXPECT_EQ(g.Course()[static_cast<std::size_t>(c.cell)], c.expected)
            << "case " << &c - cases;
    }
}

TEST(GridDrawing, ColoursPatternsCaptionsAndConnectors) {
    Grid g;
    g.At(2, 0) = g.At(2, 1) = {10, 10}; // over 256
    g.At(6, 0) = {10, 15};              // under 0
    g.At(0, 0).bytePart1 = 5;           // "1 - 0 - 1": two connectors inside the half
    g.At(9, 7) = {5, 0, 1, kTrue};
    g.At(9, 6) = {5, 0, 1, 1}; // only -1 counts as true in a caption
    const GridDrawing drawing = g.Draw();
    for (int s = 0; s < 6; ++s) {
        const GridLine& over = Segment(drawing, 17, s);
        EXPECT_TRUE(over.colour == kMagenta && over.y1 == 840 + 960 && over.y2 == 840 + 960);
        EXPECT_EQ(Segment(drawing, 48, s).colour, s < 3 ? kGreen : kCyan);
    }
    EXPECT_EQ(drawing.lblEffMode[17].tooltip,
              "Uscita3 Fase2 - Parte1: Rampa 256-->256 Errore - Parte2: Rampa 256-->256 Errore"
              " - Tremolo: Off - Random: Off");
    EXPECT_EQ(Heights(drawing, 0, 0), (std::array<int, 6>{840, 840, 1200, 1200, 840, 840}));
    const GridLine& first = drawing.lineEffV[0];
    EXPECT_TRUE(first.visible && first.y1 == 840 && first.y2 == 1200 && first.x1 == 1440 + 180);
    EXPECT_EQ(first.colour, kRed);
    EXPECT_TRUE(drawing.lineEffV[1].visible &&
                drawing.lineEffV[2].visible);  // down to Part 2's 1200
    EXPECT_FALSE(drawing.lineEffV[3].visible); // flat off: no joint
    EXPECT_EQ(drawing.lineEffV[static_cast<std::size_t>(ConnectorIndex(5 * 48))].colour, kGreen);
    EXPECT_EQ(drawing.lblEffMode[79].caption + drawing.lblEffMode[78].caption, "T1 RT1 -");
}

TEST(GridDrawing, WorkedHeightsOfRamps) {
    Grid g;
    g.At(0, 0).bytePart1 = 8; // "Crescente 6%" from 0
    EXPECT_EQ(Heights(g.Draw(), 0, 0), (std::array<int, 6>{1200, 1185, 1185, 1170, 1170, 1155}));
    g.At(0, 0).bytePart1 = 11; // "Crescente 50%"
    EXPECT_EQ(Heights(g.Draw(), 0, 0), (std::array<int, 6>{1200, 1080, 1080, 960, 960, 840}));
    g.At(0, 0).bytePart1 = 12; // "Decrescente 6%" from 256
    EXPECT_EQ(Heights(g.Draw(), 0, 0), (std::array<int, 6>{840, 855, 855, 870, 870, 885}));
    g.At(3, 0).bytePart1 = 12; // output 4 is 3 * 480 twips lower
    EXPECT_EQ(Heights(g.Draw(), CellIndex(3, 0), 0)[5], 885 + 1440);
    // Levels between twips round half to even.
    const std::pair<int, int> levels[] = {
        {256, 840}, {0, 1200}, {96, 1065}, {16, 1178}, {48, 1132}};
    for (const auto& [level, y] : levels) {
        EXPECT_EQ(LevelToY(level), y) << level;
    }
}

TEST(GridDrawing, OffPhasesHideTheirCellsAndConnectors) {
    Grid g;
    g.codes[3] = 0;
    for (int fase = 0; fase < kFasi; ++fase) {
        g.At(0, fase).bytePart1 = 4; // on, off, off: joints everywhere
    }
    GridDrawing drawing = g.Draw();
    for (const int c : {3 * 6 - 1, 3 * 6, 3 * 6 + 5}) {
        EXPECT_FALSE(drawing.lineEffV[static_cast<std::size_t>(c)].visible) << c;
    }
    EXPECT_TRUE(drawing.lineEffV[3 * 6 - 6].visible);
    EXPECT_TRUE(drawing.lineEffV[3 * 6 + 6].visible);
    EXPECT_FALSE(drawing.lblEffMode[3].visible);
    EXPECT_EQ(drawing.lblEffMode[3].tooltip.substr(0, 13), "Uscita1 Fase4"); // still described

    g.codes = {}; // every phase off: nothing lights and nothing is drawn
    EXPECT_EQ(g.Course(), LightCourse{});
    drawing = g.Draw();
    const auto visible = [](const auto& item) { return item.visible; };
    EXPECT_TRUE(std::none_of(drawing.lblEffMode.begin(), drawing.lblEffMode.end(), visible));
    EXPECT_TRUE(std::none_of(drawing.lineEffH.begin(), drawing.lineEffH.end(), visible));
    EXPECT_TRUE(std::none_of(drawing.lineEffV.begin(), drawing.lineEffV.end(), visible));
}

TEST(LightReport, RowsOfCrLfLinesWhoseColumnsStandUnderTheTitle) {
    LightCourse course{};
    course[static_cast<std::size_t>(CellIndex(0, 1))] = {32, 256, kRangeOver, 256, 7, kRangeUnder};
    std::istringstream report(LightValueReport("C:\\m6\\light_value.txt", course));
    std::vector<std::string> lines;
    for (std::string line; std::getline(report, line);) {
        ASSERT_EQ(line.back(), '\r'); // every line, the last included, ends in CR LF
        lines.push_back(line.substr(0, line.size() - 1));
    }
    ASSERT_EQ(lines.size(), 15U);
    EXPECT_EQ(lines[0] + '|' + lines[1] + '|' + lines[2] + '|' + lines[3],
              "Light Value - File C:\\m6\\light_value.txt||Value:  Start_Part1  Stop_Part1  "
              "Normal/Over/Under_Part1  Start_Part2  Stop_Part2  Normal/Over/Under_Part2|");
    EXPECT_EQ(lines[4].substr(0, 30), "Out| Fase1                   |");
    EXPECT_EQ(lines[5].substr(0, 57), "1  | +000 +000 0 +000 +000 0 | +032 +256 1 +256 +007 2 | ");
    for (std::size_t row = 4; row < 15; ++row) { // "10 | " too
        ASSERT_EQ(lines[row].size(), row == 4 ? 212U : 213U) << row;
        EXPECT_TRUE(row == 4 || lines[row].back() == ' ') << row;
        for (std::size_t col = 0; col < lines[row].size(); ++col) {
            EXPECT_TRUE(lines[row][col] != '|' || lines[4][col] == '|') << row << ' ' << col;
        }
    }
}
