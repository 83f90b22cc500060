// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/transfer_ini_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/unicode_text.h"
#include "fakes/temp_dir.h"
#include "platform/registry_file.h"

namespace kassavero {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;

class TransferTest : public ::testing::Test {
  protected:
    TempDir temp_;
    RegistryFile store_{temp_.Path() / U"Kassavero"};
    TTransferIniFile file_{store_};
};

TEST_F(TransferTest, SingleValuesMoveBothWaysAndMissingOnesStay) {
    std::u32string text = U"kept";
    bool flag = true;
    int number = 17;
    file_.TransferString(false, U"General", text, U"Text");
    file_.TransferBool(false, U"General", flag, U"Flag");
    file_.TransferInt(false, U"General", number, U"Number");
    EXPECT_EQ(text, U"kept");
    EXPECT_TRUE(flag);
    EXPECT_EQ(number, 17);

    text = U"stored";
    flag = false;
    number = -42;
    file_.TransferString(true, U"General", text, U"Text");
    file_.TransferBool(true, U"General", flag, U"Flag");
    file_.TransferInt(true, U"General", number, U"Number");
    EXPECT_EQ(store_.ReadString(U"General", U"Flag"), U"0");
    EXPECT_EQ(store_.ReadString(U"General", U"Number"), U"-42");

    store_.WriteString(U"General", U"Flag", U"yes");
    store_.WriteString(U"General", U"Number", U"12abc");
    file_.TransferString(false, U"General", text = U"", U"Text");
    file_.TransferBool(false, U"General", flag, U"Flag");
    file_.TransferInt(false, U"General", number, U"Number");
    EXPECT_EQ(text, U"stored");
    EXPECT_TRUE(flag);
    EXPECT_EQ(number, 0) << "text that is not an integer reads as 0";
}

// The value names of the profile's section in the order the file holds them.
std::vector<std::u32string> NamesInSection(const std::u32string& file,
                                           const std::u32string& header) {
    std::vector<std::u32string> names;
    bool inside = false;
    std::size_t start = 0;
    while (start < file.size()) {
        const std::size_t end = std::min(file.find(U'\n', start), file.size());
        const std::u32string line = file.substr(start, end - start);
        if (line.starts_with(U'[')) {
            inside = line == header;
        } else if (inside && line.starts_with(U'"')) {
            names.push_back(line.substr(1, line.find(U'"', 1) - 1));
        }
        start = end + 1;
    }
    return names;
}

TEST_F(TransferTest, AProfileIsWrittenInKeyOrderWithOneWriteAndReadsBackTheSame) {
    ProfileSettings saved;
    SettingsToDefaults(saved, U',', U'.', kDEM);
    saved.InputSymbolsFor[kNLG] = {TCurrencySymbol::FromOptionNumber(U"\u0192", 19)};
    saved.Output[kFRF].Multiple = 0.05;
    saved.OutputLeftBracket = U"\"[\\";
    saved.InputDecimalSymbols = U". ;";
    saved.CustomCurrencySymbol[1] = U"CHF";

    file_.TransferProfile(true, U"Mine", saved, U',');
    EXPECT_EQ(store_.WriteCount(), 1);
    EXPECT_TRUE(saved.DecimalSymbolSet.Contains(U';')) << "writing recomputes the symbol sets";

    const auto names = NamesInSection(testing::ReadFileText(store_.FilePath()),
                                      U"[HKEY_CURRENT_USER\\Software\\Kassavero\\Profile Mine]");
    ASSERT_EQ(names.size(), ProfileKeys().size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(names[i], ProfileKeys()[i].Name);

    ProfileSettings read;
    file_.TransferProfile(false, U"Mine", read, U',');
    for (const auto& key : ProfileKeys()) {
        EXPECT_EQ(key.Encode(read, U','), key.Encode(saved, U',')) << TextToUtf8(key.Name);
    }
    EXPECT_TRUE(read.DecimalSymbolSet.Contains(U';'));
    EXPECT_EQ(store_.WriteCount(), 1) << "reading writes nothing";
}

// Symbols and names in any script, however many distinct letters, are real characters on
// disk and read back as themselves, equal to their other letter case.
TEST_F(TransferTest, TextInAnyScriptSurvivesSaveAndRestart) {
    std::u32string cyrillic;  // 60 distinct letters, capitals and small ones
    for (char32_t c = U'\u0410'; c < U'\u042E'; ++c)
        cyrillic += {c, static_cast<char32_t>(c + 0x20)};
    std::u32string greek;  // 48 distinct letters
    for (char32_t c = U'\u0391'; c <= U'\u03A9'; ++c) {
        if (c != U'\u03A2' && greek.size() < 48)
            greek += {c, LowerCase(c)};
    }
    ASSERT_EQ(cyrillic.size(), 60u);
    ASSERT_EQ(greek.size(), 48u);
    ProfileSettings saved;
    SettingsToDefaults(saved, U',', U'.', kDEM);
    saved.InputSymbolsFor[kCUS1] = {TCurrencySymbol::FromOptionNumber(cyrillic, 3),
                                    TCurrencySymbol::FromOptionNumber(greek, 3)};
    saved.CustomCurrencySymbol[0] = U"\u043B\u0432";
    saved.CustomCurrencyName[0] =
        U"\u0411\u044A\u043B\u0433\u0430\u0440\u0441\u043A\u0438 \u043B\u0435\u0432";
    saved.Output[kCUS1].Symbol = U"\u20BA";
    file_.TransferProfile(true, U"\u0411\u044A\u043B\u0433\u0430\u0440\u0441\u043A\u0438", saved,
                          U',');
    EXPECT_NE(ReadFileBytes(store_.FilePath()).find("\"\xD0\xBB\xD0\xB2\""), std::string::npos)
        << "UTF-8 on disk";

    RegistryFile restarted(temp_.Path() / "Kassavero");
    TTransferIniFile file(restarted);
    ProfileSettings read;
    file.TransferProfile(false, U"\u0431\u044A\u043B\u0433\u0430\u0440\u0441\u043A\u0438", read,
                         U',');
    ASSERT_EQ(read.InputSymbolsFor[kCUS1].size(), 2u);
    EXPECT_EQ(read.InputSymbolsFor[kCUS1][0].Symbol, cyrillic);
    EXPECT_EQ(read.InputSymbolsFor[kCUS1][1].Symbol, greek);
    EXPECT_TRUE(EqualsIgnoringCase(read.InputSymbolsFor[kCUS1][0].Symbol, LowerCase(cyrillic)));
    EXPECT_EQ(read.CustomCurrencyName[0], saved.CustomCurrencyName[0]);
    EXPECT_EQ(read.Output[kCUS1].Symbol, U"\u20BA");
}

// Numbers a profile stores with the desktop's decimal separator read the same on a desktop
// with the other one, and are written back as they were.
TEST_F(TransferTest, StoredNumbersReadTheSameOnEveryDesktop) {
    ProfileSettings greek;
    SettingsToDefaults(greek, U',', U'.', kNoCurrency);
    greek.CustomCurrencyRate[0] = U"340,750";
    greek.Output[kFRF].Multiple = 0.05;
    file_.TransferProfile(true, U"Greek", greek, U',');

    ProfileSettings read;
    file_.TransferProfile(false, U"Greek", read, U'.');
    EXPECT_EQ(read.Output[kFRF].Multiple, 0.05);
    EXPECT_EQ(read.CustomCurrencyRate[0], U"340,750");
    struct Rates final : CustomRates {
        explicit Rates(const ProfileSettings& s) : settings(s) {}
        const std::u32string& CustomRate(int index) const override {
            return settings.CustomCurrencyRate[static_cast<std::size_t>(index)];
        }
        const ProfileSettings& settings;
    } rates(read);
    EXPECT_EQ(CurrencyTable(rates, U'.', kNoCurrency).CurrencyRate(kCUS1), 340.75);
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
    testing::WriteFileBytes(store_.FilePath(), old);
    ProfileSettings read;
    file_.TransferProfile(false, U"Unbenannt", read, U',');
    file_.TransferProfile(true, U"Kopie", read, U',');
    const std::string now = ReadFileBytes(store_.FilePath());
    EXPECT_TRUE(now.starts_with(old)) << "the file as it was comes first";
    EXPECT_EQ(section(now, "Kopie"), section(old, "Unbenannt"));
}

TEST_F(TransferTest, LettersInIntegerKeysReadAsTheirFallbacks) {
    ProfileSettings settings;
    settings.Output[kDEM].Decimals = 4;
    settings.Output[kDEM].SignificantDigits = 9;
    settings.Output[kDEM].RoundingStrategy = 3;
    store_.WriteString(U"Profile P", U"OutputDEMDecimals", U"zwei");
    store_.WriteString(U"Profile P", U"OutputDEMRoundToSignificantDigits", U"sechs");
    store_.WriteString(U"Profile P", U"OutputDEMRoundingStrategy", U"null");
    store_.WriteString(U"Profile P", U"OutputDEMRoundToMultipleOf", U"viel");
    store_.WriteString(U"Profile P", U"InputCheckForDecimals", U"70000");
    file_.TransferProfile(false, U"P", settings, U',');
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
    settings.InputDecimalSymbols = U". x";    // edited, sets not yet recomputed
    store_.WriteString(U"Profile P", U"OutputReplace", U"1");
    // A value of another type counts as missing.
    testing::WriteFileBytes(store_.FilePath(), ReadFileBytes(store_.FilePath()) +
                                                   "\"ClipboardHotkey\"=dword:00000001\n");
    settings.ClipboardHotkey = 0xC042;
    // A profile stored before the everyday forms existed reads them switched on.
    settings.InputEverydayForms = false;

    file_.TransferProfile(false, U"P", settings, U',');
    EXPECT_TRUE(settings.InputEverydayForms);
    EXPECT_TRUE(settings.OutputReplace);
    EXPECT_EQ(settings.CalculatorHotkey, 0xC041);
    EXPECT_EQ(settings.ClipboardHotkey, 0xC042);
    EXPECT_TRUE(settings.DecimalSymbolSet.Contains(U'x'));
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
    TransferFormPosition(store_, U"General", U"CalculatorForm", window, false);
    EXPECT_EQ(window.left, 100) << "without stored values the window stays where it is";
    EXPECT_EQ(window.top, 200);

    window.left = -5;
    window.top = 7;
    TransferFormPosition(store_, U"General", U"CalculatorForm", window, true);
    EXPECT_EQ(store_.WriteCount(), 1);
    EXPECT_EQ(store_.ReadString(U"General", U"CalculatorFormXPos"), U"-5");
    EXPECT_EQ(store_.ReadString(U"General", U"CalculatorFormYPos"), U"7");

    FakeWindow other;
    TransferFormPosition(store_, U"General", U"CalculatorForm", other, false);
    EXPECT_EQ(other.left, -5);
    EXPECT_EQ(other.top, 7);
}

}  // namespace
}  // namespace kassavero
