// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/translation.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(translation.LanguageSection(), "Deutsch");
    EXPECT_EQ(translation.LanguageNumber(), 0);
    EXPECT_EQ(translation.TranslateKey("ZuVieleSessions1"),
              "Zu viele Sitzungen: h\xF6"
              "chstens ");
    EXPECT_EQ(translation.TranslateKey("zuvielesessions1"),
              "Zu viele Sitzungen: h\xF6"
              "chstens ");
    EXPECT_EQ(translation.MissingKeys(), "");
}

TEST_F(TranslationTest, KeepsTheNineCommonTexts) {
    Write(CompleteFile(""));
    Translation translation(path_);
    const CommonTexts& common = translation.Common();
    EXPECT_EQ(common.Overflow,
              "\xDC"
              "berlauf");
    EXPECT_EQ(common.ContinueCaption, "&Fortsetzen");
    EXPECT_EQ(common.StopCaption, "An&halten");
    EXPECT_EQ(common.YesLetter, "J");
    EXPECT_EQ(common.NoLetter, "N");
    EXPECT_EQ(common.ConversionTitle, "Umrechnung");
    EXPECT_EQ(common.InputTitle, "Input");
    EXPECT_EQ(common.OutputTitle, "Output");
    EXPECT_EQ(common.ExcelFormulaTitle, "Tabellenformel");
    EXPECT_EQ(translation.MissingKeys(), "");
}

TEST_F(TranslationTest, AKeyWithNothingAfterTheEqualsSignIsMissing) {
    Write(CompleteFile("Leer=\nBlank=   \nQuotes=\"\"\n"));
    Translation translation(path_);
    EXPECT_EQ(translation.TranslateKey("Leer"), "");
    EXPECT_EQ(translation.TranslateKey("Blank"), "");
    EXPECT_EQ(translation.TranslateKey("Quotes"), "");
    EXPECT_EQ(translation.MissingKeys(), "Leer Blank Quotes ");
}

TEST_F(TranslationTest, AMissingKeyIsListedOnEveryLookup) {
    Write(CompleteFile("Da=ja\n"));
    Translation translation(path_);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(translation.TranslateKey("Fehlt"), "");
    EXPECT_EQ(translation.TranslateKey("Da"), "ja");
    translation.TranslateKey("Auch");
    EXPECT_EQ(translation.MissingKeys(), "Fehlt Fehlt Fehlt Auch ");
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
    EXPECT_TRUE(translation.MissingKeys().ends_with(key + " "));

    Translation exact(path_);
    for (int i = 0; i < 10; ++i)
        exact.TranslateKey(key);
    EXPECT_EQ(exact.MissingKeys().size(), 1000U);
    exact.TranslateKey("z");
    EXPECT_EQ(exact.MissingKeys().size(), 1000U);
}

TEST_F(TranslationTest, WithoutFileEveryLookupIsEmptyAndListed) {
    Translation translation(directory_ / "absent.dat");
    EXPECT_EQ(translation.LanguageSection(), "");
    EXPECT_EQ(translation.Common().Overflow, "");
    EXPECT_EQ(translation.TranslateKey("OkButton"), "");
    EXPECT_EQ(translation.MissingKeys(), std::string(kCommonKeys) + "OkButton ");
}

TEST_F(TranslationTest, WithoutTheChosenSectionEveryLookupIsEmpty) {
    Write("[Allgemein]\nSprache=Klingonisch\n[Deutsch]\nOkButton=&OK\n");
    Translation translation(path_);
    EXPECT_EQ(translation.LanguageSection(), "Klingonisch");
    EXPECT_EQ(translation.LanguageNumber(), 0);
    EXPECT_EQ(translation.TranslateKey("OkButton"), "");
    EXPECT_EQ(translation.MissingKeys(), std::string(kCommonKeys) + "OkButton ");
}

TEST_F(TranslationTest, WithoutALanguageNameEveryLookupIsEmpty) {
    Write("[Allgemein]\nSprache=\n[]\nOkButton=&OK\n");
    Translation translation(path_);
    EXPECT_EQ(translation.TranslateKey("OkButton"), "");
    EXPECT_EQ(translation.MissingKeys(), std::string(kCommonKeys) + "OkButton ");
}

TEST_F(TranslationTest, LengthsAreCut) {
    const std::string longName(300, 'L');
    const std::string longText(2000, 't');
    Write("[Allgemein]\nSprache=" + longName + "\n[" + longName.substr(0, 255) +
          "]\nLang=" + longText + "\n");
    Translation translation(path_);
    EXPECT_EQ(translation.LanguageSection(), longName.substr(0, 255));
    EXPECT_EQ(translation.TranslateKey("Lang"), longText.substr(0, 1023));
}

TEST_F(TranslationTest, AChangedFileIsSeenByTheNextLookup) {
    Write(CompleteFile("Wechsel=vorher\n"));
    Translation translation(path_);
    EXPECT_EQ(translation.TranslateKey("Wechsel"), "vorher");
    Write(CompleteFile("Wechsel=danach\n"));
    EXPECT_EQ(translation.TranslateKey("Wechsel"), "danach");
    Write(CompleteFile(""));
    EXPECT_EQ(translation.TranslateKey("Wechsel"), "");
    EXPECT_EQ(translation.MissingKeys(), "Wechsel ");
}

TEST_F(TranslationTest, KeysWithUmlautsInEitherEncoding) {
    Write(
        CompleteFile("ExcelKleinste\xC3\x9C"
                     "berweisungCBEntry=kleinste Einheit\n"));
    Translation translation(path_);
    // As a UTF-8 literal in a source file, and as Windows-1252 program text.
    EXPECT_EQ(translation.TranslateKey("ExcelKleinste\xC3\x9C"
                                       "berweisungCBEntry"),
              "kleinste Einheit");
    EXPECT_EQ(translation.TranslateKey("ExcelKleinste\xDC"
                                       "berweisungCBEntry"),
              "kleinste Einheit");
    translation.TranslateKey("ExcelKleinsteM\xC3\xBCnzeCBEntry");
    EXPECT_EQ(translation.MissingKeys(), "ExcelKleinsteM\xFCnzeCBEntry ");
}

TEST(TranslationKeys, NormalisedToWindows1252) {
    EXPECT_EQ(NormaliseTranslationKey("OkButton"), "OkButton");
    EXPECT_EQ(NormaliseTranslationKey("\xC3\x9C"
                                      "bernehmenButton"),
              "\xDC"
              "bernehmenButton");
    EXPECT_EQ(NormaliseTranslationKey("\xDC"
                                      "bernehmenButton"),
              "\xDC"
              "bernehmenButton");
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
        const char* section;
    };
    const Row table[] = {
        {{"", "", "", ""}, "English"},
        {{"", "", "", "de_DE.UTF-8"}, "Deutsch"},
        {{"", "", "", "de_AT@euro"}, "Deutsch"},
        {{"", "", "", "fr_BE.UTF-8"},
         "Fran\xE7"
         "ais"},
        {{"", "", "", "nl_NL"}, "Nederlands"},
        {{"", "", "", "es_ES.UTF-8"},
         "Espa\xF1"
         "ol"},
        {{"", "", "", "it_CH.UTF-8"}, "Italiano"},
        {{"", "", "", "pt_BR.UTF-8"}, "English"},
        {{"", "", "", "en_GB.UTF-8"}, "English"},
        {{"", "", "", "deu"}, "English"},
        // LC_ALL beats LC_MESSAGES beats LANG.
        {{"", "it_IT.UTF-8", "fr_FR.UTF-8", "de_DE.UTF-8"}, "Italiano"},
        {{"", "", "fr_FR.UTF-8", "de_DE.UTF-8"},
         "Fran\xE7"
         "ais"},
        {{"", "C.UTF-8", "", "de_DE.UTF-8"}, "English"},
        {{"", "", "POSIX", "de_DE.UTF-8"}, "English"},
        // LANGUAGE: the first language there is a section for, unless the locale is C.
        {{"nl", "", "", "de_DE.UTF-8"}, "Nederlands"},
        {{"pt_BR:es:de", "", "", "de_DE.UTF-8"},
         "Espa\xF1"
         "ol"},
        {{"en_US:de", "", "", "de_DE.UTF-8"}, "English"},
        {{"pt:sv", "", "", "it_IT.UTF-8"}, "Italiano"},
        {{"::de", "", "", "fr_FR.UTF-8"}, "Deutsch"},
        {{"de", "C.UTF-8", "", ""}, "English"},
        {{"de", "", "", ""}, "English"},
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
        const char* desktop;
        const char* text;
    };
    const Row table[] = {
        {"", nullptr, "Italiano", "Bene"},
        {nullptr, nullptr, "Deutsch", "Gut"},
        {"English", nullptr, "Deutsch", "Fine"},
        {"", "[Allgemein]\nSprache=Deutsch\n", "English", "Gut"},
        {"Italiano", "[Allgemein]\nSprache=Deutsch\n", "English", "Gut"},
        {"Italiano", "[Allgemein]\nSprache=\n", "English", "Bene"},
        {"", "; nothing chosen\n", "Italiano", "Bene"},
        // The user's file only chooses: its texts are not looked up.
        {"", "[Allgemein]\nSprache=English\n[English]\nOkButton=Mine\n", "Deutsch", "Fine"},
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
            << (row.userFile ? row.userFile : "-") << " / " << row.desktop;
    }
}

}  // namespace
}  // namespace kassavero
