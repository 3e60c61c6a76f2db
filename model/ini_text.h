#pragma once
// One key of an ini text changed in place: the lines of every other key, comments and blank
// lines included, stay byte for byte as they were. A settings library that rewrites the whole
// file from what it understood loses hand-written values it cannot represent.

#include <optional>
#include <string>

struct IniEntry {
    std::string sectionLine; // the section's header as written, "[ports]"
    std::string keyLine;     // the key's line as written, without a line end: "COM3=/dev/pts/7"
};

// The text with the key of `entry` (the part of keyLine before '=') set to keyLine in that
// section, or removed when `remove`. The first line of the key is replaced in place; any
// further lines of the same key in the same section go (continuation lines with them). A new
// key goes after the section's last line that is not blank; a new section at the end.
std::string SetIniKey(const std::string& text, const IniEntry& entry, bool remove = false);

// The entry of the first key line in an ini text (its section, its line): how the settings
// library writes a key alone in a file.
std::optional<IniEntry> FirstIniEntry(const std::string& text);
