// The .dm6 reader and writer: the layout, every refusal, the reading rules that older
// files rely on, and the committed sample files.

#include "files/format/dm6_format.h"
#include "model/light_course.h"
#include "tests/support/busy_configuration.h"
#include "tools/make_samples/sample_configs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = std::min(text.find("\r\n", pos), text.size());
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
std::string Edited(int n, const std::string& line, bool insert = false) {
    auto lines = Lines(WriteDm6(DefaultConfiguration()));
    if (insert) {
        lines.insert(lines.begin() + (n - 1), line);
    } else {
        lines[static_cast<std::size_t>(n - 1)] = line;
    }
    return Join(lines);
}

} // namespace

TEST(Dm6Writer, LayoutOfTheFile) {
    Configuration config = BusyConfiguration();
    config.recEffSet[14].blnRandom = 1; // only -1 is written as true
    const std::string text = WriteDm6(config);
    const auto lines = Lines(text);
    ASSERT_EQ(lines.size(), 115U);
    EXPECT_EQ(Join(lines), text); // every line, the last included, ends in CR LF
    const auto slice = [&lines](std::ptrdiff_t from, std::ptrdiff_t to) {
        return Join({lines.begin() + from, lines.begin() + to});
    };
    // Names take one byte per character.
    EXPECT_EQ(slice(0, 5), "** Miravel6 Data File **\r\n\r\n[lblOutName]\r\n00=Citt\xe0 \x80\r\n"
                           "01=  spazi intorno  \r\n");
    EXPECT_EQ(slice(13, 16), "\r\n[lblFaseName]\r\n00= \r\n");
    EXPECT_EQ(slice(23, 26), "\r\n[cboFaseTime]\r\n00=0\r\n");
    EXPECT_EQ(slice(32, 36), "07=63\r\n\r\n[recEffSet]\r\n00=00;15;0;1\r\n");
    EXPECT_EQ(slice(48, 50), "13=13;02;5;0\r\n14=14;01;6;0\r\n");
    EXPECT_EQ(lines[114], "79=15;00;7;0");
}

// Names the file would bring back altered: empty, several lines, or outside Windows-1252; the
// first such output, else the first such phase.
TEST(Dm6Writer, FindsTheFirstNameTheFileCannotHold) {
    Configuration config = DefaultConfiguration();
    EXPECT_FALSE(FindUnsavableName(config));
    const auto found = [&config] {
        const auto name = FindUnsavableName(config);
        return name ? std::pair{name->isFase, name->index} : std::pair{false, -1};
    };
    config.faseNames[4] = "a\nb";
    EXPECT_EQ(found(), std::pair(true, 4));
    config.outNames[9] = "\u03a9";
    EXPECT_EQ(found(), std::pair(false, 9));
    config.outNames[2] = "";
    EXPECT_EQ(found(), std::pair(false, 2));
    config = DefaultConfiguration();
    config.faseNames[7] = "Citt\u00e0 \u20ac \u0152";
    EXPECT_FALSE(FindUnsavableName(config));
}

TEST(Dm6Reader, ReadsBackWhatWasWrittenInEveryAcceptedForm) {
    EXPECT_EQ(ReadDm6(WriteDm6(DefaultConfiguration())), DefaultConfiguration());
    const std::string busy = WriteDm6(BusyConfiguration());
    const auto lines = Lines(busy);
    auto headers = lines; // sections are known by order, values from the fourth column on
    headers[2] = "[a]";
    headers[14] = "[b]";
    headers[24] = "[c]";
    headers[34] = "[d]";
    headers[3] = "xy=" + lines[3].substr(3);
    auto comments = lines;
    comments.insert(comments.begin() + 40, {"", "* a comment between two cells"});
    comments.insert(comments.begin() + 20, "*");
    comments.insert(comments.begin() + 1, {"05=15;15;7;1", "00=not a name: before any section"});
    comments.insert(comments.end(), {"[fifth section]", "00=ignored too"});
    const std::pair<const char*, std::string> forms[] = {
        {"as written", busy},
        {"other headers and prefixes", Join(headers)},
        {"comments, blank lines, lines outside the sections", Join(comments)},
        {"lone LF line ends", Join(lines, "\n")},
        {"no line end after the last line", busy.substr(0, busy.size() - 2)}};
    for (const auto& [what, text] : forms) {
        EXPECT_EQ(ReadDm6(text), BusyConfiguration()) << what;
    }
    // A file with only the name sections: every phase "OFF", every cell empty.
    Configuration onlyNames = BusyConfiguration();
    onlyNames.faseCodes = {};
    onlyNames.recEffSet = {};
    EXPECT_EQ(ReadDm6(Join({lines.begin(), lines.begin() + 23})), onlyNames);
    // Only the CR right before the LF is part of the line end.
    const auto read = ReadDm6(Edited(4, "00=Sole\r"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->outNames[0], "Sole\r");
}

TEST(Dm6Reader, RandomFlagIsTheLastCharacterOfTheLine) {
    const std::pair<const char*, std::int16_t> cases[] = {
        {"05=01;02;1;1", kTrue},  {"05=01;02;1;0", kFalse},  {"05=01;02;1;x", kFalse},
        {"05=01;02;1; ", kFalse}, {"05=01;02;1;1 ", kFalse}, {"05=01;02;1;0 1", kTrue},
        {"05=01;02;1", kTrue}}; // the flicker digit
    for (const auto& [line, random] : cases) {
        const auto read = ReadDm6(Edited(36 + 5, line));
        ASSERT_TRUE(read) << line;
        EXPECT_EQ(read->recEffSet[5].blnRandom, random) << line;
        EXPECT_EQ(read->recEffSet[5].byteFlicker, 1) << line;
    }
}

// Every refusal with the rule it names and its line (0: the file as a whole). Lines of the
// default file: 4..13 output names, 16..23 phase names, 26..33 durations, 36..115 cells.
TEST(Dm6Reader, RefusalNamesTheRuleAndItsLine) {
    struct Case {
        std::string what;
        std::string text;
        int line;
        std::string reason;
    };
    auto missingName = Lines(WriteDm6(DefaultConfiguration()));
    missingName.erase(missingName.begin() + 12);
    const std::string badCell =
        "effetto dell'uscita 1, fase 6 non valido (atteso NN=AA;BB;F;C, effetti 00..15, "
        "tremolo 0..7)";
    std::vector<Case> cases = {
        {"empty file", "", 0, "il file è vuoto"},
        {"only a header", "** Miravel6 Data File **\r\n", 0, "nome dell'uscita 1 vuoto o mancante"},
        {"eleventh output name", Edited(14, "10=Uscita 11", true), 14,
         "troppe voci nella sezione [lblOutName] (al massimo 10)"},
        {"ninth phase name", Edited(24, "08=Fase 9", true), 24,
         "troppe voci nella sezione [lblFaseName] (al massimo 8)"},
        {"ninth duration", Edited(34, "08=1", true), 34,
         "troppe voci nella sezione [cboFaseTime] (al massimo 8)"},
        {"eighty-first cell", WriteDm6(DefaultConfiguration()) + "80=00;00;0;0\r\n", 116,
         "troppe voci nella sezione [recEffSet] (al massimo 80)"},
        {"duration 64", Edited(28, "02=64"), 28, "durata della fase 3 non valida (ammessi 0..63)"},
        {"flicker 8 in cell 13", Edited(36 + 13, "13=00;00;8;0"), 49,
         "effetto dell'uscita 2, fase 6 non valido (atteso NN=AA;BB;F;C, effetti 00..15, "
         "tremolo 0..7)"},
        {"empty output name", Edited(7, "03="), 0, "nome dell'uscita 4 vuoto o mancante"},
        {"output name line without a value", Edited(7, "03"), 0,
         "nome dell'uscita 4 vuoto o mancante"},
        {"missing output name", Join(missingName), 0, "nome dell'uscita 10 vuoto o mancante"},
        {"empty phase name 4", Edited(19, "03="), 0, "nome della fase 4 vuoto o mancante"},
        {"lone LF counts lines too", "[a]\n\n00=x\n[b]\n[c]\n00=x\n", 6,
         "durata della fase 1 non valida (ammessi 0..63)"},
    };
    for (const char* duration :
         {"00=64", "00=-1", "00=", "00=1a", "00=1.5", "00=99999999999999999999"}) {
        cases.push_back(
            {duration, Edited(26, duration), 26, "durata della fase 1 non valida (ammessi 0..63)"});
    }
    // Parts 16, flicker 8, a short line, one-digit codes, and what is not two digits.
    for (const char* cell : {"05=16;00;0;0", "05=00;16;0;0", "05=00;00;8;0", "05=00;00;",
                             "05=1;2;3;0", "05=-1;00;0;0", "05=0a;00;0;0", "05= 1;00;0;0"}) {
        cases.push_back({cell, Edited(36 + 5, cell), 41, badCell});
    }
    for (const Case& c : cases) {
        const Dm6Verdict verdict = CheckDm6(c.text);
        EXPECT_FALSE(verdict.config) << c.what;
        EXPECT_EQ(verdict.line, c.line) << c.what;
        EXPECT_EQ(verdict.reason, c.reason) << c.what;
    }
    EXPECT_EQ(CheckDm6(WriteDm6(BusyConfiguration())).reason, ""); // accepted: no reason
}

TEST(Dm6Samples, CommittedFilesAreTheWritersOutputOfTheGenerator) {
    const auto samples = BuildSampleConfigurations();
    ASSERT_EQ(samples.size(), 5U);
    for (const SampleConfiguration& sample : samples) {
        std::ifstream in(MIRAVEL6_SAMPLES_DIR "/" + sample.fileName, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        // Regenerate the samples after changing the generator.
        EXPECT_EQ(bytes.str(), WriteDm6(sample.config)) << sample.fileName;
        EXPECT_EQ(ReadDm6(bytes.str()), sample.config) << sample.fileName;
        // No ramp of a sample runs past its range.
        const LightCourse course =
            ComputeLightCourse(sample.config.recEffSet, sample.config.faseCodes);
        for (const typLightValue& v : course) {
            EXPECT_EQ(v.intRangePart1 + v.intRangePart2, kRangeNormal) << sample.fileName;
        }
    }
}
