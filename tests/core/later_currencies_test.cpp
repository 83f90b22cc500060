// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/later_currencies.h"

#include <gtest/gtest.h>

#include "core/unicode_text.h"

namespace kassavero {
namespace {

using namespace std::chrono;

// Written out from the Council regulations that fixed each rate (amending Regulation
// (EC) No 2866/98), not from the program's table.
TEST(LaterCurrencies, MatchTheOfficialRatesAndDates) {
    struct Official {
        const char32_t* code;
        const char32_t* rate;
        year_month_day changeover;
        const char32_t* regulation;
    };
    const Official official[] = {
        {U"BGN", U"1.95583", 2026y / 1 / 1, U"(EU) 2025/1409"},
        {U"HRK", U"7.53450", 2023y / 1 / 1, U"(EU) 2022/1208"},
        {U"LTL", U"3.45280", 2015y / 1 / 1, U"(EU) No 851/2014"},
        {U"LVL", U"0.702804", 2014y / 1 / 1, U"(EU) No 870/2013"},
        {U"EEK", U"15.6466", 2011y / 1 / 1, U"(EU) No 671/2010"},
        {U"SKK", U"30.1260", 2009y / 1 / 1, U"(EC) No 694/2008"},
        {U"CYP", U"0.585274", 2008y / 1 / 1, U"(EC) No 1135/2007"},
        {U"MTL", U"0.429300", 2008y / 1 / 1, U"(EC) No 1134/2007"},
        {U"SIT", U"239.640", 2007y / 1 / 1, U"(EC) No 1086/2006"},
        {U"GRD", U"340.750", 2001y / 1 / 1, U"(EC) No 1478/2000"},
    };
    ASSERT_EQ(LaterCurrencies().size(), std::size(official));
    for (const Official& row : official) {
        const LaterCurrency* currency = FindLaterCurrency(row.code);
        ASSERT_NE(currency, nullptr) << TextToUtf8(row.code);
        EXPECT_EQ(currency->Rate, row.rate) << TextToUtf8(row.regulation);
        EXPECT_EQ(currency->Changeover, row.changeover) << TextToUtf8(row.code);
        EXPECT_FALSE(currency->Symbols.empty()) << TextToUtf8(row.code);
    }
    EXPECT_EQ(FindLaterCurrency(U"DEM"), nullptr);
}

}  // namespace
}  // namespace kassavero
