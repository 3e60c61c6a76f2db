#pragma once
// The window title that shows which file the grid came from or went to.

#include <string>
#include <string_view>

// Paths longer than this many characters are shortened in the title.
inline constexpr std::size_t kTitlePathChars = 80;

// Title and path are UTF-8; characters are counted as code points.
std::string TitleAfterOpen(std::string_view appTitle, std::string_view path);
std::string TitleAfterSave(std::string_view appTitle, std::string_view path);
