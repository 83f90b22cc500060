// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/later_currencies.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>

namespace kassavero {
namespace {

using namespace std::chrono;

// Written out from the Council regulations that fixed each rate (amending Regulation
// (EC) No 2866/98), not from the program's table.
struct Official {
    const char* code;
    double rate;
    year_month_day changeover;
    const char* regulation;
};
constexpr Official kOfficial[] = {
    {"BGN", 1.95583, 2026y / 1 / 1, "(EU) 2025/1409"},
    {"HRK", 7.53450, 2023y / 1 / 1, "(EU) 2022/1529"},
    {"LTL", 3.45280, 2015y / 1 / 1, "(EU) No 851/2014"},
    {"LVL", 0.702804, 2014y / 1 / 1, "(EU) No 870/2013"},
    {"EEK", 15.6466, 2011y / 1 / 1, "(EU) No 671/2010"},
    {"SKK", 30.1260, 2009y / 1 / 1, "(EC) No 694/2008"},
    {"CYP", 0.585274, 2008y / 1 / 1, "(EC) No 1134/2007"},
    {"MTL", 0.429300, 2008y / 1 / 1, "(EC) No 1135/2007"},
    {"SIT", 239.640, 2007y / 1 / 1, "(EC) No 1086/2006"},
    {"GRD", 340.750, 2001y / 1 / 1, "(EC) No 1478/2000"},
};

int SignificantDigits(std::string_view rate) {
    const auto first = rate.find_first_of("123456789");
    int digits = 0;
    for (char c : rate.substr(first))
        digits += std::isdigit(static_cast<unsigned char>(c)) != 0 ? 1 : 0;
    return digits;
}

TEST(LaterCurrencies, MatchTheOfficialRatesAndDates) {
    ASSERT_EQ(LaterCurrencies().size(), std::size(kOfficial));
    for (const Official& row : kOfficial) {
        const LaterCurrency* currency = FindLaterCurrency(row.code);
        ASSERT_NE(currency, nullptr) << row.code;
        const std::string rate(currency->Rate);
        EXPECT_EQ(std::strtod(rate.c_str(), nullptr), row.rate) << row.regulation;
        EXPECT_EQ(SignificantDigits(rate), 6) << row.code;
        EXPECT_EQ(currency->Changeover, row.changeover) << row.code;
        EXPECT_FALSE(currency->Symbols.empty()) << row.code;
    }
    EXPECT_EQ(FindLaterCurrency("DEM"), nullptr);
}

TEST(LaterCurrencies, TheDesktopLanguageNamesItsCountrysCurrency) {
    const std::pair<std::uint16_t, const char*> cases[] = {
        {0x0402, "BGN"}, {0x041A, "HRK"},   {0x081A, nullptr},  // Serbian
        {0x0408, "GRD"}, {0x0808, "CYP"},   {0x043A, "MTL"},    // Greek in Cyprus, Maltese
        {0x0427, "LTL"}, {0x0407, nullptr},
    };
    for (const auto& [language, code] : cases) {
        const LaterCurrency* currency = LaterCurrencyOfLanguage(language);
        EXPECT_EQ(currency == nullptr ? nullptr : currency->Code.data(),
                  code == nullptr ? nullptr : FindLaterCurrency(code)->Code.data())
            << std::hex << language;
    }
}

}  // namespace
}  // namespace kassavero
