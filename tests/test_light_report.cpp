// The light value report: exact layout of every line.

#include "model/light_report.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) {
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

} // namespace

TEST(LightReport, EmptyGridLayout) {
    const std::string text = LightValueReport("/opt/miravel6/light_value.txt", LightCourse{});
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 15U);
    EXPECT_EQ(lines[0], "Light Value - File /opt/miravel6/light_value.txt");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Value:  Start_Part1  Stop_Part1  Normal/Over/Under_Part1  "
                        "Start_Part2  Stop_Part2  Normal/Over/Under_Part2");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4].substr(0, 30), "Out| Fase1                   |");
    EXPECT_EQ(lines[4].size(), 4U + 8 * 26);
    EXPECT_EQ(lines[5].substr(0, 31), "1  | +000 +000 0 +000 +000 0 | ");
    EXPECT_EQ(lines[14].substr(0, 5), "10 | ");
    for (std::size_t row = 5; row < 15; ++row) {
        EXPECT_EQ(lines[row].size(), 213U);
        EXPECT_EQ(lines[row].back(), ' ');
        // Every "|" of a row stands under a "|" of the title line.
        for (std::size_t col = 0; col < lines[row].size(); ++col) {
            if (lines[row][col] == '|') {
                EXPECT_EQ(lines[4][col], '|') << "row " << row << " column " << col;
            }
        }
    }
}

TEST(LightReport, RampGroup) {
    LightCourse course{};
    course[0] = {0, 32, 0, 256, 256, 1};
    const std::vector<std::string> lines = Lines(LightValueReport("x", course));
    EXPECT_EQ(lines[5].substr(5, 26), "+000 +032 0 +256 +256 1 | ");
}
