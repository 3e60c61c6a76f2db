#include "files/format/dm6_format.h"

#include "model/charset.h"

#include <array>

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

bool StoreItem(Configuration& config, int section, int item, std::string_view line) {
    const auto index = static_cast<std::size_t>(item);
    switch (section) {
    case kOutNames:
        config.outNames[index] = Cp1252ToUtf8(ValueOf(line));
        return true;
    case kFaseNames:
        config.faseNames[index] = Cp1252ToUtf8(ValueOf(line));
        return true;
    case kFaseTimes:
        if (const auto code = ParseNumber(ValueOf(line), kMaxFaseCode)) {
            config.faseCodes[index] = *code;
            return true;
        }
        return false;
    case kCellRecords:
        if (const auto rec = ParseCell(line)) {
            config.recEffSet[index] = *rec;
            return true;
        }
        return false;
    default:
        return true;
    }
}

bool IsValid(const Configuration& config) {
    for (const std::string& name : config.outNames) {
        if (name.empty()) {
            return false;
        }
    }
    for (const std::string& name : config.faseNames) {
        if (name.empty()) {
            return false;
        }
    }
    for (const int code : config.faseCodes) {
        if (code < 0 || code > kMaxFaseCode) {
            return false;
        }
    }
    for (const typEffSet& rec : config.recEffSet) {
        if (rec.bytePart1 > kMaxPartCode || rec.bytePart2 > kMaxPartCode ||
            rec.byteFlicker > kMaxFlicker) {
            return false;
        }
    }
    return true;
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
    if (bytes.empty()) {
        return std::nullopt;
    }
    Configuration config;
    int section = kBeforeFirst;
    int item = -1;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t lf = bytes.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
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
        if (item >= kSectionSize[static_cast<std::size_t>(section)] ||
            !StoreItem(config, section, item, line)) {
            return std::nullopt;
        }
    }
    if (!IsValid(config)) {
        return std::nullopt;
    }
    return config;
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
