// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/transfer_ini_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/win1252.h"
#include "fakes/temp_dir.h"
#include "own_process.h"
#include "platform/registry_file.h"

namespace kassavero {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;

class TransferTest : public ::testing::Test {
  protected:
    TempDir temp_;
    RegistryFile store_{temp_.Path() / "Kassavero"};
    TTransferIniFile file_{store_};
};

TEST_F(TransferTest, SingleValuesMoveBothWaysAndMissingOnesStay) {
    std::string text = "kept";
    bool flag = true;
    int number = 17;
    file_.TransferString(false, "General", text, "Text");
    file_.TransferBool(false, "General", flag, "Flag");
    file_.TransferInt(false, "General", number, "Number");
    EXPECT_EQ(text, "kept");
    EXPECT_TRUE(flag);
    EXPECT_EQ(number, 17);

    text = "stored";
    flag = false;
    number = -42;
    file_.TransferString(true, "General", text, "Text");
    file_.TransferBool(true, "General", flag, "Flag");
    file_.TransferInt(true, "General", number, "Number");
    EXPECT_EQ(store_.ReadString("General", "Flag"), "0");
    EXPECT_EQ(store_.ReadString("General", "Number"), "-42");

    store_.WriteString("General", "Flag", "yes");
    store_.WriteString("General", "Number", "12abc");
    file_.TransferString(false, "General", text = "", "Text");
    file_.TransferBool(false, "General", flag, "Flag");
    file_.TransferInt(false, "General", number, "Number");
    EXPECT_EQ(text, "stored");
    EXPECT_TRUE(flag);
    EXPECT_EQ(number, 0) << "text that is not an integer reads as 0";
}

// The value names of the profile's section in the order the file holds them.
std::vector<std::string> NamesInSection(const std::string& file, const std::string& header) {
    std::istringstream in(file);
    std::vector<std::string> names;
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (line.starts_with('[')) {
            inside = line == header;
        } else if (inside && line.starts_with('"')) {
            names.push_back(line.substr(1, line.find('"', 1) - 1));
        }
    }
    return names;
}

TEST_F(TransferTest, AProfileIsWrittenInKeyOrderWithOneWriteAndReadsBackTheSame) {
    ProfileSettings saved;
    SettingsToDefaults(saved, ',', '.', kDEM);
    saved.InputSymbolsFor[kNLG] = {TCurrencySymbol::FromOptionNumber("\x83", 19)};
    saved.Output[kFRF].Multiple = 0.05;
    saved.OutputLeftBracket = "\"[\\";
    saved.InputDecimalSymbols = ". ;";
    saved.CustomCurrencySymbol[1] = "CHF";

    file_.TransferProfile(true, "Mine", saved, ',');
    EXPECT_EQ(store_.WriteCount(), 1);
    EXPECT_TRUE(saved.DecimalSymbolSet.test(';')) << "writing recomputes the symbol sets";

    const auto names = NamesInSection(ReadFileBytes(store_.FilePath()),
                                      "[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile Mine]");
    ASSERT_EQ(names.size(), ProfileKeys().size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(names[i], ProfileKeys()[i].Name);

    ProfileSettings read;
    file_.TransferProfile(false, "Mine", read, ',');
    for (const auto& key : ProfileKeys()) {
        EXPECT_EQ(key.Encode(read, ','), key.Encode(saved, ',')) << key.Name;
    }
    EXPECT_TRUE(read.DecimalSymbolSet.test(';'));
    EXPECT_EQ(store_.WriteCount(), 1) << "reading writes nothing";
}

// Symbols and names outside Windows-1252 are real characters on disk and get places
// again when a new process reads them; a profile of Western text writes the same bytes
// whatever places are taken.
TEST_F(TransferTest, TextOutsideTheCodePageSurvivesSaveAndRestart) {
    const std::string symbols =
        "=\"(\\\"\u043B\u0432.,A3\\\",\\\"\u0394\u03C1\u03C7 \u03B4\u03C1\u03C7,A3\\\")\"\n";
    ProfileSettings western;
    SettingsToDefaults(western, ',', '.', kDEM);
    file_.TransferProfile(true, "West", western, ',');
    const std::string westernBytes = ReadFileBytes(store_.FilePath());
    testing::InOwnProcess([&] {
        ProfileSettings saved;
        SettingsToDefaults(saved, ',', '.', kDEM);
        saved.InputSymbolsFor[kCUS1] = {
            TCurrencySymbol::FromOptionNumber(AdoptUtf8("\u043B\u0432."), 3),
            TCurrencySymbol::FromOptionNumber(AdoptUtf8("\u0394\u03C1\u03C7 \u03B4\u03C1\u03C7"),
                                              3)};
        saved.CustomCurrencySymbol[0] = AdoptUtf8("\u043B\u0432");
        saved.CustomCurrencyName[0] = AdoptUtf8("\u041B\u0435\u0432");
        file_.TransferProfile(true, "Mine", saved, ',');
        const std::string disk = ReadFileBytes(store_.FilePath());
        EXPECT_NE(disk.find(symbols), std::string::npos);
    });
    testing::InOwnProcess([&] {
        RegistryFile restarted(temp_.Path() / "Kassavero");
        TTransferIniFile file(restarted);
        ProfileSettings read;
        file.TransferProfile(false, "Mine", read, ',');
        ASSERT_EQ(read.InputSymbolsFor[kCUS1].size(), 2u);
        EXPECT_EQ(Win1252ToUtf8(read.InputSymbolsFor[kCUS1][0].Symbol), "\u043B\u0432.");
        EXPECT_TRUE(EqualsIgnoringCase(read.InputSymbolsFor[kCUS1][1].Symbol,
                                       Utf8ToWin1252("\u0394\u03A1\u03A7 \u0394\u03A1\u03A7")));
        EXPECT_EQ(Win1252ToUtf8(read.CustomCurrencyName[0]), "\u041B\u0435\u0432");
        const std::string before = ReadFileBytes(restarted.FilePath());
        file.TransferProfile(true, "Mine", read, ',');
        EXPECT_EQ(ReadFileBytes(restarted.FilePath()), before) << "written back as read";

        ProfileSettings again;
        file.TransferProfile(false, "West", again, ',');
        restarted.EraseSection("Profile Mine");
        file.TransferProfile(true, "West", again, ',');
        EXPECT_EQ(ReadFileBytes(restarted.FilePath()), westernBytes);
    });
}

// A file the previous version wrote on its first start, with Western text only ("€",
// "ä"): its profile, read and saved under another name, comes out line for line as that
// version wrote it, whatever places other scripts have taken.
TEST_F(TransferTest, AWesternProfileIsWrittenAsThePreviousVersionWroteIt) {
    const std::string old = ReadFileBytes(KASSAVERO_OLD_SETTINGS);
    // The lines of a profile's section, without its header.
    const auto section = [](const std::string& text, const std::string& profile) {
        std::size_t start = text.find("\\Profile " + profile + "]\n");
        if (start == std::string::npos)
            return std::string();
        start = text.find('\n', start) + 1;
        const std::size_t end = std::min(text.find("\n\n", start), text.size() - 1);
        return text.substr(start, end - start);
    };
    ASSERT_NE(section(old, "Unbenannt"), "");
    testing::InOwnProcess([&] {
        AdoptUtf8("\u043B\u0432");
        testing::WriteFileBytes(store_.FilePath(), old);
        ProfileSettings read;
        file_.TransferProfile(false, "Unbenannt", read, ',');
        file_.TransferProfile(true, "Kopie", read, ',');
        const std::string now = ReadFileBytes(store_.FilePath());
        EXPECT_TRUE(now.starts_with(old)) << "the file as it was comes first";
        EXPECT_EQ(section(now, "Kopie"), section(old, "Unbenannt"));
    });
}

TEST_F(TransferTest, LettersInIntegerKeysReadAsTheirFallbacks) {
    ProfileSettings settings;
    settings.Output[kDEM].Decimals = 4;
    settings.Output[kDEM].SignificantDigits = 9;
    settings.Output[kDEM].RoundingStrategy = 3;
    store_.WriteString("Profile P", "OutputDEMDecimals", "zwei");
    store_.WriteString("Profile P", "OutputDEMRoundToSignificantDigits", "sechs");
    store_.WriteString("Profile P", "OutputDEMRoundingStrategy", "null");
    store_.WriteString("Profile P", "OutputDEMRoundToMultipleOf", "viel");
    store_.WriteString("Profile P", "InputCheckForDecimals", "70000");
    file_.TransferProfile(false, "P", settings, ',');
    EXPECT_EQ(settings.Output[kDEM].Decimals, 2);
    EXPECT_EQ(settings.Output[kDEM].SignificantDigits, 6);
    EXPECT_EQ(settings.Output[kDEM].RoundingStrategy, 0);
    EXPECT_EQ(settings.Output[kDEM].Multiple, 0.0);
    EXPECT_EQ(settings.InputCheckForDecimals, 2);
}

TEST_F(TransferTest, MissingKeysKeepTheCurrentValueButStillUpdateWhatDependsOnThem) {
    ProfileSettings settings;
    settings.CalculatorHotkey = 0xC041;
    settings.InputThousandsAlways = true;
    settings.InputThousandsSometimes = true;  // an edit that left both options on
    settings.InputDecimalSymbols = ". x";     // edited, sets not yet recomputed
    store_.WriteString("Profile P", "OutputReplace", "1");
    // A value of another type counts as missing.
    testing::WriteFileBytes(store_.FilePath(), ReadFileBytes(store_.FilePath()) +
                                                   "\"ClipboardHotkey\"=dword:00000001\n");
    settings.ClipboardHotkey = 0xC042;
    // A profile stored before the everyday forms existed reads them switched on.
    settings.InputEverydayForms = false;

    file_.TransferProfile(false, "P", settings, ',');
    EXPECT_TRUE(settings.InputEverydayForms);
    EXPECT_TRUE(settings.OutputReplace);
    EXPECT_EQ(settings.CalculatorHotkey, 0xC041);
    EXPECT_EQ(settings.ClipboardHotkey, 0xC042);
    EXPECT_TRUE(settings.DecimalSymbolSet.test('x'));
    EXPECT_NE(settings.InputThousandsAlways, settings.InputThousandsSometimes);
}

class FakeWindow final : public FormPosition {
  public:
    int left = 100;
    int top = 200;
    int Left() const override { return left; }
    int Top() const override { return top; }
    void SetLeft(int value) override { left = value; }
    void SetTop(int value) override { top = value; }
};

TEST_F(TransferTest, WindowPositions) {
    FakeWindow window;
    TransferFormPosition(store_, "General", "CalculatorForm", window, false);
    EXPECT_EQ(window.left, 100) << "without stored values the window stays where it is";
    EXPECT_EQ(window.top, 200);

    window.left = -5;
    window.top = 7;
    TransferFormPosition(store_, "General", "CalculatorForm", window, true);
    EXPECT_EQ(store_.WriteCount(), 1);
    EXPECT_EQ(store_.ReadString("General", "CalculatorFormXPos"), "-5");
    EXPECT_EQ(store_.ReadString("General", "CalculatorFormYPos"), "7");

    FakeWindow other;
    TransferFormPosition(store_, "General", "CalculatorForm", other, false);
    EXPECT_EQ(other.left, -5);
    EXPECT_EQ(other.top, 7);
}

}  // namespace
}  // namespace kassavero
