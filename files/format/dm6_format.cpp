#include "files/format/dm6_format.h"

#include "model/charset.h"

#include <array>
#include <utility>

namespace {

constexpr std::string_view kEol = "\r\n";
constexpr int kMaxFaseCode = 63;
constexpr int kMaxPartCode = 15;
constexpr int kMaxFlicker = 7;

enum Section { kBeforeFirst = 0, kOutNames, kFaseNames, kFaseTimes, kCellRecords, kIgnored };
constexpr std::array<int, 5> kSectionSize = {0, kOutputs, kFasi, kFasi, kCells};

// The last two digits of "0" followed by the value: 0..99 always take two columns.
std::string TwoDigits(int value) {
    const std::string text = "0" + std::to_string(value);
    return text.substr(text.size() - 2);
}

void AppendLine(std::string& out, std::string_view line) {
    out += line;
    out += kEol;
}

std::string NameBytes(const std::string& utf8) {
    if (auto bytes = Utf8ToCp1252(utf8)) {
        return *bytes;
    }
    return Utf8ToCp1252Lossy(utf8);
}

// Plain decimal digits only; anything else, or a value above max, is no number here.
std::optional<int> ParseNumber(std::string_view text, int max) {
    if (text.empty()) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > max) {
            return std::nullopt;
        }
    }
    return value;
}

std::string_view ValueOf(std::string_view line) {
    return line.size() > 3 ? line.substr(3) : std::string_view{};
}

// One item line of a cell section: fixed columns NN=AA;BB;F and the random flag at the end.
std::optional<typEffSet> ParseCell(std::string_view line) {
    if (line.size() < 10) {
        return std::nullopt;
    }
    const auto part1 = ParseNumber(line.substr(3, 2), 255);
    const auto part2 = ParseNumber(line.substr(6, 2), 255);
    const auto flicker = ParseNumber(line.substr(9, 1), 255);
    if (!part1 || !part2 || !flicker || *part1 > kMaxPartCode || *part2 > kMaxPartCode ||
        *flicker > kMaxFlicker) {
        return std::nullopt;
    }
    typEffSet rec;
    rec.bytePart1 = static_cast<std::uint8_t>(*part1);
    rec.bytePart2 = static_cast<std::uint8_t>(*part2);
    rec.byteFlicker = static_cast<std::uint8_t>(*flicker);
    rec.blnRandom = line.back() == '1' ? kTrue : kFalse;
    return rec;
}

// Empty when the item line is taken, otherwise why it is not.
std::string StoreItem(Configuration& config, int section, int item, std::string_view line) {
    const auto index = static_cast<std::size_t>(item);
    switch (section) {
    case kOutNames:
        config.outNames[index] = Cp1252ToUtf8(ValueOf(line));
        return {};
    case kFaseNames:
        config.faseNames[index] = Cp1252ToUtf8(ValueOf(line));
        return {};
    case kFaseTimes:
        if (const auto code = ParseNumber(ValueOf(line), kMaxFaseCode)) {
            config.faseCodes[index] = *code;
            return {};
        }
        return "durata della fase " + std::to_string(item + 1) + " non valida (ammessi 0..63)";
    case kCellRecords:
        if (const auto rec = ParseCell(line)) {
            config.recEffSet[index] = *rec;
            return {};
        }
        return "effetto dell'uscita " + std::to_string(item / kFasi + 1) + ", fase " +
               std::to_string(item % kFasi + 1) +
               " non valido (atteso NN=AA;BB;F;C, effetti 00..15, tremolo 0..7)";
    default:
        return {};
    }
}

// Why the configuration as read is not complete; empty when it is.
std::string MissingPart(const Configuration& config) {
    for (std::size_t o = 0; o < config.outNames.size(); ++o) {
        if (config.outNames[o].empty()) {
            return "nome dell'uscita " + std::to_string(o + 1) + " vuoto o mancante";
        }
    }
    for (std::size_t p = 0; p < config.faseNames.size(); ++p) {
        if (config.faseNames[p].empty()) {
            return "nome della fase " + std::to_string(p + 1) + " vuoto o mancante";
        }
    }
    return {};
}

bool NameIsSavable(const std::string& name) {
    return !name.empty() && name.find('\n') == std::string::npos && Utf8ToCp1252(name);
}

} // namespace

std::string WriteDm6(const Configuration& config) {
    std::string out;
    out.reserve(2048);
    AppendLine(out, "** Miravel6 Data File **");
    AppendLine(out, "");
    AppendLine(out, "[lblOutName]");
    for (int o = 0; o < kOutputs; ++o) {
        AppendLine(out, "0" + std::to_string(o) + "=" +
                            NameBytes(config.outNames[static_cast<std::size_t>(o)]));
    }
    AppendLine(out, "");
    AppendLine(out, "[lblFaseName]");
    for (int p = 0; p < kFasi; ++p) {
        AppendLine(out, "0" + std::to_string(p) + "=" +
                            NameBytes(config.faseNames[static_cast<std::size_t>(p)]));
    }
    AppendLine(out, "");
    AppendLine(out, "[cboFaseTime]");
    for (int p = 0; p < kFasi; ++p) {
        AppendLine(out, "0" + std::to_string(p) + "=" +
                            std::to_string(config.faseCodes[static_cast<std::size_t>(p)]));
    }
    AppendLine(out, "");
    AppendLine(out, "[recEffSet]");
    for (int i = 0; i < kCells; ++i) {
        const typEffSet& rec = config.recEffSet[static_cast<std::size_t>(i)];
        AppendLine(out, TwoDigits(i) + "=" + TwoDigits(rec.bytePart1) + ";" +
                            TwoDigits(rec.bytePart2) + ";" + std::to_string(rec.byteFlicker) + ";" +
                            (IsTrue(rec.blnRandom) ? "1" : "0"));
    }
    return out;
}

std::optional<Configuration> ReadDm6(std::string_view bytes) {
    return CheckDm6(bytes).config;
}

Dm6Verdict CheckDm6(std::string_view bytes) {
    static constexpr const char* kSectionNames[] = {"", "[lblOutName]", "[lblFaseName]",
                                                    "[cboFaseTime]", "[recEffSet]"};
    if (bytes.empty()) {
        return {std::nullopt, 0, "il file è vuoto"};
    }
    Configuration config;
    int section = kBeforeFirst;
    int item = -1;
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t lf = bytes.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        // Files from older writers may end lines with a lone LF; CR LF is the norm.
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '*') {
            continue;
        }
        if (line.front() == '[') {
            section = section < kIgnored ? section + 1 : kIgnored;
            item = -1;
            continue;
        }
        if (section == kBeforeFirst || section == kIgnored) {
            continue;
        }
        ++item;
        const auto size = kSectionSize[static_cast<std::size_t>(section)];
        if (item >= size) {
            // Sections are counted, not named: the name tells which one the reader meant.
            return {std::nullopt, lineNumber,
                    std::string("troppe voci nella sezione ") +
                        kSectionNames[static_cast<std::size_t>(section)] + " (al massimo " +
                        std::to_string(size) + ")"};
        }
        if (std::string why = StoreItem(config, section, item, line); !why.empty()) {
            return {std::nullopt, lineNumber, std::move(why)};
        }
    }
    if (std::string why = MissingPart(config); !why.empty()) {
        return {std::nullopt, 0, std::move(why)};
    }
    return {std::move(config), 0, {}};
}

std::optional<UnsavableName> FindUnsavableName(const Configuration& config) {
    for (int o = 0; o < kOutputs; ++o) {
        if (!NameIsSavable(config.outNames[static_cast<std::size_t>(o)])) {
            return UnsavableName{false, o};
        }
    }
    for (int p = 0; p < kFasi; ++p) {
        if (!NameIsSavable(config.faseNames[static_cast<std::size_t>(p)])) {
            return UnsavableName{true, p};
        }
    }
    return std::nullopt;
}
