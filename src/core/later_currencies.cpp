// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/later_currencies.h"

#include <array>

namespace kassavero {
namespace {

using namespace std::chrono;
using namespace later_symbol;

// Codes take either side and no blank; short signs the way they are printed; words
// only after the amount and only after a blank.
constexpr int kCode = kAfter | kBefore | kSpaceOptional;
constexpr int kSign = kAfter | kBefore | kSpaceOptional | kCaseSensitive;
constexpr int kSignAfter = kAfter | kSpaceOptional | kCaseSensitive;
constexpr int kWord = kAfter;

constexpr std::array<LaterSymbol, 5> kBGN{
    {{"лв.", kSign}, {"лв", kSign}, {"лева", kWord}, {"лев", kWord}, {"BGN", kCode}}};
constexpr std::array<LaterSymbol, 4> kHRK{
    {{"kn", kSignAfter}, {"kuna", kWord}, {"kune", kWord}, {"HRK", kCode}}};
constexpr std::array<LaterSymbol, 3> kLTL{{{"Lt", kSignAfter}, {"litų", kWord}, {"LTL", kCode}}};
constexpr std::array<LaterSymbol, 3> kLVL{{{"Ls", kSign}, {"latu", kWord}, {"LVL", kCode}}};
constexpr std::array<LaterSymbol, 3> kEEK{{{"kr", kSignAfter}, {"krooni", kWord}, {"EEK", kCode}}};
constexpr std::array<LaterSymbol, 2> kSKK{{{"Sk", kSignAfter}, {"SKK", kCode}}};
constexpr std::array<LaterSymbol, 2> kCYP{{{"£", kSign}, {"CYP", kCode}}};
constexpr std::array<LaterSymbol, 2> kMTL{{{"Lm", kSign}, {"MTL", kCode}}};
constexpr std::array<LaterSymbol, 2> kSIT{{{"SIT", kCode}, {"tolarjev", kWord}}};
constexpr std::array<LaterSymbol, 4> kGRD{
    {{"Δρχ.", kSign}, {"δρχ.", kSign}, {"δραχμές", kWord}, {"GRD", kCode}}};

// The rates are those the Council fixed when each country joined, amending Regulation
// (EC) No 2866/98: Regulation (EU) 2025/1409 (BGN), (EU) 2022/1208 (HRK),
// (EU) No 851/2014 (LTL), (EU) No 870/2013 (LVL), (EU) No 671/2010 (EEK),
// (EC) No 694/2008 (SKK), (EC) No 1135/2007 (CYP), (EC) No 1134/2007 (MTL),
// (EC) No 1086/2006 (SIT) and (EC) No 1478/2000 (GRD).
constexpr std::array<LaterCurrency, 10> kLater{{
    {"BGN", "1.95583", 2026y / January / 1, "BG", "лв.", false, kBGN},
    {"HRK", "7.53450", 2023y / January / 1, "HR", "kn", false, kHRK},
    {"LTL", "3.45280", 2015y / January / 1, "LT", "Lt", false, kLTL},
    {"LVL", "0.702804", 2014y / January / 1, "LV", "Ls", true, kLVL},
    {"EEK", "15.6466", 2011y / January / 1, "EE", "kr", false, kEEK},
    {"SKK", "30.1260", 2009y / January / 1, "SK", "Sk", false, kSKK},
    {"CYP", "0.585274", 2008y / January / 1, "CY", "£", true, kCYP},
    {"MTL", "0.429300", 2008y / January / 1, "MT", "Lm", true, kMTL},
    {"SIT", "239.640", 2007y / January / 1, "SI", "SIT", false, kSIT},
    {"GRD", "340.750", 2001y / January / 1, "GR", "Δρχ.", true, kGRD},
}};

struct LanguageCountry {
    std::uint16_t Primary;
    std::uint16_t Sublanguage;  // 0: any
    std::string_view Code;
};

// Windows primary language numbers; Croatian shares its number with Serbian, whose
// sublanguages start at 2.
constexpr std::array<LanguageCountry, 10> kLanguages{{
    {0x02, 0, "BGN"},
    {0x1A, 1, "HRK"},
    {0x08, 2, "CYP"},
    {0x08, 0, "GRD"},
    {0x1B, 0, "SKK"},
    {0x24, 0, "SIT"},
    {0x25, 0, "EEK"},
    {0x26, 0, "LVL"},
    {0x27, 0, "LTL"},
    {0x3A, 0, "MTL"},
}};

}  // namespace

std::span<const LaterCurrency> LaterCurrencies() {
    return kLater;
}

const LaterCurrency* FindLaterCurrency(std::string_view code) {
    for (const LaterCurrency& currency : kLater) {
        if (currency.Code == code)
            return &currency;
    }
    return nullptr;
}

const LaterCurrency* LaterCurrencyOfLanguage(std::uint16_t languageId) {
    const auto primary = static_cast<std::uint16_t>(languageId & 0x3FF);
    const auto sublanguage = static_cast<std::uint16_t>(languageId >> 10);
    for (const LanguageCountry& row : kLanguages) {
        if (row.Primary == primary && (row.Sublanguage == 0 || row.Sublanguage == sublanguage))
            return FindLaterCurrency(row.Code);
    }
    return nullptr;
}

}  // namespace kassavero
