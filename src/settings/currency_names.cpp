// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/currency_names.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "i18n/language_numbers.h"

namespace kassavero {
namespace {

using FixedNames = std::array<std::u32string_view, kFixedCurrencyCount>;

// The languages of the later euro countries whose interfaces the program has; the older
// languages keep the names of the currency table.
constexpr FixedNames kBulgarian{U"Евро",
                                U"Австрийски шилинг",
                                U"Белгийски франк",
                                U"Германска марка",
                                U"Испанска песета",
                                U"Финландска марка",
                                U"Френски франк",
                                U"Ирландска лира",
                                U"Италианска лира",
                                U"Нидерландски гулден",
                                U"Португалско ескудо"};
constexpr FixedNames kCroatian{U"Euro",
                               U"Austrijski šiling",
                               U"Belgijski franak",
                               U"Njemačka marka",
                               U"Španjolska pezeta",
                               U"Finska marka",
                               U"Francuski franak",
                               U"Irska funta",
                               U"Talijanska lira",
                               U"Nizozemski gulden",
                               U"Portugalski eskudo"};
constexpr FixedNames kGreek{U"Ευρώ",
                            U"Σελίνι Αυστρίας",
                            U"Φράγκο Βελγίου",
                            U"Μάρκο Γερμανίας",
                            U"Πεσέτα Ισπανίας",
                            U"Μάρκο Φινλανδίας",
                            U"Φράγκο Γαλλίας",
                            U"Λίρα Ιρλανδίας",
                            U"Λιρέτα Ιταλίας",
                            U"Φιορίνι Ολλανδίας",
                            U"Εσκούδο Πορτογαλίας"};

const FixedNames* LaterEuroLanguageNames(std::uint16_t languageId) {
    switch (languageId & 0x3FF) {
        case 0x02:
            return &kBulgarian;
        case 0x08:
            return &kGreek;
        case 0x1A:
            // Croatian in Croatia and in Bosnia; Serbian shares the primary language.
            return languageId == 0x041A || languageId == 0x101A ? &kCroatian : nullptr;
        default:
            return nullptr;
    }
}

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

std::u32string CalculatorCurrencyName(const ProfileSettings& settings, CurrencyIndex c,
                                      std::uint16_t systemLanguageId) {
    if (c < kFixedCurrencyCount) {
        if (const FixedNames* names = LaterEuroLanguageNames(systemLanguageId))
            return std::u32string((*names)[c]);
    }
    return CurrencyName(settings, c, LanguageNumberOfLanguageId(systemLanguageId));
}

std::u32string LaterCurrencyName(const LaterCurrency& currency, Translator& translator) {
    for (const NameKey& row : kLaterNameKeys) {
        if (row.Code == currency.Code)
            return translator.TranslateKey(row.Key);
    }
    return std::u32string(currency.Code);
}

}  // namespace kassavero
