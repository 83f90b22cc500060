// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/later_currency_choice.h"

#include <array>
#include <string_view>
#include <utility>

#include "core/amount_format.h"
#include "settings/currency_names.h"

namespace kassavero {

void PutLaterCurrency(ProfileSettings& settings, std::size_t row, const LaterCurrency& currency,
                      std::u32string name, char32_t systemDecimalSeparator) {
    const auto slot = static_cast<CurrencyIndex>(kCUS1 + row);
    std::u32string rate(currency.Rate);
    for (char32_t& c : rate) {
        if (c == U'.')
            c = systemDecimalSeparator;
    }
    settings.CustomCurrencySymbol[row] = std::u32string(currency.Code);
    settings.CustomCurrencyRate[row] = std::move(rate);

    SymbolList& symbols = settings.InputSymbolsFor[slot];
    symbols.clear();
    for (const LaterSymbol& symbol : currency.Symbols) {
        AddSymbolIfMissing(symbols, TCurrencySymbol::FromOptionNumber(std::u32string(symbol.Text),
                                                                      symbol.Options));
    }
    // The name as the default lists of the custom currencies hold it.
    TCurrencySymbol nameEntry{
        .Symbol = name, .SpaceOptional = false, .AbbreviationDot = AbbreviationDot::Never};
    if (!name.empty())
        AddSymbolIfMissing(symbols, nameEntry);
    settings.CustomCurrencyName[row] = std::move(name);

    // Rounded to the coin, commercially; the custom currencies round by a multiple.
    TWaehrungsAusgabeFormat& output = settings.Output[slot];
    output.Symbol = std::u32string(currency.OutputSign);
    output.SymbolBeforeAmount = currency.SignBeforeAmount;
    output.UseSymbol = true;
    output.SeparatingSpace = true;
    output.Decimals = kLaterDecimals;
    output.RoundingStrategy = kRoundToMultiple;
    output.Multiple = kLaterSmallestCoin;
    output.RoundingDirection = kRoundCommercial;

    settings.InputAccept[slot] = true;
    settings.CalculatorLine[slot] = true;
}

bool ProposeLaterHomeCurrency(ProfileSettings& settings, std::uint16_t languageId,
                              Translator& translator, char32_t systemDecimalSeparator) {
    const LaterCurrency* home = LaterCurrencyOfLanguage(languageId);
    if (home == nullptr)
        return false;
    PutLaterCurrency(settings, 0, *home, LaterCurrencyName(*home, translator),
                     systemDecimalSeparator);
    settings.InputDefaultCurrency = kCUS1;
    settings.InputCheckForDecimals = kLaterDecimals;
    settings.OutputDefaultCurrency = kEUR;
    return true;
}

}  // namespace kassavero
