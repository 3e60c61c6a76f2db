#include "model/light_report.h"

#include <cstdio>

std::string FormatLightValue(std::int16_t level) {
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "+%03d", static_cast<int>(level));
    return buffer.data();
}

std::string LightValueReport(const std::string& reportPath, const LightCourse& course) {
    const std::string crlf = "\r\n";
    std::string text = "Light Value - File " + reportPath + crlf + crlf;
    text += "Value:  Start_Part1  Stop_Part1  Normal/Over/Under_Part1  "
            "Start_Part2  Stop_Part2  Normal/Over/Under_Part2" +
            crlf + crlf;
    text += "Out|";
    for (int fase = 1; fase <= kFasi; ++fase) {
        text += " Fase" + std::to_string(fase) + std::string(19, ' ') + "|";
    }
    text += crlf;
    for (int output = 0; output < kOutputs; ++output) {
        std::string number = std::to_string(output + 1);
        number.resize(3, ' ');
        text += number + "| ";
        for (int fase = 0; fase < kFasi; ++fase) {
            const typLightValue& lv = course[static_cast<std::size_t>(CellIndex(output, fase))];
            text += FormatLightValue(lv.intStartPart1) + " " + FormatLightValue(lv.intStopPart1) +
                    " " + std::to_string(lv.intRangePart1) + " " +
                    FormatLightValue(lv.intStartPart2) + " " + FormatLightValue(lv.intStopPart2) +
                    " " + std::to_string(lv.intRangePart2) + " | ";
        }
        text += crlf;
    }
    return text;
}
