// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/later_currencies.h"

#include <gtest/gtest.h>

namespace kassavero {
namespace {

using namespace std::chrono;

// Written out from the Council regulations that fixed each rate (amending Regulation
// (EC) No 2866/98), not from the program's table.
TEST(LaterCurrencies, MatchTheOfficialRatesAndDates) {
    struct Official {
        const char* code;
        const char* rate;
        year_month_day changeover;
        const char* regulation;
    };
    const Official official[] = {
        {"BGN", "1.95583", 2026y / 1 / 1, "(EU) 2025/1409"},
        {"HRK", "7.53450", 2023y / 1 / 1, "(EU) 2022/1208"},
        {"LTL", "3.45280", 2015y / 1 / 1, "(EU) No 851/2014"},
        {"LVL", "0.702804", 2014y / 1 / 1, "(EU) No 870/2013"},
        {"EEK", "15.6466", 2011y / 1 / 1, "(EU) No 671/2010"},
        {"SKK", "30.1260", 2009y / 1 / 1, "(EC) No 694/2008"},
        {"CYP", "0.585274", 2008y / 1 / 1, "(EC) No 1135/2007"},
        {"MTL", "0.429300", 2008y / 1 / 1, "(EC) No 1134/2007"},
        {"SIT", "239.640", 2007y / 1 / 1, "(EC) No 1086/2006"},
        {"GRD", "340.750", 2001y / 1 / 1, "(EC) No 1478/2000"},
    };
    ASSERT_EQ(LaterCurrencies().size(), std::size(official));
    for (const Official& row : official) {
        const LaterCurrency* currency = FindLaterCurrency(row.code);
        ASSERT_NE(currency, nullptr) << row.code;
        EXPECT_EQ(currency->Rate, row.rate) << row.regulation;
        EXPECT_EQ(currency->Changeover, row.changeover) << row.code;
        EXPECT_FALSE(currency->Symbols.empty()) << row.code;
    }
    EXPECT_EQ(FindLaterCurrency("DEM"), nullptr);
}

}  // namespace
}  // namespace kassavero
