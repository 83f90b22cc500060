// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix_system_info.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

#include <clocale>

#include <cstdlib>
#include <tuple>

#include "core/currency.h"

namespace kassavero {
namespace {

class LocaleLanguage : public ::testing::TestWithParam<std::tuple<const char*, std::uint16_t>> {};

TEST_P(LocaleLanguage, MapsToTheWindowsIdentifier) {
    EXPECT_EQ(LanguageIdOfLocaleName(std::get<0>(GetParam())), std::get<1>(GetParam()))
        << std::get<0>(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Table, LocaleLanguage,
    ::testing::Values(std::make_tuple("C", 0x0409), std::make_tuple("POSIX", 0x0409),
                      std::make_tuple("", 0x0409), std::make_tuple("C.UTF-8", 0x0409),
                      std::make_tuple("de_DE.UTF-8", 0x0407),
                      std::make_tuple("de_AT.UTF-8", 0x0C07), std::make_tuple("de_CH", 0x0807),
                      std::make_tuple("de_LU@euro", 0x1007), std::make_tuple("de_LI", 0x1407),
                      std::make_tuple("fr_BE.UTF-8", 0x080C), std::make_tuple("fr_FR", 0x040C),
                      std::make_tuple("fr_CA", 0x0C0C), std::make_tuple("en_IE.UTF-8", 0x1809),
                      std::make_tuple("en_US.UTF-8", 0x0409), std::make_tuple("sv_FI", 0x081D),
                      std::make_tuple("sv_SE", 0x041D), std::make_tuple("nl_BE", 0x0813),
                      std::make_tuple("pt_PT", 0x0816), std::make_tuple("es_ES", 0x0C0A),
                      std::make_tuple("ca_ES", 0x0403), std::make_tuple("eu_ES", 0x042D),
                      std::make_tuple("it_CH", 0x0810), std::make_tuple("fi_FI", 0x040B),
                      std::make_tuple("de", 0x0407), std::make_tuple("xx_YY", 0x0400),
                      std::make_tuple("bg_BG.UTF-8", 0x0402), std::make_tuple("el_CY", 0x0808),
                      std::make_tuple("mt_MT", 0x043A)));

TEST(LocaleLanguage, HomeCurrencyOfTheLocales) {
    EXPECT_EQ(HomeCurrencyForLanguage(LanguageIdOfLocaleName("de_AT.UTF-8")), kATS);
    EXPECT_EQ(HomeCurrencyForLanguage(LanguageIdOfLocaleName("de_CH.UTF-8")), kNoCurrency);
    EXPECT_EQ(HomeCurrencyForLanguage(LanguageIdOfLocaleName("fr_BE.UTF-8")), kBEF);
    EXPECT_EQ(HomeCurrencyForLanguage(LanguageIdOfLocaleName("en_IE.UTF-8")), kIEP);
    EXPECT_EQ(HomeCurrencyForLanguage(LanguageIdOfLocaleName("sv_FI.UTF-8")), kFIM);
}

class Separators
    : public ::testing::TestWithParam<std::tuple<const char*, const char*, char32_t, char32_t>> {};

TEST_P(Separators, BecomeTwoDistinctCharacters) {
    const auto& [decimal, thousand, wantDecimal, wantThousand] = GetParam();
    const NumberSeparators result = SanitizeSeparators(decimal, thousand);
    EXPECT_EQ(result.decimal, wantDecimal);
    EXPECT_EQ(result.thousand, wantThousand);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Separators,
    ::testing::Values(std::make_tuple(",", ".", U',', U'.'),            // de_DE
                      std::make_tuple(".", ",", U'.', U','),            // en_US
                      std::make_tuple(".", "", U'.', U','),             // C locale
                      std::make_tuple(",", "", U',', U'.'),             // empty after a comma
                      std::make_tuple(",", "\u202F", U',', U'\u00A0'),  // fr_FR
                      std::make_tuple(",", "\u00A0", U',', U'\u00A0'),  // no-break space
                      std::make_tuple(".", "'", U'.', U'\''),           // de_CH
                      std::make_tuple(".", "\u2019", U'.', U'\u2019'),  // right quote
                      std::make_tuple("\u066B", "\u066C", U'\u066B', U'\u066C'),  // Arabic
                      std::make_tuple(",", ",", U',', U'.'),                      // never the same
                      std::make_tuple(",.", "", U'.', U',')));                    // two characters

TEST(PosixSystemInfo, CLocaleReadsAsAnEnglishSystem) {
    ::setenv("LC_ALL", "C", 1);
    const PosixSystemInfo info;
    EXPECT_EQ(info.DecimalSeparator(), U'.');
    EXPECT_EQ(info.ThousandSeparator(), U',');
    EXPECT_EQ(info.DefaultLanguageId(), 0x0409);
    ::unsetenv("LC_ALL");
}

TEST(PosixSystemInfo, MoneyGroupingStandsInWhereNumbersHaveNone) {
    locale_t bulgarian = newlocale(LC_ALL_MASK, "bg_BG.UTF-8", nullptr);
    if (bulgarian == nullptr)
        GTEST_SKIP() << "bg_BG.UTF-8 is not generated (scripts/packages.sh generates it)";
    freelocale(bulgarian);
    ::setenv("LC_ALL", "bg_BG.UTF-8", 1);
    const PosixSystemInfo info;
    ::unsetenv("LC_ALL");
    EXPECT_EQ(info.DecimalSeparator(), U',');
    EXPECT_EQ(info.ThousandSeparator(), U'\u00A0');  // U+202F of the money format
}

}  // namespace
}  // namespace kassavero
