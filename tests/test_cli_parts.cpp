// The command line of miravel6-cli as it is read, and the comparison of a board's image with a
// file's that `verify` reports.

#include "cli/cli_options.h"
#include "cli/image_diff.h"
#include "cli/picture_commands.h"

#include <gtest/gtest.h>

#include <string>

namespace {

QStringList Args(const char* line) {
    return QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The request in one line: "command port=P file=F o=O names=N verify out=3:on".
std::string Describe(const CliRequest& r) {
    const char* names[] = {"test", "read", "write", "verify", "image", "report", "check", "out"};
    std::string text = names[static_cast<int>(r.command)];
    const auto add = [&](const char* key, const QString& value) {
        if (!value.isEmpty()) {
            text += std::string(" ") + key + "=" + value.toStdString();
        }
    };
    add("port", r.port);
    add("file", r.file);
    add("o", r.output);
    add("names", r.namesFrom);
    text += r.verify ? " verify" : "";
    if (r.command == CliCommand::Out) {
        text += " out=" + std::to_string(r.output1) + (r.on ? ":on" : ":off");
    }
    return text;
}

} // namespace

TEST(CliArguments, RequestsThatAreRun) {
    const struct {
        const char* line;
        const char* request;
    } cases[] = {
        {"test --port /dev/ttyUSB0", "test port=/dev/ttyUSB0"},
        {"test --port=COM3", "test port=COM3"},
        {"read --port COM1 -o a.dm6", "read port=COM1 o=a.dm6"},
        {"read --output=a.dm6 --names-from b.dm6 --port x", "read port=x o=a.dm6 names=b.dm6"},
        {"write a.dm6 --port x --verify", "write port=x file=a.dm6 verify"},
        {"write --port x a.dm6", "write port=x file=a.dm6"},
        {"verify a.dm6 --port x", "verify port=x file=a.dm6"},
        {"image a.dm6", "image file=a.dm6"},
        {"report a.dm6", "report file=a.dm6"},
        {"check -", "check file=-"}, // a lone dash is a file name, not an option
        {"out 1 on --port x", "out port=x out=1:on"},
        {"out 10 off --port x", "out port=x out=10:off"},
        // A value is a value, even one that reads like an option.
        {"read --port x -o --help --names-from -h", "read port=x o=--help names=-h"},
    };
    for (const auto& c : cases) {
        const ParsedCli parsed = ParseCliArguments(Args(c.line));
        EXPECT_EQ(parsed.outcome, ParsedCli::Outcome::Run)
            << c.line << ": " << parsed.error.toStdString();
        EXPECT_EQ(Describe(parsed.request), c.request) << c.line;
    }
}

TEST(CliArguments, HelpAndVersionWinAnywhere) {
    for (const char* line : {"--help", "-h", "write --help", "nonsense -h --port"}) {
        EXPECT_EQ(ParseCliArguments(Args(line)).outcome, ParsedCli::Outcome::Help) << line;
    }
    for (const char* line : {"--version", "out 99 --version"}) {
        EXPECT_EQ(ParseCliArguments(Args(line)).outcome, ParsedCli::Outcome::Version) << line;
    }
}

TEST(CliArguments, UsageErrorsSayWhatIsWrong) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"", "Manca il comando."},
        {"erase --port x", "Comando sconosciuto: erase"},
        {"test --port x --baud 9600", "Opzione sconosciuta: --baud"},
        {"test --port", "Manca il valore dell'opzione --port"},
        {"test --port=", "Manca il valore dell'opzione --port="},
        {"write a.dm6", "Il comando write richiede --port DISPOSITIVO o --port COMn."},
        {"image a.dm6 --port x", "Il comando image non usa --port."},
        {"read --port x", "Il comando read richiede -o FILE.dm6."},
        {"write a.dm6 --port x -o b.dm6", "-o vale solo per i comandi read e render."},
        {"test --port x --names-from b.dm6", "--names-from vale solo per il comando read."},
        {"verify a.dm6 --port x --verify", "--verify vale solo per il comando write."},
        {"write --port x", "Il comando write richiede un solo file .dm6."},
        {"check a.dm6 b.dm6", "Il comando check richiede un solo file .dm6."},
        {"test --port x a.dm6", "Il comando test non prende file: a.dm6"},
        {"out 0 on --port x", "Uso: out N on|off --port P, con N da 1 a 10."},
        {"out 11 on --port x", "Uso: out N on|off --port P, con N da 1 a 10."},
        {"out 3 acceso --port x", "Uso: out N on|off --port P, con N da 1 a 10."},
        {"out 3 --port x", "Uso: out N on|off --port P, con N da 1 a 10."},
        {"out 3 on off --port x", "Uso: out N on|off --port P, con N da 1 a 10."},
        {"out tre on --port x", "Uso: out N on|off --port P, con N da 1 a 10."},
        {"preview a.dm6", "Il comando preview richiede --at T (secondi o hh:mm:ss)."},
        {"preview a.dm6 --at 1:2",
         "Tempo non valido per --at: 1:2 (secondi, come 90 o 12.5, oppure hh:mm:ss)"},
        {"image a.dm6 --at 5", "--at vale solo per il comando preview."},
        {"image a.dm6 --timeline", "--timeline vale solo per il comando render."},
        {"render a.dm6", "Il comando render richiede -o FILE.png, .svg o .pdf."},
    };
    for (const auto& c : cases) {
        const ParsedCli parsed = ParseCliArguments(Args(c.line));
        EXPECT_EQ(parsed.outcome, ParsedCli::Outcome::UsageError) << c.line;
        EXPECT_EQ(parsed.error.toStdString(), c.error) << c.line;
    }
}

TEST(PreviewMoment, SecondsOrHoursMinutesAndSeconds) {
    const struct {
        const char* text;
        double seconds; // -1: refused
    } cases[] = {
        {"0", 0},    {"45", 45},  {"7.5", 7.5}, {"00:00:15", 15}, {"1:02:03", 3723},
        {"", -1},    {"-5", -1},  {"1:2", -1},  {"00:61:00", -1}, {"00:00:60", -1},
        {"abc", -1}, {"1e3", -1}, {"12,5", -1}, {"7.", -1},       {"1234567890", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseMomentSeconds(QString::fromUtf8(c.text)).value_or(-1), c.seconds) << c.text;
    }
    EXPECT_EQ(ParseCliArguments(Args("preview a.dm6 --at=00:01:30")).request.atSeconds, 90);
}

TEST(ImageComparison, PhasesAndCellsThatDiffer) {
    EdataBytes board{};
    EXPECT_TRUE(CompareImages(board, board).empty());
    EdataBytes file = board;
    file[2] = 5;              // phase 3
    file[8 + 13] = 0x30;      // cell 13: its effects
    file[8 + 80 + 6] = 0x80;  // cells 12 and 13 share byte 6: the high nibble is cell 12's
    file[8 + 80 + 39] = 0x0F; // the low nibble of the last byte is cell 79's
    const ImageDifferences found = CompareImages(board, file);
    ASSERT_EQ(found.fasi.size(), 1U);
    EXPECT_EQ(found.fasi[0].fase, 2);
    EXPECT_EQ(found.fasi[0].board, 0);
    EXPECT_EQ(found.fasi[0].file, 5);
    const struct {
        int cell;
        bool effects, flags;
        int fileEffects, fileFlags;
    } expected[] = {{12, false, true, 0, 8}, {13, true, false, 0x30, 0}, {79, false, true, 0, 15}};
    ASSERT_EQ(found.cells.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const CellDifference& cell = found.cells[i];
        EXPECT_EQ(cell.cell, expected[i].cell);
        EXPECT_EQ(cell.effects, expected[i].effects) << cell.cell;
        EXPECT_EQ(cell.flags, expected[i].flags) << cell.cell;
        EXPECT_EQ(cell.fileEffects, expected[i].fileEffects) << cell.cell;
        EXPECT_EQ(cell.fileFlags, expected[i].fileFlags) << cell.cell;
        EXPECT_EQ(cell.boardEffects + cell.boardFlags, 0) << cell.cell;
    }
}
