// The .dm6 reader and writer: the layout, every refusal, the reading rules that older
// files rely on, and the sample configurations.

#include "files/format/dm6_format.h"
#include "model/light_course.h"
#include "tools/make_samples/sample_configs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

namespace {

Configuration DefaultConfiguration() {
    Configuration config;
    for (int o = 0; o < kOutputs; ++o) {
        config.outNames[static_cast<std::size_t>(o)] = DefaultOutName(o);
    }
    for (int p = 0; p < kFasi; ++p) {
        config.faseNames[static_cast<std::size_t>(p)] = DefaultFaseName(p);
    }
    config.faseCodes.fill(1);
    return config;
}

// Every field takes many values, including the extremes.
Configuration BusyConfiguration() {
    Configuration config = DefaultConfiguration();
    config.outNames[0] = "Citt\u00e0 \u20ac"; // two characters outside ASCII
    config.outNames[1] = "  spazi intorno  "; // blanks kept as stored
    config.outNames[9] = "Perch\u00e9 no?";
    config.faseNames[0] = " ";
    config.faseNames[7] = "Notte fonda; [x] = *";
    for (int p = 0; p < kFasi; ++p) {
        config.faseCodes[static_cast<std::size_t>(p)] = p * 9; // 0 .. 63
    }
    for (int i = 0; i < kCells; ++i) {
        typEffSet& rec = config.recEffSet[static_cast<std::size_t>(i)];
        rec.bytePart1 = static_cast<std::uint8_t>(i % 16);
        rec.bytePart2 = static_cast<std::uint8_t>(15 - i % 16);
        rec.byteFlicker = static_cast<std::uint8_t>(i % 8);
        rec.blnRandom = i % 3 == 0 ? kTrue : kFalse;
    }
    return config;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines, const std::string& eol = "\r\n") {
    std::string text;
    for (const std::string& line : lines) {
        text += line + eol;
    }
    return text;
}

// The default file with line n (1-based) replaced, or with a line put before it.
std::string Replaced(int n, const std::string& line) {
    auto lines = Lines(WriteDm6(DefaultConfiguration()));
    lines[static_cast<std::size_t>(n - 1)] = line;
    return Join(lines);
}
std::string Inserted(int n, const std::string& line) {
    auto lines = Lines(WriteDm6(DefaultConfiguration()));
    lines.insert(lines.begin() + (n - 1), line);
    return Join(lines);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

TEST(Dm6Writer, LayoutOfTheFile) {
    const std::string text = WriteDm6(BusyConfiguration());
    const auto lines = Lines(text);
    ASSERT_EQ(lines.size(), 115U);
    EXPECT_EQ(Join(lines), text); // every line, the last included, ends in CR LF
    EXPECT_EQ(lines[0], "** Miravel6 Data File **");
    EXPECT_EQ(lines[2], "[lblOutName]");
    EXPECT_EQ(lines[3], "00=Citt\xe0 \x80"); // one byte per character
    EXPECT_EQ(lines[4], "01=  spazi intorno  ");
    EXPECT_EQ(lines[14], "[lblFaseName]");
    EXPECT_EQ(lines[15], "00= ");
    EXPECT_EQ(lines[24], "[cboFaseTime]");
    EXPECT_EQ(lines[25], "00=0");
    EXPECT_EQ(lines[32], "07=63");
    EXPECT_EQ(lines[34], "[recEffSet]");
    EXPECT_EQ(lines[35], "00=00;15;0;1");
    EXPECT_EQ(lines[48], "13=13;02;5;0");
    EXPECT_EQ(lines[114], "79=15;00;7;0");
    for (const std::size_t blank : {1U, 13U, 23U, 33U}) {
        EXPECT_EQ(lines[blank], "");
    }
}

TEST(Dm6Writer, RandomFlagIsWrittenTrueOnlyForMinusOne) {
    Configuration config = DefaultConfiguration();
    config.recEffSet[13] = {11, 15, 3, kTrue};
    config.recEffSet[14] = {0, 0, 0, 1}; // not the stored true
    const auto lines = Lines(WriteDm6(config));
    EXPECT_EQ(lines[35 + 13], "13=11;15;3;1");
    EXPECT_EQ(lines[35 + 14], "14=00;00;0;0");
}

TEST(Dm6Reader, WhatIsWrittenReadsBackUnchanged) {
    for (const Configuration& config : {DefaultConfiguration(), BusyConfiguration()}) {
        const auto read = ReadDm6(WriteDm6(config));
        ASSERT_TRUE(read);
        EXPECT_EQ(*read, config);
    }
}

TEST(Dm6Reader, SectionsAreKnownByOrderNotByTheirHeaders) {
    auto lines = Lines(WriteDm6(BusyConfiguration()));
    lines[2] = "[a]";
    lines[14] = "[b]";
    lines[24] = "[c]";
    lines[34] = "[d]";
    lines[3] = "xy=" + lines[3].substr(3); // the prefix plays no part either
    const auto read = ReadDm6(Join(lines));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, BusyConfiguration());
}

TEST(Dm6Reader, FileWithOnlyTheNameSections) {
    auto lines = Lines(WriteDm6(BusyConfiguration()));
    lines.resize(23);
    const auto read = ReadDm6(Join(lines));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->outNames, BusyConfiguration().outNames);
    EXPECT_EQ(read->faseNames, BusyConfiguration().faseNames);
    EXPECT_EQ(read->faseCodes, FaseCodes{}); // every phase "OFF"
    EXPECT_EQ(read->recEffSet, EffGrid{});
}

TEST(Dm6Reader, CommentsBlankLinesAndLinesBeforeTheFirstSectionAreIgnored) {
    auto lines = Lines(WriteDm6(BusyConfiguration()));
    lines.insert(lines.begin() + 40, "* a comment between two cells");
    lines.insert(lines.begin() + 40, "");
    lines.insert(lines.begin() + 20, "*");
    lines.insert(lines.begin() + 1, "00=not a name: before any section");
    lines.insert(lines.begin() + 1, "05=15;15;7;1");
    lines.push_back("[fifth section]");
    lines.push_back("00=ignored too");
    const auto read = ReadDm6(Join(lines));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, BusyConfiguration());
}

TEST(Dm6Reader, LineEndsOfOlderFiles) {
    const std::string crlf = WriteDm6(BusyConfiguration());
    const auto lines = Lines(crlf);
    // Lone LF line ends.
    auto read = ReadDm6(Join(lines, "\n"));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, BusyConfiguration());
    // No line end after the last line.
    read = ReadDm6(crlf.substr(0, crlf.size() - 2));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, BusyConfiguration());
    // Only the CR right before the LF is part of the line end.
    read = ReadDm6(Replaced(4, "00=Sole\r"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->outNames[0], "Sole\r");
}

struct RandomCase {
    const char* line;
    std::int16_t blnRandom;
};

class Dm6RandomFlag : public testing::TestWithParam<RandomCase> {};

TEST_P(Dm6RandomFlag, TakenFromTheLastCharacterOfTheLine) {
    const auto read = ReadDm6(Replaced(36 + 5, GetParam().line));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->recEffSet[5].blnRandom, GetParam().blnRandom);
    EXPECT_EQ(read->recEffSet[5].byteFlicker, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, Dm6RandomFlag,
    testing::Values(RandomCase{"05=01;02;1;1", kTrue}, RandomCase{"05=01;02;1;0", kFalse},
                    RandomCase{"05=01;02;1;x", kFalse}, RandomCase{"05=01;02;1; ", kFalse},
                    RandomCase{"05=01;02;1;1 ", kFalse}, RandomCase{"05=01;02;1;0 1", kTrue},
                    RandomCase{"05=01;02;1", kTrue})); // the flicker digit

struct RefusedCase {
    const char* name;
    std::string file;
};

class Dm6Refused : public testing::TestWithParam<RefusedCase> {};

TEST_P(Dm6Refused, NothingIsAccepted) {
    EXPECT_FALSE(ReadDm6(GetParam().file));
}

// Line numbers of the default file: 4..13 output names, 16..23 phase names,
// 26..33 durations, 36..115 cells.
INSTANTIATE_TEST_SUITE_P(
    Files, Dm6Refused,
    testing::Values(RefusedCase{"EmptyFile", ""},
                    RefusedCase{"OnlyAHeader", "** Miravel6 Data File **\r\n"},
                    RefusedCase{"EleventhOutputName", Inserted(14, "10=Uscita 11")},
                    RefusedCase{"NinthPhaseName", Inserted(24, "08=Fase 9")},
                    RefusedCase{"NinthDuration", Inserted(34, "08=1")},
                    RefusedCase{"EightyFirstCell",
                                Join(Lines(WriteDm6(DefaultConfiguration()))) + "80=00;00;0;0\r\n"},
                    RefusedCase{"EmptyOutputName", Replaced(7, "03=")},
                    RefusedCase{"OutputNameLineWithoutValue", Replaced(7, "03")},
                    RefusedCase{"EmptyPhaseName", Replaced(16, "00=")},
                    RefusedCase{"MissingOutputName",
                                [] {
                                    auto lines = Lines(WriteDm6(DefaultConfiguration()));
                                    lines.erase(lines.begin() + 12);
                                    return Join(lines);
                                }()},
                    RefusedCase{"Duration64", Replaced(26, "00=64")},
                    RefusedCase{"DurationMinus1", Replaced(26, "00=-1")},
                    RefusedCase{"DurationEmpty", Replaced(26, "00=")},
                    RefusedCase{"DurationLetters", Replaced(26, "00=1a")},
                    RefusedCase{"DurationFraction", Replaced(26, "00=1.5")},
                    RefusedCase{"DurationHuge", Replaced(26, "00=99999999999999999999")},
                    RefusedCase{"Part1Code16", Replaced(36 + 5, "05=16;00;0;0")},
                    RefusedCase{"Part2Code16", Replaced(36 + 5, "05=00;16;0;0")},
                    RefusedCase{"Flicker8", Replaced(36 + 5, "05=00;00;8;0")},
                    RefusedCase{"CellEndsBeforeFlicker", Replaced(36 + 5, "05=00;00;")},
                    RefusedCase{"OneDigitCodes", Replaced(36 + 5, "05=1;2;3;0")},
                    RefusedCase{"NegativePart", Replaced(36 + 5, "05=-1;00;0;0")},
                    RefusedCase{"LettersInPart", Replaced(36 + 5, "05=0a;00;0;0")},
                    RefusedCase{"BlankInPart", Replaced(36 + 5, "05= 1;00;0;0")}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

TEST(Dm6Names, NamesThatCannotBeWrittenFaithfully) {
    Configuration config = DefaultConfiguration();
    EXPECT_FALSE(FindUnsavableName(config));
    config.faseNames[5] = "due\nrighe";
    auto fault = FindUnsavableName(config);
    ASSERT_TRUE(fault);
    EXPECT_TRUE(fault->isFase);
    EXPECT_EQ(fault->index, 5);
    config.outNames[2] = "\u03a9mega"; // not in the single-byte set
    fault = FindUnsavableName(config);
    ASSERT_TRUE(fault);
    EXPECT_FALSE(fault->isFase);
    EXPECT_EQ(fault->index, 2);
    config = DefaultConfiguration();
    config.outNames[9] = "";
    fault = FindUnsavableName(config);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->index, 9);
}

TEST(Dm6Samples, CommittedFilesAreTheGeneratorsAndReadBackUnchanged) {
    const auto samples = BuildSampleConfigurations();
    ASSERT_EQ(samples.size(), 5U);
    for (const SampleConfiguration& sample : samples) {
        SCOPED_TRACE(sample.fileName);
        const std::string bytes = ReadFileBytes(MIRAVEL6_SAMPLES_DIR "/" + sample.fileName);
        const auto read = ReadDm6(bytes);
        ASSERT_TRUE(read);
        EXPECT_EQ(WriteDm6(*read), bytes);
        EXPECT_EQ(*read, sample.config); // regenerate the samples after changing them
        EXPECT_FALSE(FindUnsavableName(*read));
    }
}

TEST(Dm6Samples, RampsStayWithinTheirRange) {
    for (const SampleConfiguration& sample : BuildSampleConfigurations()) {
        const LightCourse course =
            ComputeLightCourse(sample.config.recEffSet, sample.config.faseCodes);
        for (int i = 0; i < kCells; ++i) {
            const typLightValue& v = course[static_cast<std::size_t>(i)];
            EXPECT_EQ(v.intRangePart1, kRangeNormal) << sample.fileName << " cell " << i;
            EXPECT_EQ(v.intRangePart2, kRangeNormal) << sample.fileName << " cell " << i;
        }
    }
}
