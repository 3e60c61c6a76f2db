#include "model/ini_text.h"

#include <vector>

namespace {

struct Line {
    std::string body; // without its line end
    std::string end;  // "\n", "\r\n" or empty for a last line without one
};

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t newline = text.find('\n', start);
        if (newline == std::string::npos) {
            lines.push_back({text.substr(start), {}});
            break;
        }
        std::size_t bodyEnd = newline;
        if (bodyEnd > start && text[bodyEnd - 1] == '\r') {
            --bodyEnd;
        }
        lines.push_back(
            {text.substr(start, bodyEnd - start), text.substr(bodyEnd, newline + 1 - bodyEnd)});
        start = newline + 1;
    }
    return lines;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool IsSectionLine(const std::string& body) {
    const std::string trimmed = Trimmed(body);
    return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
}

bool IsComment(const std::string& body) {
    const std::string trimmed = Trimmed(body);
    return !trimmed.empty() && (trimmed.front() == ';' || trimmed.front() == '#');
}

// The key of a key line, trimmed; empty for any other line.
std::string KeyOf(const std::string& body) {
    if (IsSectionLine(body) || IsComment(body)) {
        return {};
    }
    const std::size_t equals = body.find('=');
    return equals == std::string::npos ? std::string() : Trimmed(body.substr(0, equals));
}

// A value line ending in an odd number of backslashes goes on in the next line.
bool Continues(const std::string& body) {
    std::size_t backslashes = 0;
    for (auto it = body.rbegin(); it != body.rend() && *it == '\\'; ++it) {
        ++backslashes;
    }
    return backslashes % 2 == 1;
}

} // namespace

std::string SetIniKey(const std::string& text, const IniEntry& entry, bool remove) {
    const std::vector<Line> lines = SplitLines(text);
    const std::string key = KeyOf(entry.keyLine);
    const std::string section = Trimmed(entry.sectionLine);
    const std::string newline =
        !lines.empty() && lines.front().end == "\r\n" ? std::string("\r\n") : std::string("\n");

    std::vector<Line> out;
    bool inSection = false;
    bool inFirstSection = false;
    bool seenSection = false;
    bool placed = remove;            // nothing to place when removing
    std::ptrdiff_t insertAfter = -1; // the last non-blank line of the first matching section
    bool skippingContinuation = false;
    const auto keep = [&](const Line& line) {
        out.push_back(line);
        if (inFirstSection && !Trimmed(line.body).empty()) {
            insertAfter = static_cast<std::ptrdiff_t>(out.size()) - 1;
        }
    };
    for (const Line& line : lines) {
        if (skippingContinuation) {
            skippingContinuation = Continues(line.body);
            continue;
        }
        if (IsSectionLine(line.body)) {
            inSection = Trimmed(line.body) == section;
            inFirstSection = inSection && !seenSection;
            seenSection = seenSection || inSection;
            keep(line);
            continue;
        }
        if (inSection && !key.empty() && KeyOf(line.body) == key) {
            skippingContinuation = Continues(line.body);
            if (!placed) {
                keep({entry.keyLine, line.end.empty() ? newline : line.end});
                placed = true;
            }
            continue;
        }
        keep(line);
    }
    if (!placed) {
        if (insertAfter >= 0) {
            Line& before = out[static_cast<std::size_t>(insertAfter)];
            if (before.end.empty()) {
                before.end = newline;
            }
            out.insert(out.begin() + insertAfter + 1, Line{entry.keyLine, newline});
        } else {
            if (!out.empty() && out.back().end.empty()) {
                out.back().end = newline;
            }
            if (!out.empty()) {
                out.push_back({{}, newline});
            }
            out.push_back({entry.sectionLine, newline});
            out.push_back({entry.keyLine, newline});
        }
    }
    std::string result;
    for (const Line& line : out) {
        result += line.body + line.end;
    }
    return result;
}

std::optional<IniEntry> FirstIniEntry(const std::string& text) {
    std::string section;
    for (const Line& line : SplitLines(text)) {
        if (IsSectionLine(line.body)) {
            section = Trimmed(line.body);
        } else if (!KeyOf(line.body).empty()) {
            return IniEntry{section, line.body};
        }
    }
    return std::nullopt;
}
