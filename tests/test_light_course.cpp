// Light course of the cells and how the grid draws it.

#include "model/grid_drawing.h"
#include "model/light_course.h"

#include <gtest/gtest.h>

namespace {

constexpr FaseCodes kAllTenSeconds = {1, 1, 1, 1, 1, 1, 1, 1};

struct Grid {
    EffGrid rec{};
    FaseCodes codes = kAllTenSeconds;
    typEffSet& At(int output, int fase) {
        return rec[static_cast<std::size_t>(CellIndex(output, fase))];
    }
    LightCourse Course() const { return ComputeLightCourse(rec, codes); }
    GridDrawing Draw() const { return DrawGrid(rec, codes, Course()); }
};

const typLightValue& Cell(const LightCourse& course, int output, int fase) {
    return course[static_cast<std::size_t>(CellIndex(output, fase))];
}

std::array<int, 6> Heights(const GridDrawing& drawing, int cell, int part) {
    std::array<int, 6> h{};
    for (int step = 0; step < 3; ++step) {
        const GridLine& line = drawing.lineEffH.at(static_cast<std::size_t>(cell) * 6 +
                                                   static_cast<std::size_t>(part * 3 + step));
        h[static_cast<std::size_t>(step) * 2] = line.y1;
        h[static_cast<std::size_t>(step) * 2 + 1] = line.y2;
    }
    return h;
}

} // namespace

TEST(LightCourse, RampsFromTheFirstEnabledPhaseStartAtTheirFixedLevel) {
    Grid g;
    g.codes[0] = 0;
    g.At(0, 1).bytePart1 = 14; // "Decrescente 25%"
    const LightCourse course = g.Course();
    EXPECT_EQ(Cell(course, 0, 1).intStartPart1, 256);
    EXPECT_EQ(Cell(course, 0, 1).intStopPart1, 128);
    EXPECT_EQ(Cell(course, 0, 0), typLightValue{});
}

TEST(LightCourse, RampsContinueAndAreLimitedWithOverAndUnder) {
    Grid g;
    for (int fase = 0; fase < 2; ++fase) {
        g.At(2, fase).bytePart1 = 10; // "Crescente 25%"
        g.At(2, fase).bytePart2 = 10;
    }
    const LightCourse course = g.Course();
    EXPECT_EQ(Cell(course, 2, 0), (typLightValue{0, 128, kRangeNormal, 128, 256, kRangeNormal}));
    EXPECT_EQ(Cell(course, 2, 1), (typLightValue{256, 256, kRangeOver, 256, 256, kRangeOver}));

    const GridDrawing drawing = g.Draw();
    const int cell = CellIndex(2, 1);
    for (int s = 0; s < 6; ++s) {
        const GridLine& line =
            drawing.lineEffH.at(static_cast<std::size_t>(cell) * 6 + static_cast<std::size_t>(s));
        EXPECT_EQ(line.colour, kMagenta);
        EXPECT_EQ(line.y1, 840 + 480 * 2);
        EXPECT_EQ(line.y2, 840 + 480 * 2);
    }
    EXPECT_EQ(drawing.lblEffMode[static_cast<std::size_t>(cell)].tooltip,
              "Uscita3 Fase2 - Parte1: Rampa 256-->256 Errore - Parte2: Rampa 256-->256 Errore"
              " - Tremolo: Off - Random: Off");

    Grid under;
    under.At(6, 0).bytePart1 = 10; // ends at 128
    under.At(6, 0).bytePart2 = 15; // "Decrescente 50%": -128, limited to 0
    const LightCourse u = under.Course();
    EXPECT_EQ(Cell(u, 6, 0).intStopPart2, 0);
    EXPECT_EQ(Cell(u, 6, 0).intRangePart2, kRangeUnder);
    const GridDrawing ud = under.Draw();
    EXPECT_EQ(ud.lineEffH[static_cast<std::size_t>(CellIndex(6, 0) * 6 + 3)].colour, kCyan);
    EXPECT_EQ(ud.lineEffH[static_cast<std::size_t>(CellIndex(6, 0) * 6)].colour, kGreen);
}

TEST(LightCourse, RampAfterAPatternStartsFromItsLastStep) {
    Grid g;
    g.At(0, 0).bytePart1 = 6; // "1 - 1 - 0"
    g.At(0, 0).bytePart2 = 9; // "Crescente 12%"
    const LightCourse course = g.Course();
    EXPECT_EQ(Cell(course, 0, 0).intStartPart2, 0);
    EXPECT_EQ(Cell(course, 0, 0).intStopPart2, 64);
}

TEST(LightCourse, DisabledPhasesHoldTheLevelAcrossTheGap) {
    Grid g;
    g.codes[1] = 0;
    g.At(4, 0).bytePart1 = 10;
    g.At(4, 0).bytePart2 = 10; // 256 at the end of phase 1
    g.At(4, 1).bytePart1 = 11; // ignored: the phase is off
    g.At(4, 2).bytePart1 = 14; // continues from 256 to 128
    const LightCourse course = g.Course();
    EXPECT_EQ(Cell(course, 4, 1), (typLightValue{256, 256, 0, 256, 256, 0}));
    EXPECT_EQ(Cell(course, 4, 2).intStartPart1, 256);
    EXPECT_EQ(Cell(course, 4, 2).intStopPart1, 128);
}

TEST(LightCourse, WorkedHeightsOfRamps) {
    Grid g;
    g.At(0, 0).bytePart1 = 8; // "Crescente 6%" from 0
    g.At(0, 0).bytePart2 = 0;
    g.At(0, 1).bytePart1 = 0;
    g.At(0, 1).bytePart2 = 0;
    EXPECT_EQ(Heights(g.Draw(), 0, 0), (std::array<int, 6>{1200, 1185, 1185, 1170, 1170, 1155}));
    g.At(0, 0).bytePart1 = 11; // "Crescente 50%"
    EXPECT_EQ(Heights(g.Draw(), 0, 0), (std::array<int, 6>{1200, 1080, 1080, 960, 960, 840}));
    g.At(0, 0).bytePart1 = 12; // "Decrescente 6%" from 256
    EXPECT_EQ(Heights(g.Draw(), 0, 0), (std::array<int, 6>{840, 855, 855, 870, 870, 885}));
    // Row offset: output 3 is 3 * 480 twips lower.
    g.At(3, 0).bytePart1 = 12;
    EXPECT_EQ(Heights(g.Draw(), CellIndex(3, 0), 0)[5], 885 + 1440);
}

TEST(GridDrawing, PatternsAndConnectors) {
    Grid g;
    g.At(0, 0).bytePart1 = 5; // "1 - 0 - 1": two connectors inside the half
    const GridDrawing drawing = g.Draw();
    EXPECT_EQ(Heights(drawing, 0, 0), (std::array<int, 6>{840, 840, 1200, 1200, 840, 840}));
    EXPECT_TRUE(drawing.lineEffV[0].visible);
    EXPECT_EQ(drawing.lineEffV[0].y1, 840);
    EXPECT_EQ(drawing.lineEffV[0].y2, 1200);
    EXPECT_TRUE(drawing.lineEffV[1].visible);
    EXPECT_TRUE(drawing.lineEffV[2].visible);  // 840 down to Part 2's 1200
    EXPECT_FALSE(drawing.lineEffV[3].visible); // flat off: no joint
    EXPECT_EQ(drawing.lineEffV[0].x1, 1440 + 180);
    EXPECT_EQ(drawing.lineEffV[0].colour, kRed);
    EXPECT_EQ(drawing.lineEffV[static_cast<std::size_t>(ConnectorIndex(5 * 48))].colour, kGreen);
}

TEST(GridDrawing, CaptionsAndDescriptions) {
    Grid g;
    typEffSet& last = g.At(9, 7);
    last.bytePart1 = 5;
    last.byteFlicker = 1;
    last.blnRandom = kTrue;
    const GridDrawing drawing = g.Draw();
    EXPECT_EQ(drawing.lblEffMode[79].caption, "T1 R");
    EXPECT_EQ(drawing.lblEffMode[0].caption, "-- -");
    EXPECT_EQ(drawing.lblEffMode[79].tooltip,
              "Uscita10 Fase8 - Parte1: 101 - Parte2: 000 - Tremolo: Tipo1 - Random: On");
    // Only -1 counts as true.
    last.blnRandom = 1;
    EXPECT_EQ(g.Draw().lblEffMode[79].caption, "T1 -");
}

TEST(GridDrawing, AllPhasesOffHidesEverything) {
    Grid g;
    g.codes = {};
    g.At(1, 3).bytePart1 = 7;
    const LightCourse course = g.Course();
    for (const typLightValue& lv : course) {
        EXPECT_EQ(lv, typLightValue{});
    }
    const GridDrawing drawing = g.Draw();
    for (const CellLabel& label : drawing.lblEffMode) {
        EXPECT_FALSE(label.visible);
    }
    for (const GridLine& line : drawing.lineEffH) {
        EXPECT_FALSE(line.visible);
    }
    for (const GridLine& line : drawing.lineEffV) {
        EXPECT_FALSE(line.visible);
    }
}

TEST(GridDrawing, OffPhaseHidesTheConnectorsEnteringAndLeavingIt) {
    Grid g;
    g.codes[3] = 0;
    for (int fase = 0; fase < kFasi; ++fase) {
        g.At(0, fase).bytePart1 = 4; // on, off, off: joints everywhere
    }
    const GridDrawing drawing = g.Draw();
    const int first = 3 * 6;
    EXPECT_FALSE(drawing.lineEffV[static_cast<std::size_t>(first - 1)].visible);
    EXPECT_FALSE(drawing.lineEffV[static_cast<std::size_t>(first)].visible);
    EXPECT_FALSE(drawing.lineEffV[static_cast<std::size_t>(first + 5)].visible);
    EXPECT_TRUE(drawing.lineEffV[static_cast<std::size_t>(first - 6)].visible);
    EXPECT_TRUE(drawing.lineEffV[static_cast<std::size_t>(first + 6)].visible);
    EXPECT_FALSE(drawing.lblEffMode[3].visible);
    // Hidden cells still get their description.
    EXPECT_EQ(drawing.lblEffMode[3].tooltip.substr(0, 13), "Uscita1 Fase4");
}

TEST(GridDrawing, LevelToHeightRoundsTiesToEven) {
    EXPECT_EQ(LevelToY(256), 840);
    EXPECT_EQ(LevelToY(0), 1200);
    EXPECT_EQ(LevelToY(32), 1155);
    EXPECT_EQ(LevelToY(96), 1065); // 1200 - 135
    EXPECT_EQ(LevelToY(16), 1178); // 1177.5 to the even 1178
    EXPECT_EQ(LevelToY(48), 1132); // 1132.5 to the even 1132
}
