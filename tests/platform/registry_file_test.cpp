// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>

#include "core/unicode_text.h"
#include "fakes/temp_dir.h"

namespace kassavero {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

constexpr std::string_view kGeneralHeader = "[HKEY_CURRENT_USER\\Software\\Kassavero\\General]";

class RegistryFileTest : public ::testing::Test {
  protected:
    fs::path Dir() const { return temp_.Path() / "Kassavero"; }
    fs::path File() const { return Dir() / "registry.reg"; }
    void Put(std::string_view content) { WriteFileBytes(File(), content); }
    std::string Disk() const { return ReadFileBytes(File()); }

    TempDir temp_;
};

TEST_F(RegistryFileTest, AValueAddedAfterCutOffBinaryDataSurvivesTheNextRead) {
    // Binary data of another program, cut off after a line ending in a backslash.
    Put("REGEDIT4\n\n" + std::string(kGeneralHeader) + "\n\"Blob\"=hex:01,\\\n");
    {
        RegistryFile store(Dir());
        store.WriteString(U"General", U"Saved", U"1");
    }
    for (int run = 0; run < 2; ++run) {  // stable over repeated saves
        RegistryFile store(Dir());
        EXPECT_EQ(store.ReadString(U"General", U"Saved").value_or(U"lost"), U"1");
        store.WriteString(U"General", U"Run", AsciiToText(std::to_string(run)));
    }
    EXPECT_NE(Disk().find("\"Blob\"=hex:01,\\\n\n"), std::string::npos) << Disk();
    EXPECT_EQ(Disk().find("\n\n\n"), std::string::npos) << "no blank line added per save";
}

TEST_F(RegistryFileTest, ADamagedLineEndingInACarriageReturnStaysDamagedOverSaves) {
    // The second line is not a value: its text ends in a stray carriage return.
    const std::string damaged = "\"Name\"=\"new\"\r\r\n";
    Put("REGEDIT4\r\n\r\n" + std::string(kGeneralHeader) + "\r\n\"Name\"=\"old\"\r\n" + damaged);
    for (int run = 0; run < 2; ++run) {
        RegistryFile store(Dir());
        EXPECT_EQ(store.ReadString(U"General", U"Name").value_or(U"missing"), U"old");
        store.WriteString(U"General", U"Run", AsciiToText(std::to_string(run)));
    }
    EXPECT_NE(Disk().find(damaged), std::string::npos) << Disk();
}

TEST_F(RegistryFileTest, MissingFileReadsEmptyAndTheFirstWriteCreatesIt) {
    RegistryFile store(Dir());
    EXPECT_TRUE(store.ReadSections().empty());
    EXPECT_FALSE(store.ReadString(U"General", U"EntriesValid"));
    EXPECT_FALSE(store.SectionExists(U"General"));
    EXPECT_FALSE(fs::exists(Dir())) << "reading creates nothing";

    store.WriteString(U"General", U"EntriesValid", U"1");
    EXPECT_EQ(Disk(), "REGEDIT4\n\n" + std::string(kGeneralHeader) + "\n\"EntriesValid\"=\"1\"\n");
    EXPECT_EQ(store.WriteCount(), 1);
    EXPECT_TRUE(store.LastError().empty());
}

TEST_F(RegistryFileTest, NamesIgnoreLetterCaseAndKeepTheirFirstSpelling) {
    RegistryFile store(Dir());
    store.WriteString(U"Profile \xC4pfel", U"OutputReplace", U"0");
    store.WriteString(U"PROFILE \xE4PFEL", U"outputreplace", U"1");
    EXPECT_THAT(store.ReadSections(), ElementsAre(U"Profile \xC4pfel"));
    EXPECT_EQ(store.ReadString(U"profile \xE4pfel", U"OUTPUTREPLACE"), U"1");
    EXPECT_TRUE(store.ValueExists(U"PROFILE \xC4PFEL", U"outputReplace"));
    EXPECT_FALSE(store.ValueExists(U"Profile \xC4pfel", U"OutputReplac"));
    EXPECT_THAT(Disk(), HasSubstr("[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile \xC3\x84pfel]\n"
                                  "\"OutputReplace\"=\"1\"\n"));

    store.RespellSection(U"profile \xE4PFEL");
    EXPECT_THAT(store.ReadSections(), ElementsAre(U"profile \xE4PFEL"));
    RegistryFile reread(Dir());
    EXPECT_THAT(reread.ReadSections(), ElementsAre(U"profile \xE4PFEL"));
    EXPECT_EQ(reread.ReadString(U"Profile \xC4pfel", U"OutputReplace"), U"1");
}

TEST_F(RegistryFileTest, SectionsInFileOrderExistWhenTheyHoldAValue) {
    Put("REGEDIT4\n\n"
        "[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile B]\n\"X\"=\"1\"\n\n"
        "[HKEY_CURRENT_USER\\Software\\Kassavero\\Empty]\n\n"
        "[HKEY_CURRENT_USER\\Software\\Kassavero\\General]\n\"Y\"=dword:00000001\n");
    RegistryFile store(Dir());
    EXPECT_THAT(store.ReadSections(), ElementsAre(U"Profile B", U"Empty", U"General"));
    EXPECT_TRUE(store.SectionExists(U"profile b"));
    EXPECT_FALSE(store.SectionExists(U"Empty"));
    EXPECT_TRUE(store.SectionExists(U"General")) << "a value of another type is still a value";
    EXPECT_FALSE(store.SectionExists(U"Nowhere"));

    store.EraseSection(U"Nowhere");
    EXPECT_EQ(store.WriteCount(), 0);
    store.EraseSection(U"PROFILE B");
    EXPECT_EQ(store.WriteCount(), 1);
    EXPECT_THAT(store.ReadSections(), ElementsAre(U"Empty", U"General"));
    EXPECT_THAT(Disk(), ::testing::Not(HasSubstr("Profile B")));
}

TEST_F(RegistryFileTest, EscapesRoundTripAndTextIsUtf8OnDisk) {
    const std::u32string value = U"a\\b \"quoted\" \u20AC line\r\nbreak";
    {
        RegistryFile store(Dir());
        store.WriteString(U"General", U"Odd \"name\"\\", value);
    }
    EXPECT_THAT(Disk(), HasSubstr("\"Odd \\\"name\\\"\\\\\"=\"a\\\\b \\\"quoted\\\" \xE2\x82\xAC "
                                  "line\\r\\nbreak\"\n"));
    RegistryFile reread(Dir());
    EXPECT_EQ(reread.ReadString(U"General", U"odd \"NAME\"\\"), value);
}

TEST_F(RegistryFileTest, OneUpdateIsOneWriteAndAnUnchangedValueIsNone) {
    RegistryFile store(Dir());
    store.BeginUpdate();
    for (int i = 0; i < 300; ++i)
        store.WriteString(U"Profile A", U"Key" + AsciiToText(std::to_string(i)), U"v");
    EXPECT_EQ(store.WriteCount(), 0);
    EXPECT_FALSE(fs::exists(File()));
    EXPECT_TRUE(store.EndUpdate());
    EXPECT_EQ(store.WriteCount(), 1);

    {
        RegistryUpdate update(store);
        store.WriteString(U"Profile A", U"Key7", U"v");
        store.WriteString(U"profile a", U"KEY8", U"v");
    }
    EXPECT_EQ(store.WriteCount(), 1) << "nothing changed, nothing written";
}

TEST_F(RegistryFileTest, ForeignSectionsAndValuesOfOtherTypesAreKeptAndReadAsMissing) {
    const std::string foreign =
        "[HKEY_CURRENT_USER\\Software\\Other]\n"
        "\"Keep\"=\"me\"\n";
    const std::string binary =
        "\"Blob\"=hex:01,02,03,\\\n"
        "  04,05\n";
    Put("REGEDIT4\n\n; a comment\n\n" + foreign + "\n" + std::string(kGeneralHeader) + "\n" +
        binary + "\"Count\"=dword:0000002a\n@=\"default\"\n\"Unknown\"=\"value\"\n");
    RegistryFile store(Dir());
    EXPECT_EQ(store.UnreadableLineCount(), 0);
    EXPECT_THAT(store.ReadSections(), ElementsAre(U"General"));
    EXPECT_FALSE(store.ReadString(U"General", U"Count"));
    EXPECT_FALSE(store.ValueExists(U"General", U"Blob"));
    EXPECT_FALSE(store.ReadString(U"Other", U"Keep"));
    EXPECT_EQ(store.ReadString(U"General", U"Unknown"), U"value");

    store.WriteString(U"General", U"EntriesValid", U"1");
    const std::string disk = Disk();
    EXPECT_THAT(disk, HasSubstr("; a comment\n"));
    EXPECT_THAT(disk, HasSubstr(foreign));
    EXPECT_THAT(disk, HasSubstr(binary));
    EXPECT_THAT(disk, HasSubstr("\"Count\"=dword:0000002a\n@=\"default\"\n\"Unknown\"=\"value\"\n"
                                "\"EntriesValid\"=\"1\"\n"));

    // Writing a string over a value of another type makes it a string.
    store.WriteString(U"General", U"Count", U"42");
    EXPECT_EQ(store.ReadString(U"General", U"count"), U"42");
    EXPECT_THAT(Disk(), ::testing::Not(HasSubstr("dword")));
}

TEST_F(RegistryFileTest, DamagedLinesAreReadAroundAndKeptAsTheyWere) {
    const std::vector<std::string> damaged = {
        "\x01\x02\xFF\xFE garbage \x00 bytes"s,
        "\"Unterminated\"=\"value",
        "\"BadEscape\"=\"a\\qb\"",
        "\"NoValue\"",
        "\"Trailing\"=\"x\" y",
    };
    std::string file = "REGEDIT4\nstray line before any section\n" + std::string(kGeneralHeader) +
                       "\n\"Good1\"=\"1\"\n";
    for (const auto& line : damaged)
        file += line + "\n";
    file += "\"Good2\"=\"2\"\n";
    // The values under a broken header are not taken for the section before it.
    const std::string lost =
        "[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile B\n\"Good1\"=\"from B\"\n";
    file += lost;
    Put(file);

    RegistryFile store(Dir());
    EXPECT_EQ(store.UnreadableLineCount(), 7);
    EXPECT_EQ(store.ReadString(U"General", U"Good1"), U"1");
    EXPECT_EQ(store.ReadString(U"General", U"Good2"), U"2");
    EXPECT_FALSE(store.ReadString(U"General", U"Unterminated"));
    EXPECT_FALSE(store.ReadString(U"General", U"Trailing"));

    store.WriteString(U"General", U"Good1", U"changed");
    const std::string disk = Disk();
    EXPECT_THAT(disk, HasSubstr("stray line before any section\n"));
    for (const auto& line : damaged)
        EXPECT_THAT(disk, HasSubstr(line + "\n"));
    EXPECT_THAT(disk, HasSubstr(lost));
    RegistryFile reread(Dir());
    EXPECT_EQ(reread.UnreadableLineCount(), 7);
    EXPECT_EQ(reread.ReadString(U"General", U"Good1"), U"changed");
    EXPECT_EQ(reread.ReadString(U"General", U"Good2"), U"2");
}

TEST_F(RegistryFileTest, APartialFileKeepsWhatItHolds) {
    Put("REGEDIT4\r\n\r\n" + std::string(kGeneralHeader) +
        "\r\n\"DefaultProfile\"=\"A\"\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile A]\r\n\"OutputReplace\"=\"1\"\r\n"
        "\"OutputDEMDecimals\"=\"");
    RegistryFile store(Dir());
    EXPECT_EQ(store.ReadString(U"General", U"DefaultProfile"), U"A");
    EXPECT_EQ(store.ReadString(U"Profile A", U"OutputReplace"), U"1");
    EXPECT_FALSE(store.ReadString(U"Profile A", U"OutputDEMDecimals"));
    EXPECT_EQ(store.UnreadableLineCount(), 1);

    store.WriteString(U"Profile A", U"OutputDEMDecimals", U"3");
    RegistryFile reread(Dir());
    EXPECT_EQ(reread.ReadString(U"Profile A", U"OutputDEMDecimals"), U"3");
    EXPECT_EQ(reread.ReadString(U"General", U"DefaultProfile"), U"A");
    EXPECT_THAT(Disk(), HasSubstr("\"OutputDEMDecimals\"=\"\n"));
}

TEST_F(RegistryFileTest, ALeftOverTemporaryFileIsIgnoredAndReplaced) {
    Put("REGEDIT4\n\n" + std::string(kGeneralHeader) + "\n\"A\"=\"old\"\n");
    WriteFileBytes(Dir() / "registry.reg.tmp", "half a write [HKEY_CURRENT");
    RegistryFile store(Dir());
    EXPECT_EQ(store.ReadString(U"General", U"A"), U"old");
    store.WriteString(U"General", U"A", U"new");
    EXPECT_FALSE(fs::exists(Dir() / "registry.reg.tmp"));
    EXPECT_EQ(RegistryFile(Dir()).ReadString(U"General", U"A"), U"new");
}

TEST_F(RegistryFileTest, OlderEncodingsAreRead) {
    // A line that is not UTF-8 is Windows-1252, and stays byte for byte as it was.
    const std::string latin = "\"Month\"=\"M\xE4rz \x80\"";
    Put("REGEDIT4\n\n" + std::string(kGeneralHeader) + "\n" + latin + "\n");
    {
        RegistryFile store(Dir());
        EXPECT_EQ(store.ReadString(U"General", U"Month"), U"M\xE4rz \u20AC");
        EXPECT_EQ(store.UnreadableLineCount(), 0);
        store.WriteString(U"General", U"Other", U"x");
        EXPECT_THAT(Disk(), HasSubstr(latin + "\n"));
    }

    // UTF-16 with a byte order mark, as newer exports are written.
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n" +
                             std::string(kGeneralHeader) + "\r\n\"Name\"=\"\xE2\x82\xAC\"\r\n";
    std::string utf16 = "\xFF\xFE";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 3, "\xE2\x82\xAC") == 0) {
            utf16 += "\xAC\x20";
            i += 2;
        } else {
            utf16 += text[i];
            utf16 += '\0';
        }
    }
    Put(utf16);
    RegistryFile store(Dir());
    EXPECT_EQ(store.ReadString(U"General", U"Name"), U"\u20AC");
    store.WriteString(U"General", U"Name", U"\u20AC\u20AC");
    EXPECT_EQ(Disk(), "Windows Registry Editor Version 5.00\n\n" + std::string(kGeneralHeader) +
                          "\n\"Name\"=\"\xE2\x82\xAC\xE2\x82\xAC\"\n");
}

TEST_F(RegistryFileTest, RepeatedNamesReadAsAnImportWould) {
    Put("REGEDIT4\n\n" + std::string(kGeneralHeader) +
        "\n\"A\"=\"first\"\n\"a\"=\"second\"\n\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\kassavero\\general]\n\"B\"=\"b\"\n");
    RegistryFile store(Dir());
    EXPECT_THAT(store.ReadSections(), ElementsAre(U"General"));
    EXPECT_EQ(store.ReadString(U"General", U"A"), U"second");
    EXPECT_EQ(store.ReadString(U"General", U"B"), U"b");
    store.WriteString(U"General", U"A", U"third");
    RegistryFile reread(Dir());
    EXPECT_EQ(reread.ReadString(U"General", U"A"), U"third");
    EXPECT_THAT(Disk(), HasSubstr("\"A\"=\"first\"\n")) << "the shadowed line is kept";
}

TEST_F(RegistryFileTest, AFileThatCannotBeReadIsNeverWrittenOver) {
    fs::create_directories(File());  // a directory where the file should be
    RegistryFile store(Dir());
    EXPECT_FALSE(store.LastError().empty());
    EXPECT_TRUE(store.ReadSections().empty());

    store.BeginUpdate();
    store.WriteString(U"General", U"EntriesValid", U"1");
    EXPECT_FALSE(store.EndUpdate());
    EXPECT_EQ(store.WriteCount(), 0);
    EXPECT_TRUE(fs::is_directory(File()));
    EXPECT_EQ(store.ReadString(U"General", U"EntriesValid"), U"1")
        << "the program goes on in memory";
}

TEST_F(RegistryFileTest, APipeInPlaceOfTheFileNeitherBlocksNorIsReplaced) {
    fs::create_directories(Dir());
    ASSERT_EQ(::mkfifo(File().c_str(), 0600), 0);
    RegistryFile store(Dir());
    EXPECT_FALSE(store.LastError().empty());
    store.WriteString(U"General", U"EntriesValid", U"1");
    EXPECT_EQ(store.WriteCount(), 0);
    EXPECT_TRUE(fs::is_fifo(File()));
}

TEST_F(RegistryFileTest, AChangeOnDiskIsReadBeforeTheNextOperation) {
    RegistryFile first(Dir());
    RegistryFile second(Dir());
    first.WriteString(U"General", U"A", U"1");
    EXPECT_EQ(second.ReadString(U"General", U"A"), U"1");
    second.WriteString(U"General", U"B", U"2");
    first.WriteString(U"General", U"C", U"3");
    RegistryFile third(Dir());
    EXPECT_EQ(third.ReadString(U"General", U"A"), U"1");
    EXPECT_EQ(third.ReadString(U"General", U"B"), U"2");
    EXPECT_EQ(third.ReadString(U"General", U"C"), U"3");
}

TEST_F(RegistryFileTest, AStringEndsAtItsFirstNul) {
    Put("REGEDIT4\n\n"s + std::string(kGeneralHeader) + "\n\"A\"=\"ke\0y\"\n"s);
    RegistryFile store(Dir());
    EXPECT_EQ(store.ReadString(U"General", U"A"), U"ke");
    store.WriteString(U"General", U"B", U"va\0lue"s);
    EXPECT_EQ(store.ReadString(U"General", U"B"), U"va");
    RegistryFile reread(Dir());
    EXPECT_EQ(reread.ReadString(U"General", U"B"), U"va");
}

TEST_F(RegistryFileTest, ALinkedFileStaysALink) {
    const fs::path real = temp_.Path() / "dotfiles" / "kassavero.reg";
    WriteFileBytes(real, "REGEDIT4\n");
    fs::create_directories(Dir());
    fs::create_symlink(real, File());
    RegistryFile store(Dir());
    store.WriteString(U"General", U"A", U"1");
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_THAT(ReadFileBytes(real), HasSubstr("\"A\"=\"1\""));
}

TEST(DefaultRegistryDirectory, FollowsTheConfigHomeOfTheDesktop) {
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = savedConfig != nullptr ? savedConfig : "";
    ::setenv("HOME", std::getenv("HOME") != nullptr ? std::getenv("HOME") : "/root", 1);
    const fs::path home = std::getenv("HOME");

    ::setenv("XDG_CONFIG_HOME", "/tmp/xdg-here", 1);
    EXPECT_EQ(DefaultRegistryDirectory(), fs::path("/tmp/xdg-here/Kassavero"));
    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
    EXPECT_EQ(DefaultRegistryDirectory(), home / ".config" / "Kassavero");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(DefaultRegistryDirectory(), home / ".config" / "Kassavero");

    if (savedConfig != nullptr)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

}  // namespace
}  // namespace kassavero
