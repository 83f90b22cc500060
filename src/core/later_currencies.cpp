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
    {{U"лв.", kSign}, {U"лв", kSign}, {U"лева", kWord}, {U"лев", kWord}, {U"BGN", kCode}}};
constexpr std::array<LaterSymbol, 4> kHRK{
    {{U"kn", kSignAfter}, {U"kuna", kWord}, {U"kune", kWord}, {U"HRK", kCode}}};
constexpr std::array<LaterSymbol, 3> kLTL{{{U"Lt", kSignAfter}, {U"litų", kWord}, {U"LTL", kCode}}};
constexpr std::array<LaterSymbol, 3> kLVL{{{U"Ls", kSign}, {U"latu", kWord}, {U"LVL", kCode}}};
constexpr std::array<LaterSymbol, 3> kEEK{
    {{U"kr", kSignAfter}, {U"krooni", kWord}, {U"EEK", kCode}}};
// English papers write the sign before the number ("Sk37.51").
constexpr std::array<LaterSymbol, 2> kSKK{{{U"Sk", kSign}, {U"SKK", kCode}}};
constexpr std::array<LaterSymbol, 2> kCYP{{{U"£", kSign}, {U"CYP", kCode}}};
constexpr std::array<LaterSymbol, 2> kMTL{{{U"Lm", kSign}, {U"MTL", kCode}}};
constexpr std::array<LaterSymbol, 2> kSIT{{{U"SIT", kCode}, {U"tolarjev", kWord}}};
constexpr std::array<LaterSymbol, 4> kGRD{
    {{U"Δρχ.", kSign}, {U"δρχ.", kSign}, {U"δραχμές", kWord}, {U"GRD", kCode}}};

// The rates are those the Council fixed when each country joined, amending Regulation
// (EC) No 2866/98: Regulation (EU) 2025/1409 (BGN), (EU) 2022/1208 (HRK),
// (EU) No 851/2014 (LTL), (EU) No 870/2013 (LVL), (EU) No 671/2010 (EEK),
// (EC) No 694/2008 (SKK), (EC) No 1135/2007 (CYP), (EC) No 1134/2007 (MTL),
// (EC) No 1086/2006 (SIT) and (EC) No 1478/2000 (GRD).
constexpr std::array<LaterCurrency, 10> kLater{{
    {U"BGN", U"1.95583", 2026y / January / 1, U"BG", U"лв.", false, kBGN},
    {U"HRK", U"7.53450", 2023y / January / 1, U"HR", U"kn", false, kHRK},
    {U"LTL", U"3.45280", 2015y / January / 1, U"LT", U"Lt", false, kLTL},
    {U"LVL", U"0.702804", 2014y / January / 1, U"LV", U"Ls", true, kLVL},
    {U"EEK", U"15.6466", 2011y / January / 1, U"EE", U"kr", false, kEEK},
    {U"SKK", U"30.1260", 2009y / January / 1, U"SK", U"Sk", false, kSKK},
    {U"CYP", U"0.585274", 2008y / January / 1, U"CY", U"£", true, kCYP},
    {U"MTL", U"0.429300", 2008y / January / 1, U"MT", U"Lm", true, kMTL},
    {U"SIT", U"239.640", 2007y / January / 1, U"SI", U"SIT", false, kSIT},
    {U"GRD", U"340.750", 2001y / January / 1, U"GR", U"Δρχ.", true, kGRD},
}};

struct LanguageCountry {
    std::uint16_t Primary;
    std::uint16_t Sublanguage;  // 0: any
    std::u32string_view Code;
};

// Windows primary language numbers; Croatian shares its number with Serbian, whose
// sublanguages start at 2.
constexpr std::array<LanguageCountry, 10> kLanguages{{
    {0x02, 0, U"BGN"},
    {0x1A, 1, U"HRK"},
    {0x08, 2, U"CYP"},
    {0x08, 0, U"GRD"},
    {0x1B, 0, U"SKK"},
    {0x24, 0, U"SIT"},
    {0x25, 0, U"EEK"},
    {0x26, 0, U"LVL"},
    {0x27, 0, U"LTL"},
    {0x3A, 0, U"MTL"},
}};

}  // namespace

std::span<const LaterCurrency> LaterCurrencies() {
    return kLater;
}

const LaterCurrency* FindLaterCurrency(std::u32string_view code) {
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
