// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/translation.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fakes/temp_dir.h"

namespace kassavero {
namespace {

namespace fs = std::filesystem;

// The nine texts the translation looks up when it starts, in that order.
constexpr const char* kCommonKeys =
    "Overflow Fortsetzen_SC Anhalten_SC AnfangsbuchstabeJa AnfangsbuchstabeNein Umrechnung "
    "Input Output ExcelFormel ";

class TranslationTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(directory_.empty()); }

    void Write(const std::string& content) const {
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << content;
    }

    // A file whose chosen section holds the nine common texts.
    static std::string CompleteFile(const std::string& extra) {
        return "[Allgemein]\n"
               "Sprache=Deutsch\n"
               "[Deutsch]\n"
               "Overflow=\xC3\x9C"
               "berlauf\n"
               "Fortsetzen_SC=&Fortsetzen\n"
               "Anhalten_SC=An&halten\n"
               "AnfangsbuchstabeJa=J\n"
               "AnfangsbuchstabeNein=N\n"
               "Umrechnung=Umrechnung\n"
               "Input=Input\n"
               "Output=Output\n"
               "ExcelFormel=Tabellenformel\n" +
               extra;
    }

    testing::TempDir temp_;
    const fs::path directory_ = temp_.Path();
    const fs::path path_ = directory_ / "i18n.dat";
};

TEST_F(TranslationTest, LooksUpTheChosenSection) {
    Write(
        CompleteFile("ZuVieleSessions1=\"Zu viele Sitzungen: h\xC3\xB6"
                     "chstens \"\n"
                     "[English]\nZuVieleSessions1=Too many\n"));
    Translation translation(path_);
    EXPECT_EQ(translation.LanguageSection(), U"Deutsch");
    EXPECT_EQ(translation.LanguageNumber(), 0);
    EXPECT_EQ(translation.TranslateKey("ZuVieleSessions1"), U"Zu viele Sitzungen: h\u00F6chstens ");
    EXPECT_EQ(translation.TranslateKey("zuvielesessions1"), U"Zu viele Sitzungen: h\u00F6chstens ");
    EXPECT_EQ(translation.MissingKeys(), U"");
}

TEST_F(TranslationTest, KeepsTheNineCommonTexts) {
    Write(CompleteFile(""));
    Translation translation(path_);
    const CommonTexts& common = translation.Common();
    EXPECT_EQ(common.Overflow, U"\u00DCberlauf");
    EXPECT_EQ(common.ContinueCaption, U"&Fortsetzen");
    EXPECT_EQ(common.StopCaption, U"An&halten");
    EXPECT_EQ(common.YesLetter, U"J");
    EXPECT_EQ(common.NoLetter, U"N");
    EXPECT_EQ(common.ConversionTitle, U"Umrechnung");
    EXPECT_EQ(common.InputTitle, U"Input");
    EXPECT_EQ(common.OutputTitle, U"Output");
    EXPECT_EQ(common.ExcelFormulaTitle, U"Tabellenformel");
    EXPECT_EQ(translation.MissingKeys(), U"");
}

TEST_F(TranslationTest, AKeyWithNothingAfterTheEqualsSignIsMissing) {
    Write(CompleteFile("Leer=\nBlank=   \nQuotes=\"\"\n"));
    Translation translation(path_);
    EXPECT_EQ(translation.TranslateKey("Leer"), U"");
    EXPECT_EQ(translation.TranslateKey("Blank"), U"");
    EXPECT_EQ(translation.TranslateKey("Quotes"), U"");
    EXPECT_EQ(translation.MissingKeys(), U"Leer Blank Quotes ");
}

TEST_F(TranslationTest, AMissingKeyIsListedOnEveryLookup) {
    Write(CompleteFile("Da=ja\n"));
    Translation translation(path_);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(translation.TranslateKey("Fehlt"), U"");
    EXPECT_EQ(translation.TranslateKey("Da"), U"ja");
    translation.TranslateKey("Auch");
    EXPECT_EQ(translation.MissingKeys(), U"Fehlt Fehlt Fehlt Auch ");
}

TEST_F(TranslationTest, TheMissingKeysListStopsGrowingAt1000Characters) {
    Write(CompleteFile(""));
    Translation translation(path_);
    const std::string key(99, 'k');  // 100 characters with its blank
    for (int i = 0; i < 9; ++i)
        translation.TranslateKey(key);
    EXPECT_EQ(translation.MissingKeys().size(), 900U);
    translation.TranslateKey("x");
    EXPECT_EQ(translation.MissingKeys().size(), 902U);
    translation.TranslateKey(key);  // 902 is still below the limit: this one goes in
    EXPECT_EQ(translation.MissingKeys().size(), 1002U);
    translation.TranslateKey("y");
    EXPECT_EQ(translation.MissingKeys().size(), 1002U);
    EXPECT_TRUE(translation.MissingKeys().ends_with(Utf8ToText(key) + U" "));

    Translation exact(path_);
    for (int i = 0; i < 10; ++i)
        exact.TranslateKey(key);
    EXPECT_EQ(exact.MissingKeys().size(), 1000U);
    exact.TranslateKey("z");
    EXPECT_EQ(exact.MissingKeys().size(), 1000U);
}

TEST_F(TranslationTest, WithoutFileEveryLookupIsEmptyAndListed) {
    Translation translation(directory_ / "absent.dat");
    EXPECT_EQ(translation.LanguageSection(), U"");
    EXPECT_EQ(translation.Common().Overflow, U"");
    EXPECT_EQ(translation.TranslateKey("OkButton"), U"");
    EXPECT_EQ(translation.MissingKeys(), AsciiToText(kCommonKeys) + U"OkButton ");
}

TEST_F(TranslationTest, WithoutTheChosenSectionEveryLookupIsEmpty) {
    Write("[Allgemein]\nSprache=Klingonisch\n[Deutsch]\nOkButton=&OK\n");
    Translation translation(path_);
    EXPECT_EQ(translation.LanguageSection(), U"Klingonisch");
    EXPECT_EQ(translation.LanguageNumber(), 0);
    EXPECT_EQ(translation.TranslateKey("OkButton"), U"");
    EXPECT_EQ(translation.MissingKeys(), AsciiToText(kCommonKeys) + U"OkButton ");
}

TEST_F(TranslationTest, WithoutALanguageNameEveryLookupIsEmpty) {
    Write("[Allgemein]\nSprache=\n[]\nOkButton=&OK\n");
    Translation translation(path_);
    EXPECT_EQ(translation.TranslateKey("OkButton"), U"");
    EXPECT_EQ(translation.MissingKeys(), AsciiToText(kCommonKeys) + U"OkButton ");
}

TEST_F(TranslationTest, LengthsAreCut) {
    const std::string longName(300, 'L');
    const std::string longText(2000, 't');
    Write("[Allgemein]\nSprache=" + longName + "\n[" + longName.substr(0, 255) +
          "]\nLang=" + longText + "\n");
    Translation translation(path_);
    EXPECT_EQ(translation.LanguageSection(), AsciiToText(longName.substr(0, 255)));
    EXPECT_EQ(translation.TranslateKey("Lang"), AsciiToText(longText.substr(0, 1023)));
}

TEST_F(TranslationTest, AChangedFileIsSeenByTheNextLookup) {
    Write(CompleteFile("Wechsel=vorher\n"));
    Translation translation(path_);
    EXPECT_EQ(translation.TranslateKey("Wechsel"), U"vorher");
    Write(CompleteFile("Wechsel=danach\n"));
    EXPECT_EQ(translation.TranslateKey("Wechsel"), U"danach");
    Write(CompleteFile(""));
    EXPECT_EQ(translation.TranslateKey("Wechsel"), U"");
    EXPECT_EQ(translation.MissingKeys(), U"Wechsel ");
}

TEST_F(TranslationTest, KeysWithUmlautsAndTextsInAnyScript) {
    Write(
        CompleteFile("ExcelKleinste\xC3\x9C"
                     "berweisungCBEntry=kleinste Einheit\n"
                     "[\xD0\x91\xD1\x8A\xD0\xBB\xD0\xB3\xD0\xB0\xD1\x80\xD1\x81\xD0\xBA\xD0\xB8]\n"
                     "Umrechnung="
                     "\xD0\x9F\xD1\x80\xD0\xB5\xD0\xB2\xD0\xB0\xD0\xBB\xD1\x83\xD1\x82\xD0\xB8\xD1"
                     "\x80\xD0\xB0\xD0\xBD\xD0\xB5\n"));
    Translation translation(path_);
    // The key as a UTF-8 literal of a source file, in either letter case.
    EXPECT_EQ(translation.TranslateKey("ExcelKleinste\xC3\x9C"
                                       "berweisungCBEntry"),
              U"kleinste Einheit");
    EXPECT_EQ(translation.TranslateKey("excelkleinste\xC3\xBC"
                                       "berweisungcbentry"),
              U"kleinste Einheit");
    translation.TranslateKey("ExcelKleinsteM\xC3\xBCnzeCBEntry");
    EXPECT_EQ(translation.MissingKeys(), U"ExcelKleinsteM\u00FCnzeCBEntry ");

    const fs::path user = directory_ / "user.dat";
    std::ofstream(user, std::ios::binary) << "[Allgemein]\nSprache=\xD0\x91\xD1\x8A\xD0\xBB"
                                             "\xD0\xB3\xD0\xB0\xD1\x80\xD1\x81\xD0\xBA\xD0\xB8\n";
    Translation bulgarian(path_, {user, U""});
    EXPECT_EQ(bulgarian.TranslateKey("Umrechnung"),
              U"\u041F\u0440\u0435\u0432\u0430\u043B\u0443\u0442\u0438\u0440\u0430\u043D\u0435");
}

TEST_F(TranslationTest, LanguageNumbersOfTheSectionNames) {
    // Names as they stand in the UTF-8 file.
    const std::pair<const char*, int> table[] = {
        {"Deutsch", 0},
        {"English", 1},
        {"Fran\xC3\xA7"
         "ais",
         2},
        {"Nederlands", 3},
        {"Espa\xC3\xB1ol", 4},
        {"Italiano", 7},
        {"Dansk", 0},
    };
    for (const auto& [name, number] : table) {
        Write(std::string("[Allgemein]\nSprache=") + name + "\n");
        EXPECT_EQ(Translation(path_).LanguageNumber(), number) << name;
    }
}

TEST(DesktopLanguage, FollowsTheMessageLocale) {
    struct Row {
        LocaleVariables locale;
        const char32_t* section;
    };
    const Row table[] = {
        {{"", "", "", ""}, U"English"},
        {{"", "", "", "de_DE.UTF-8"}, U"Deutsch"},
        {{"", "", "", "de_AT@euro"}, U"Deutsch"},
        {{"", "", "", "fr_BE.UTF-8"}, U"Fran\u00E7ais"},
        {{"", "", "", "nl_NL"}, U"Nederlands"},
        {{"", "", "", "es_ES.UTF-8"}, U"Espa\u00F1ol"},
        {{"", "", "", "it_CH.UTF-8"}, U"Italiano"},
        {{"", "", "", "bg_BG.UTF-8"}, U"\u0411\u044A\u043B\u0433\u0430\u0440\u0441\u043A\u0438"},
        {{"", "", "", "hr_HR.UTF-8"}, U"Hrvatski"},
        {{"", "", "", "el_CY.UTF-8"}, U"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC"},
        {{"", "", "", "pt_BR.UTF-8"}, U"English"},
        {{"", "", "", "en_GB.UTF-8"}, U"English"},
        {{"", "", "", "deu"}, U"English"},
        // LC_ALL beats LC_MESSAGES beats LANG.
        {{"", "it_IT.UTF-8", "fr_FR.UTF-8", "de_DE.UTF-8"}, U"Italiano"},
        {{"", "", "fr_FR.UTF-8", "de_DE.UTF-8"}, U"Fran\u00E7ais"},
        {{"", "C.UTF-8", "", "de_DE.UTF-8"}, U"English"},
        {{"", "", "POSIX", "de_DE.UTF-8"}, U"English"},
        // LANGUAGE: the first language there is a section for, unless the locale is C.
        {{"nl", "", "", "de_DE.UTF-8"}, U"Nederlands"},
        {{"pt_BR:es:de", "", "", "de_DE.UTF-8"}, U"Espa\u00F1ol"},
        {{"en_US:de", "", "", "de_DE.UTF-8"}, U"English"},
        {{"pt:sv", "", "", "it_IT.UTF-8"}, U"Italiano"},
        {{"::de", "", "", "fr_FR.UTF-8"}, U"Deutsch"},
        {{"de", "C.UTF-8", "", ""}, U"English"},
        {{"de", "", "", ""}, U"English"},
    };
    for (const Row& row : table) {
        EXPECT_EQ(DesktopLanguageSection(row.locale), row.section)
            << row.locale.language << " / " << row.locale.lcAll << " / " << row.locale.lcMessages
            << " / " << row.locale.lang;
    }
}

TEST_F(TranslationTest, TheLanguageComesFromUserFileThenFileThenDesktop) {
    const fs::path user = directory_ / "user" / "i18n.dat";
    fs::create_directories(user.parent_path());
    const auto writeUser = [&user](const std::string& content) {
        std::ofstream(user, std::ios::binary | std::ios::trunc) << content;
    };
    const std::string sections =
        "[Deutsch]\nOkButton=Gut\n[English]\nOkButton=Fine\n[Italiano]\nOkButton=Bene\n";
    struct Row {
        const char* shippedChoice;  // null: no "Sprache" line
        const char* userFile;       // null: no user file
        const char32_t* desktop;
        const char32_t* text;
    };
    const Row table[] = {
        {"", nullptr, U"Italiano", U"Bene"},
        {nullptr, nullptr, U"Deutsch", U"Gut"},
        {"English", nullptr, U"Deutsch", U"Fine"},
        {"", "[Allgemein]\nSprache=Deutsch\n", U"English", U"Gut"},
        {"Italiano", "[Allgemein]\nSprache=Deutsch\n", U"English", U"Gut"},
        {"Italiano", "[Allgemein]\nSprache=\n", U"English", U"Bene"},
        {"", "; nothing chosen\n", U"Italiano", U"Bene"},
        // The user's file only chooses: its texts are not looked up.
        {"", "[Allgemein]\nSprache=English\n[English]\nOkButton=Mine\n", U"Deutsch", U"Fine"},
    };
    for (const Row& row : table) {
        Write((row.shippedChoice ? std::string("[Allgemein]\nSprache=") + row.shippedChoice + "\n"
                                 : std::string()) +
              sections);
        fs::remove(user);
        if (row.userFile)
            writeUser(row.userFile);
        Translation translation(path_, {user, row.desktop});
        EXPECT_EQ(translation.TranslateKey("OkButton"), row.text)
            << (row.shippedChoice ? row.shippedChoice : "-") << " / "
            << (row.userFile ? row.userFile : "-") << " / " << TextToUtf8(row.desktop);
    }
}

}  // namespace
}  // namespace kassavero
