// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry_text.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <string>

namespace kassavero {
namespace {

constexpr const char* kRoot = "[HKEY_CURRENT_USER\\Software\\Kassavero\\";

struct TextCase {
    std::string in;
    std::string out;  // what a save writes back
};

TEST(RegistryText, ASaveWritesBackWhatWasReadLineForLine) {
    const std::string root = kRoot;
    const TextCase cases[] = {
        {"", "REGEDIT4\n"},
        {"Windows Registry Editor Version 5.00\r\n\r\n" + root + "A]\r\n\"x\"=\"1\"\r\n",
         "Windows Registry Editor Version 5.00\n\n" + root + "A]\n\"x\"=\"1\"\n"},
        // foreign sections, other types, damaged lines and comments stay as they were
        {"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\X]\n\"y\"=dword:1\n; note\nbroken\n",
         "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\X]\n\"y\"=dword:1\n; note\nbroken\n"},
        // a header with trailing blanks is still the header when read back
        {"Windows Registry Editor Version \n" + root + "A]\n\"v\"=hex:01,\\\n",
         "Windows Registry Editor Version\n\n" + root + "A]\n\"v\"=hex:01,\\\n\n"},
        // a UTF-8 byte order mark goes, a Windows-1252 line stays in its bytes
        {"\xEF\xBB\xBFREGEDIT4\n\n" + root + "B]\n\"n\"=\"M\xE4rz\"\n",
         "REGEDIT4\n\n" + root + "B]\n\"n\"=\"M\xE4rz\"\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RegistryText::Parse(c.in).Serialize(), c.out) << c.in;
        EXPECT_EQ(RegistryText::Parse(c.out).Serialize(), c.out) << "saved twice: " << c.in;
    }
}

TEST(RegistryText, ValuesReadUnescapedAndNamesIgnoreCase) {
    RegistryText text = RegistryText::Parse(std::string("REGEDIT4\n\n") + kRoot +
                                            "Profil]\n\"Name\"=\"a\\\\b \\\"c\\\"\\n\"\n");
    const auto* entry = text.FindString("PROFIL", "name");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->value, "a\\b \"c\"\n");
    EXPECT_EQ(text.unreadableLines, 0);
}

}  // namespace
}  // namespace kassavero
