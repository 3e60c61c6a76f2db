// One key of a hand-kept ini file changed in place: every other byte stays.

#include "model/ini_text.h"

#include <gtest/gtest.h>

namespace {

const IniEntry kCom3{"[ports]", "COM3=/dev/pts/7"};

struct IniCase {
    const char* name;
    std::string before;
    IniEntry entry;
    bool remove;
    std::string after;
};

// Bytes that are not UTF-8 and a value only the settings library understands.
const std::string kHandWritten = "[mine]\nnote=caf\xe9\npoint=@Variant(\\0\\0\\0\\x1a)\n";

const IniCase kCases[] = {
    {"replaced where it stands", kHandWritten + "\n[ports]\nCOM2=/dev/a\nCOM3=/dev/old\nCOM4=b\n",
     kCom3, false, kHandWritten + "\n[ports]\nCOM2=/dev/a\nCOM3=/dev/pts/7\nCOM4=b\n"},
    {"hand-written blanks around the key", "[ports]\n  COM3 = a, b\n", kCom3, false,
     "[ports]\nCOM3=/dev/pts/7\n"},
    {"added after the section's last line", "[ports]\nCOM2=/dev/a\n\n[frmMain]\ncboComm=2\n", kCom3,
     false, "[ports]\nCOM2=/dev/a\nCOM3=/dev/pts/7\n\n[frmMain]\ncboComm=2\n"},
    {"a new section at the end", kHandWritten, kCom3, false,
     kHandWritten + "\n[ports]\nCOM3=/dev/pts/7\n"},
    {"a last line without a line end", "[frmMain]\ncboComm=2", kCom3, false,
     "[frmMain]\ncboComm=2\n\n[ports]\nCOM3=/dev/pts/7\n"},
    {"an empty file", "", kCom3, false, "[ports]\nCOM3=/dev/pts/7\n"},
    {"CR LF kept", "[ports]\r\nCOM2=x\r\n", kCom3, false,
     "[ports]\r\nCOM2=x\r\nCOM3=/dev/pts/7\r\n"},
    {"the same key of another section untouched", "[other]\nCOM3=keep\n[ports]\nCOM1=y\n", kCom3,
     false, "[other]\nCOM3=keep\n[ports]\nCOM1=y\nCOM3=/dev/pts/7\n"},
    {"a second line of the key goes", "[ports]\nCOM3=one\nCOM4=x\nCOM3=two\n", kCom3, false,
     "[ports]\nCOM3=/dev/pts/7\nCOM4=x\n"},
    {"removed with its continuation line", "[ports]\nCOM3=a\\\n  b\nCOM4=x\n", kCom3, true,
     "[ports]\nCOM4=x\n"},
    {"removing what is not there", kHandWritten, kCom3, true, kHandWritten},
    {"comments and a key named like a comment stay", "[ports]\n;COM3=old\n#COM3=old\nCOM3=x\n",
     kCom3, false, "[ports]\n;COM3=old\n#COM3=old\nCOM3=/dev/pts/7\n"},
};

TEST(SetIniKey, ChangesOnlyTheKey) {
    for (const IniCase& c : kCases) {
        EXPECT_EQ(SetIniKey(c.before, c.entry, c.remove), c.after) << c.name;
    }
}

TEST(FirstIniEntry, TheLineAsTheLibraryWroteIt) {
    const auto entry = FirstIniEntry("[ports]\nCOM8=\"a, b\"\n");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->sectionLine, "[ports]");
    EXPECT_EQ(entry->keyLine, "COM8=\"a, b\"");
    EXPECT_FALSE(FirstIniEntry("[ports]\n\n").has_value());
}

} // namespace
