// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/private_profile_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

#include "core/unicode_text.h"
#include "fakes/temp_dir.h"

namespace kassavero {
namespace {

namespace fs = std::filesystem;

// The file speaks program text; these tests write what it holds in UTF-8.
std::string ReadValue(PrivateProfile& file, std::string_view section, std::string_view key,
                      std::string_view fallback, std::size_t length) {
    return TextToUtf8(
        file.ReadString(Utf8ToText(section), Utf8ToText(key), Utf8ToText(fallback), length));
}
bool WriteValue(PrivateProfile& file, std::string_view section, std::string_view key,
                std::string_view value) {
    return file.WriteString(Utf8ToText(section), Utf8ToText(key), Utf8ToText(value));
}
std::vector<std::string> AsUtf8(const std::vector<std::u32string>& names) {
    std::vector<std::string> out;
    for (const std::u32string& name : names)
        out.push_back(TextToUtf8(name));
    return out;
}
std::vector<std::string> Sections(PrivateProfile& file) {
    return AsUtf8(file.SectionNames());
}
std::vector<std::string> Keys(PrivateProfile& file, std::string_view section) {
    return AsUtf8(file.KeyNames(Utf8ToText(section)));
}

class IniFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(directory_.empty()); }

    void Write(const std::string& content) const {
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << content;
    }
    std::string Content() const {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    std::size_t FilesInDirectory() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(directory_), {}));
    }

    testing::TempDir temp_;
    const fs::path directory_ = temp_.Path();
    const fs::path path_ = directory_ / "test.ini";
};

// section, key, expected value (default "<none>")
class IniReadRules
    : public IniFileTest,
      public ::testing::WithParamInterface<std::tuple<const char*, const char*, const char*>> {};

TEST_P(IniReadRules, ReadsLikeThePrivateProfileFunctions) {
    Write(
        "; a comment=not a key\n"
        "orphan=before any section\n"
        "[General]\n"
        "Plain=value\n"
        "  Spaced  =   padded value \t\n"
        "Quoted=\"  kept blanks  \"\n"
        "Twice=\"\"inner\"\"\n"
        "Lone=\"\n"
        "Half=\"open\n"
        "Empty=\n"
        "Equals=a=b\n"
        "NoEquals\n"
        "Dup=first\n"
        "dup=second\n"
        "[Broken\n"
        "AfterBroken=still General\n"
        "[ Other ]\n"
        "Plain=other value\n"
        "[general]\n"
        "Late=from the second General\n");
    PrivateProfileFile file(path_);
    const auto& [section, key, expected] = GetParam();
    EXPECT_EQ(ReadValue(file, section, key, "<none>", 1023), expected) << section << "/" << key;
}

INSTANTIATE_TEST_SUITE_P(
    Table, IniReadRules,
    ::testing::Values(
        std::make_tuple("General", "Plain", "value"), std::make_tuple("GENERAL", "pLaIn", "value"),
        std::make_tuple("General", "Spaced", "padded value"),
        std::make_tuple("General", "Quoted", "  kept blanks  "),
        std::make_tuple("General", "Twice", "\"inner\""), std::make_tuple("General", "Lone", "\""),
        std::make_tuple("General", "Half", "\"open"), std::make_tuple("General", "Empty", ""),
        std::make_tuple("General", "Equals", "a=b"),
        std::make_tuple("General", "NoEquals", "<none>"),
        std::make_tuple("General", "Dup", "first"),
        std::make_tuple("General", "AfterBroken", "still General"),
        std::make_tuple("General", "Late", "from the second General"),
        std::make_tuple("General", "Missing", "<none>"),
        std::make_tuple("General", "; a comment", "<none>"),
        std::make_tuple("", "orphan", "<none>"), std::make_tuple("Other", "Plain", "other value"),
        std::make_tuple("Nowhere", "Plain", "<none>")));

TEST_F(IniFileTest, OnePairOfMatchingQuotesOfEitherKindIsRemoved) {
    Write(
        "[General]\n"
        "Single='filter:testconnection'\n"
        "SingleInDouble=\"'kept'\"\n"
        "DoubleInSingle='\"kept\"'\n"
        "Mixed='open\"\n"
        "LoneSingle='\n");
    const std::pair<const char*, const char*> cases[] = {{"Single", "filter:testconnection"},
                                                         {"SingleInDouble", "'kept'"},
                                                         {"DoubleInSingle", "\"kept\""},
                                                         {"Mixed", "'open\""},
                                                         {"LoneSingle", "'"}};
    PrivateProfileFile file(path_);
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(ReadValue(file, "General", key, "<none>", 1023), expected) << key;
    }
    // A value in single quotes is written so that it reads back with them.
    WriteValue(file, "General", "Written", "'as typed'");
    ASSERT_TRUE(file.Flush());
    PrivateProfileFile again(path_);
    EXPECT_EQ(ReadValue(again, "General", "Written", "", 1023), "'as typed'");
}

TEST_F(IniFileTest, CutsAtTheMaximumLength) {
    Write("[S]\nK=\"abcdef\"\n");
    PrivateProfileFile file(path_);
    EXPECT_EQ(ReadValue(file, "S", "K", "", 4), "abcd");
    EXPECT_EQ(ReadValue(file, "S", "missing", "default", 3), "def");
}

TEST_F(IniFileTest, MissingFileGivesTheDefault) {
    PrivateProfileFile file(directory_ / "absent.ini");
    EXPECT_EQ(ReadValue(file, "S", "K", "fallback", 255), "fallback");
    EXPECT_TRUE(Sections(file).empty());
}

TEST_F(IniFileTest, Utf8OnDiskReadsAsItselfWithNamesInAnyCase) {
    Write("\xEF\xBB\xBF[Français]\r\nEuro=100 €\r\nFremd=中\r\n[Български]\r\nЛев=лв.\r\n");
    PrivateProfileFile file(path_);
    EXPECT_EQ(ReadValue(file, "FRANÇAIS", "Euro", "", 255), "100 €");
    EXPECT_EQ(ReadValue(file, "Français", "Fremd", "", 255), "中");
    EXPECT_EQ(ReadValue(file, "БЪЛГАРСКИ", "лев", "", 255), "лв.");
}

TEST_F(IniFileTest, AFileThatIsNotUtf8IsReadAsWindows1252) {
    Write(
        "[Fran\xE7"
        "ais]\nEuro=100 \x80\n");
    PrivateProfileFile file(path_);
    EXPECT_EQ(ReadValue(file, "Français", "Euro", "", 255), "100 €");
}

TEST_F(IniFileTest, ListsSectionsAndKeysOnce) {
    Write("[A]\nx=1\ny=2\n[B]\nz=3\n[a]\nX=4\nw=5\n");
    PrivateProfileFile file(path_);
    EXPECT_EQ(Sections(file), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Keys(file, "A"), (std::vector<std::string>{"x", "y", "w"}));
}

TEST_F(IniFileTest, WriteKeepsCommentsOtherSectionsAndOrder) {
    const std::string before =
        "; Kassavero status\r\n"
        "[General]\r\n"
        "Runs=0\r\n"
        "  ; keep me\r\n"
        "DDEConv=\r\n"
        "\r\n"
        "[Other]\r\n"
        "Runs=untouched\r\n";
    Write(before);
    PrivateProfileFile file(path_);
    EXPECT_TRUE(WriteValue(file, "general", "RUNS", "1"));
    EXPECT_TRUE(WriteValue(file, "General", "DDEAck", "1"));
    EXPECT_TRUE(WriteValue(file, "New", "Key", "value"));
    EXPECT_EQ(Content(), before) << "nothing reaches the disk before the flush";
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(Content(),
              "; Kassavero status\r\n"
              "[General]\r\n"
              "Runs=1\r\n"
              "  ; keep me\r\n"
              "DDEConv=\r\n"
              "DDEAck=1\r\n"
              "\r\n"
              "[Other]\r\n"
              "Runs=untouched\r\n"
              "[New]\r\n"
              "Key=value\r\n");
    EXPECT_EQ(FilesInDirectory(), 1U) << "no temporary file is left behind";
}

TEST_F(IniFileTest, WriteCreatesDirectoryFileSectionAndKey) {
    const fs::path nested = directory_ / "config" / "Kassavero" / "KASSAVR.INI";
    {
        PrivateProfileFile file(nested);
        EXPECT_TRUE(WriteValue(file, "General", "DDEStatus", "OK"));
        EXPECT_EQ(ReadValue(file, "General", "DDEStatus", "", 255), "OK");
        ASSERT_TRUE(file.Flush());
    }
    std::ifstream in(nested, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), "[General]\nDDEStatus=OK\n");
}

TEST_F(IniFileTest, LastLineWithoutLineEndGetsOne) {
    Write("[S]\na=1");
    PrivateProfileFile file(path_);
    WriteValue(file, "S", "b", "2");
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(Content(), "[S]\na=1\nb=2\n");
}

TEST_F(IniFileTest, ValuesReadBackAsWritten) {
    PrivateProfileFile file(path_);
    const std::string values[] = {"  padded  ", "\"quoted\"", "\"", "", "100 €", "a=b;c"};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        WriteValue(file, "S", "k" + std::to_string(i), values[i]);
    }
    ASSERT_TRUE(file.Flush());
    PrivateProfileFile reader(path_);
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(ReadValue(reader, "S", "k" + std::to_string(i), "<none>", 1023), values[i]);
    }
    EXPECT_NE(Content().find("k4=100 \xE2\x82\xAC\n"), std::string::npos) << "UTF-8 on disk";
}

TEST_F(IniFileTest, LineBreaksInAValueCannotAddEntries) {
    PrivateProfileFile file(path_);
    WriteValue(file, "S", "Reply", "[OK]\r\n[Evil]\nInjected=1");
    ASSERT_TRUE(file.Flush());
    PrivateProfileFile reader(path_);
    EXPECT_EQ(ReadValue(reader, "S", "Reply", "", 1023), "[OK]  [Evil] Injected=1");
    EXPECT_EQ(Sections(reader), (std::vector<std::string>{"S"}));
}

TEST_F(IniFileTest, RefusesNamesTheFormatCannotHold) {
    PrivateProfileFile file(path_);
    EXPECT_FALSE(WriteValue(file, "S", "", "v"));
    EXPECT_FALSE(WriteValue(file, "S", "a=b", "v"));
    EXPECT_FALSE(WriteValue(file, "S", "line\nbreak", "v"));
    EXPECT_FALSE(WriteValue(file, "S", " padded", "v"));
    EXPECT_FALSE(WriteValue(file, "S", ";comment", "v"));
    EXPECT_FALSE(WriteValue(file, "a]b", "k", "v"));
    EXPECT_TRUE(file.Flush());
    EXPECT_FALSE(fs::exists(path_));
}

TEST_F(IniFileTest, AChangeOnDiskIsSeenByTheNextRead) {
    Write("[S]\nk=old\n");
    PrivateProfileFile file(path_);
    EXPECT_EQ(ReadValue(file, "S", "k", "", 255), "old");
    Write("[S]\nk=new\n");  // same size, same inode, within the same timestamp tick
    EXPECT_EQ(ReadValue(file, "S", "k", "", 255), "new");
    fs::remove(path_);
    EXPECT_EQ(ReadValue(file, "S", "k", "gone", 255), "gone");
}

TEST_F(IniFileTest, FlushKeepsWhatAnotherProgramWroteMeanwhile) {
    Write("[General]\nDDEConv=\n");
    PrivateProfileFile file(path_);
    EXPECT_EQ(ReadValue(file, "General", "DDEConv", "", 255), "");
    WriteValue(file, "General", "Runs", "1");
    Write("[General]\nDDEConv=calculator:show\n");
    EXPECT_EQ(ReadValue(file, "General", "Runs", "", 255), "1") << "pending write still seen";
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(Content(), "[General]\nDDEConv=calculator:show\nRuns=1\n");
}

TEST_F(IniFileTest, AFailedFlushKeepsTheChangesForTheNextOne) {
    const fs::path blocker = directory_ / "blocker";
    std::ofstream(blocker) << "a file where a directory should be";
    PrivateProfileFile file(blocker / "status.ini");
    WriteValue(file, "General", "Runs", "1");
    EXPECT_FALSE(file.Flush());
    EXPECT_EQ(ReadValue(file, "General", "Runs", "", 255), "1");
    fs::remove(blocker);
    EXPECT_TRUE(file.Flush());
    PrivateProfileFile reader(blocker / "status.ini");
    EXPECT_EQ(ReadValue(reader, "General", "Runs", "", 255), "1");
}

TEST_F(IniFileTest, AFileFarLargerThanAnyRealOneIsNeitherReadNorReplaced) {
    Write("[General]\nRuns=1\n" + std::string(PrivateProfileFile::kMaxFileSize, ';'));
    const std::string before = Content();
    PrivateProfileFile file(path_);
    EXPECT_EQ(ReadValue(file, "General", "Runs", "none", 255), "none");
    WriteValue(file, "General", "DDEStatus", "OK");
    EXPECT_FALSE(file.Flush());
    EXPECT_EQ(Content(), before);
}

TEST_F(IniFileTest, WritesThatFailAgainAndAgainKeepOnlyTheLastValue) {
    const fs::path blocker = directory_ / "blocker";
    std::ofstream(blocker) << "a file where a directory should be";
    PrivateProfileFile file(blocker / "status.ini");
    for (int i = 0; i < 1000; ++i) {
        WriteValue(file, "General", "DDEConv", "[reply " + std::to_string(i) + "]");
        EXPECT_FALSE(file.Flush());
    }
    fs::remove(blocker);
    EXPECT_TRUE(file.Flush());
    std::ifstream in(blocker / "status.ini");
    std::ostringstream out;
    out << in.rdbuf();
    EXPECT_EQ(out.str(), "[General]\nDDEConv=[reply 999]\n");
}

TEST_F(IniFileTest, DestructionWritesPendingChanges) {
    {
        PrivateProfileFile file(path_);
        WriteValue(file, "S", "k", "v");
    }
    EXPECT_EQ(Content(), "[S]\nk=v\n");
}

TEST_F(IniFileTest, KeepsPermissionsAndWritesThroughALink) {
    Write("[S]\nk=1\n");
    ASSERT_EQ(::chmod(path_.c_str(), 0640), 0);
    const fs::path link = directory_ / "link.ini";
    fs::create_symlink(path_.filename(), link);
    PrivateProfileFile file(link);
    WriteValue(file, "S", "k", "2");
    ASSERT_TRUE(file.Flush());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Content(), "[S]\nk=2\n");
    struct stat info {};
    ASSERT_EQ(::stat(path_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640U);
}

}  // namespace
}  // namespace kassavero
