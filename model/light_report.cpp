#include "model/light_report.h"

// "+" and three digits; the report's levels are always 0..256.
std::string FormatLightValue(std::int16_t level) {
    return {'+', static_cast<char>('0' + level / 100 % 10),
            static_cast<char>('0' + level / 10 % 10), static_cast<char>('0' + level % 10)};
}

namespace {

// One half of a cell: start, stop and range digit.
void AppendHalf(std::string& text, std::int16_t start, std::int16_t stop, std::int16_t range) {
    text += FormatLightValue(start);
    text += ' ';
    text += FormatLightValue(stop);
    text += ' ';
    text += static_cast<char>('0' + range);
}

} // namespace

// Built by appending into one buffer: it runs on every refresh of the grid.
std::string LightValueReport(const std::string& reportPath, const LightCourse& course) {
    constexpr const char* crlf = "\r\n";
    std::string text;
    text.reserve(reportPath.size() + 2600);
    text += "Light Value - File ";
    text += reportPath;
    text += crlf;
    text += crlf;
    text += "Value:  Start_Part1  Stop_Part1  Normal/Over/Under_Part1  "
            "Start_Part2  Stop_Part2  Normal/Over/Under_Part2";
    text += crlf;
    text += crlf;
    text += "Out|";
    for (int fase = 1; fase <= kFasi; ++fase) {
        text += " Fase";
        text += static_cast<char>('0' + fase);
        text.append(19, ' ');
        text += '|';
    }
    text += crlf;
    for (int output = 0; output < kOutputs; ++output) {
        const std::size_t rowStart = text.size();
        text += std::to_string(output + 1);
        text.append(rowStart + 3 - text.size(), ' ');
        text += "| ";
        for (int fase = 0; fase < kFasi; ++fase) {
            const typLightValue& lv = course[static_cast<std::size_t>(CellIndex(output, fase))];
            AppendHalf(text, lv.intStartPart1, lv.intStopPart1, lv.intRangePart1);
            text += ' ';
            AppendHalf(text, lv.intStartPart2, lv.intStopPart2, lv.intRangePart2);
            text += " | ";
        }
        text += crlf;
    }
    return text;
}
