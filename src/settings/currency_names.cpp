// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/currency_names.h"

#include <array>
#include <string_view>

namespace kassavero {
namespace {

constexpr std::array<std::string_view, kFixedCurrencyCount> kFixedNameKeys{
    TrKey("WaehrungsnameEUR"), TrKey("WaehrungsnameATS"), TrKey("WaehrungsnameBEF"),
    TrKey("WaehrungsnameDEM"), TrKey("WaehrungsnameESP"), TrKey("WaehrungsnameFIM"),
    TrKey("WaehrungsnameFRF"), TrKey("WaehrungsnameIEP"), TrKey("WaehrungsnameITL"),
    TrKey("WaehrungsnameNLG"), TrKey("WaehrungsnamePTE"),
};

struct NameKey {
    std::u32string_view Code;
    std::string_view Key;
};

constexpr std::array<NameKey, 10> kLaterNameKeys{{
    {U"BGN", TrKey("WaehrungsnameBGN")},
    {U"HRK", TrKey("WaehrungsnameHRK")},
    {U"LTL", TrKey("WaehrungsnameLTL")},
    {U"LVL", TrKey("WaehrungsnameLVL")},
    {U"EEK", TrKey("WaehrungsnameEEK")},
    {U"SKK", TrKey("WaehrungsnameSKK")},
    {U"CYP", TrKey("WaehrungsnameCYP")},
    {U"MTL", TrKey("WaehrungsnameMTL")},
    {U"SIT", TrKey("WaehrungsnameSIT")},
    {U"GRD", TrKey("WaehrungsnameGRD")},
}};

}  // namespace

std::u32string CurrencyDisplayName(const ProfileSettings& settings, CurrencyIndex c,
                                   Translator& translator) {
    if (c < kFixedCurrencyCount)
        return translator.TranslateKey(kFixedNameKeys[c]);
    if (IsCustomCurrency(c))
        return settings.CustomCurrencyName[c - kCUS1];
    return {};
}

std::u32string LaterCurrencyName(const LaterCurrency& currency, Translator& translator) {
    for (const NameKey& row : kLaterNameKeys) {
        if (row.Code == currency.Code)
            return translator.TranslateKey(row.Key);
    }
    return std::u32string(currency.Code);
}

}  // namespace kassavero
