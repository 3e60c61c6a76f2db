#include "model/window_title.h"

#include <vector>

namespace {

// Byte offset of every character start, plus the end.
std::vector<std::size_t> CharStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U) {
            starts.push_back(i);
        }
    }
    starts.push_back(text.size());
    return starts;
}

std::string_view FirstChars(std::string_view text, const std::vector<std::size_t>& starts,
                            std::size_t count) {
    return text.substr(0, starts[count]);
}

std::string_view LastChars(std::string_view text, const std::vector<std::size_t>& starts,
                           std::size_t count) {
    return text.substr(starts[starts.size() - 1 - count]);
}

} // namespace

std::string TitleAfterOpen(std::string_view appTitle, std::string_view path) {
    const auto starts = CharStarts(path);
    std::string title(appTitle);
    title += " - ";
    if (starts.size() - 1 <= kTitlePathChars) {
        title += path;
    } else {
        title += FirstChars(path, starts, 3);
        title += "...";
        title += LastChars(path, starts, kTitlePathChars);
    }
    return title;
}

std::string TitleAfterSave(std::string_view appTitle, std::string_view path) {
    const auto starts = CharStarts(path);
    std::string title(appTitle);
    if (starts.size() - 1 <= kTitlePathChars) {
        title += " - ";
        title += path;
    } else {
        title += " - ...";
        title += LastChars(path, starts, kTitlePathChars);
    }
    return title;
}
