#include "model/grid_drawing.h"

#include <cmath>

namespace {

int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

Rgb NormalColour(int output) {
    return output < 5 ? kRed : kGreen;
}

Rgb RangeColour(std::int16_t range, int output) {
    switch (range) {
    case kRangeOver:
        return kMagenta;
    case kRangeUnder:
        return kCyan;
    default:
        return NormalColour(output);
    }
}

// Six end heights of one half: three steps, left and right end each.
std::array<int, 6> HalfHeights(int code, int start, int stop) {
    std::array<int, 6> h{};
    if (IsPattern(code)) {
        for (int step = 0; step < 3; ++step) {
            const int y = ((code >> (2 - step)) & 1) ? kRowTop : kRowTop + kBandHeight;
            h[static_cast<std::size_t>(step) * 2] = y;
            h[static_cast<std::size_t>(step) * 2 + 1] = y;
        }
    } else if (IsRisingRamp(code)) {
        const int d = RoundHalfEven((stop - start) / 3.0);
        h = {LevelToY(start),    LevelToY(start + d), LevelToY(start + d),
             LevelToY(stop - d), LevelToY(stop - d),  LevelToY(stop)};
    } else {
        const int d = RoundHalfEven((start - stop) / 3.0);
        h = {LevelToY(start),    LevelToY(start - d), LevelToY(start - d),
             LevelToY(stop + d), LevelToY(stop + d),  LevelToY(stop)};
    }
    return h;
}

// Appends the text of one half: the three steps of a pattern, or the ramp's levels.
void AppendHalfText(std::string& text, int code, int start, int stop, std::int16_t range) {
    if (IsPattern(code)) {
        text.append(ByteToBin(static_cast<std::uint8_t>(code)), 5, 3); // first step first
        return;
    }
    text += "Rampa ";
    text += std::to_string(start);
    text += "-->";
    text += std::to_string(stop);
    if (range != kRangeNormal) {
        text += " Errore";
    }
}

} // namespace

int LevelToY(int level) {
    return RoundHalfEven(kRowTop + kBandHeight - level * double{kBandHeight} / 256.0);
}

std::string CellCaption(const typEffSet& rec) {
    std::string caption = "-- -";
    if (rec.byteFlicker != 0) {
        caption[0] = 'T';
        caption[1] = static_cast<char>('0' + rec.byteFlicker);
    }
    if (IsTrue(rec.blnRandom)) {
        caption[3] = 'R';
    }
    return caption;
}

// Built by appending into one buffer: 80 of these on every refresh.
std::string CellDescription(int cell, const typEffSet& rec, const typLightValue& lv) {
    std::string text;
    text.reserve(112);
    text += "Uscita";
    text += std::to_string(CellOutput(cell) + 1);
    text += " Fase";
    text += static_cast<char>('1' + CellFase(cell));
    text += " - Parte1: ";
    AppendHalfText(text, rec.bytePart1, lv.intStartPart1, lv.intStopPart1, lv.intRangePart1);
    text += " - Parte2: ";
    AppendHalfText(text, rec.bytePart2, lv.intStartPart2, lv.intStopPart2, lv.intRangePart2);
    text += " - Tremolo: ";
    if (rec.byteFlicker == 0) {
        text += "Off";
    } else {
        text += "Tipo";
        text += static_cast<char>('0' + rec.byteFlicker);
    }
    text += " - Random: ";
    text += IsTrue(rec.blnRandom) ? "On" : "Off";
    return text;
}

GridDrawing DrawGrid(const EffGrid& recEffSet, const FaseCodes& faseCodes,
                     const LightCourse& course) {
    GridDrawing drawing;

    // Cells: caption, description and the six segments of the two halves.
    for (int cell = 0; cell < kCells; ++cell) {
        const auto i = static_cast<std::size_t>(cell);
        const typEffSet& rec = recEffSet[i];
        const typLightValue& lv = course[i];
        const int output = CellOutput(cell);
        drawing.lblEffMode[i].caption = CellCaption(rec);
        drawing.lblEffMode[i].tooltip = CellDescription(cell, rec, lv);

        const std::array<std::array<int, 6>, 2> heights = {
            HalfHeights(rec.bytePart1, lv.intStartPart1, lv.intStopPart1),
            HalfHeights(rec.bytePart2, lv.intStartPart2, lv.intStopPart2)};
        const std::array<std::int16_t, 2> ranges = {lv.intRangePart1, lv.intRangePart2};
        for (int part = 0; part < 2; ++part) {
            for (int step = 0; step < 3; ++step) {
                const int k = cell * 6 + part * 3 + step;
                GridLine& line = drawing.lineEffH[static_cast<std::size_t>(k)];
                line.x1 = kGridLeft + kStepWidth * (k % kSegmentsPerRow);
                line.x2 = line.x1 + kStepWidth;
                const auto& h = heights[static_cast<std::size_t>(part)];
                line.y1 = h[static_cast<std::size_t>(step) * 2] + kRowHeight * output;
                line.y2 = h[static_cast<std::size_t>(step) * 2 + 1] + kRowHeight * output;
                line.colour = RangeColour(ranges[static_cast<std::size_t>(part)], output);
                line.visible = true;
            }
        }
    }

    // Connectors: a vertical joint wherever two neighbouring segments do not meet.
    for (int k = 0; k < kSegments; ++k) {
        if (k % kSegmentsPerRow == kSegmentsPerRow - 1) {
            continue;
        }
        const GridLine& left = drawing.lineEffH[static_cast<std::size_t>(k)];
        const GridLine& right = drawing.lineEffH[static_cast<std::size_t>(k) + 1];
        GridLine& joint = drawing.lineEffV[static_cast<std::size_t>(ConnectorIndex(k))];
        joint.x1 = joint.x2 = left.x2;
        joint.colour = NormalColour(k / kSegmentsPerRow);
        joint.visible = left.y2 != right.y1;
        joint.y1 = left.y2;
        joint.y2 = right.y1;
    }

    // Phases that are "OFF" are hidden with everything that enters or leaves them.
    for (int cell = 0; cell < kCells; ++cell) {
        const auto i = static_cast<std::size_t>(cell);
        const bool enabled = faseCodes[static_cast<std::size_t>(CellFase(cell))] != 0;
        drawing.lblEffMode[i].visible = enabled;
        for (int s = 0; s < 6; ++s) {
            drawing.lineEffH[i * 6 + static_cast<std::size_t>(s)].visible = enabled;
        }
        if (enabled) {
            continue;
        }
        for (int k = cell * 6 - 1; k <= cell * 6 + 5; ++k) {
            const bool exists = k >= 0 && k % kSegmentsPerRow != kSegmentsPerRow - 1;
            if (exists) {
                drawing.lineEffV[static_cast<std::size_t>(ConnectorIndex(k))].visible = false;
            }
        }
    }
    return drawing;
}

std::array<GridLine, 11> GridSeparatorsH() {
    std::array<GridLine, 11> lines{};
    for (int k = 0; k < 11; ++k) {
        const int y = SeparatorAbove(k);
        lines[static_cast<std::size_t>(k)] = {0, y, kGridRight, y, kSeparatorGrey, true};
    }
    return lines;
}

std::array<GridLine, 10> GridSeparatorsV() {
    std::array<GridLine, 10> lines{};
    for (int k = 0; k < 10; ++k) {
        const int x = k == 0 ? kNamesRight : ColumnLeft(k - 1);
        lines[static_cast<std::size_t>(k)] = {x, 0, x, kGridBottom, kSeparatorGrey, true};
    }
    return lines;
}

GridLine TimeCursorLine(int x, bool visible) {
    return {x, kGridTop, x, kGridBottom, kCursorBlue, visible};
}

GridLine PreviewPositionLine(int x, bool visible) {
    return {x, kGridTop, x, kGridBottom, kPreviewOrange, visible};
}
