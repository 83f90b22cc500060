// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The 283 settings of one profile, the table of their stored keys, and the value
// encodings that turn a setting into its stored string and back.

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/char_set.h"
#include "core/currency.h"
#include "core/hotkeys.h"
#include "core/output_format.h"
#include "settings/symbol_list.h"

namespace kassavero {

struct ProfileSettings {
    ProfileSettings();

    // The replacement layout of the output options below.
    ReplacementLayout Layout() const {
        return {OutputReplace, OutputNewAmountInBrackets, OutputUseAlternativeBrackets,
                OutputLeftBracket, OutputRightBracket};
    }

    // Calculator window.
    std::array<bool, kCurrencyCount> CalculatorLine{};
    bool CalculatorColFlags = true;
    bool CalculatorColCurrencySymbols = true;
    bool CalculatorColCurrencyNames = false;
    bool CalculatorColCurrencyRates = true;
    int CalculatorPrecision = 1;
    bool CalculatorUseHotkey = true;
    int CalculatorHotkey = kHotkeyCtrl | kHotkeyAlt | 'W';
    bool CalculatorSingleKeyUpdate = true;

    // Currency symbols searched for in text.
    std::array<bool, kCurrencyCount> InputAccept{};
    std::array<SymbolList, kCurrencyCount> InputSymbolsFor;

    // Numbers in text.
    std::u32string InputDecimalSymbols = U". , ";
    std::u32string InputThousandSymbols = U". , ";
    bool InputThousandsAlways = false;
    bool InputThousandsSometimes = true;  // both false: thousands grouping "never"
    bool InputAcceptNegatives = true;
    bool InputAcceptZero = false;
    bool InputNumbersWithoutSymbols = true;
    bool InputCheckForDecimalsActive = true;
    int InputCheckForDecimals = 0;
    bool InputStopOnUnmarkedNumbers = true;
    bool InputCheckForNonCurrencySymbols = true;
    SymbolList InputNonCurrencySymbols;
    int InputDefaultCurrency = -1;  // a list position: the CurrencyIndex, -1 none
    // Amounts as people write them (magnitude words, subunits, plurals, ranges, blanks
    // between digit groups) on top of the rules above; off, only those rules count.
    bool InputEverydayForms = true;

    // Output.
    std::array<TWaehrungsAusgabeFormat, kCurrencyCount> Output;
    int OutputDefaultCurrency = 0;
    bool OutputReplace = false;
    bool OutputInsertOldCurrencySymbol = true;
    bool OutputNewAmountInBrackets = false;
    bool OutputUseAlternativeBrackets = false;
    std::u32string OutputLeftBracket = U"(";
    std::u32string OutputRightBracket = U")";

    // Custom currencies 1..3 (CurrencyIndex 11..13). An empty code: not defined.
    std::array<std::u32string, 3> CustomCurrencySymbol;
    std::array<std::u32string, 3> CustomCurrencyRate;
    std::array<std::u32string, 3> CustomCurrencyName;

    // Word processor and spreadsheet macros.
    bool WordConfirmChanges = true;
    bool WordDisplayInCalculator = true;
    bool WordTraceChanges = true;
    bool WordChangesBold = false;
    bool WordChangesItalics = false;
    bool WordChangesUnderlined = true;
    bool WordChangesUseColor = true;
    int WordChangesWhichColor = 5;
    bool WordChangesShowErased = true;
    bool WordLeftMarkChanges = false;
    int ExcelPrecision_ConstantCell = 1;
    int ExcelPrecision_ConstantInFormula = 1;
    int ExcelPrecision_Results = 1;
    bool ExcelUseCurrencySymbols = true;

    // Clipboard.
    bool ClipboardSearch = true;
    bool ClipboardAsAWhole = true;
    bool ClipboardUseHotkey = true;
    int ClipboardHotkey = kHotkeyCtrl | kHotkeyAlt | 'Z';
    bool ClipboardDisplayInCalculator = true;
    bool ClipboardReplace = false;
    bool ClipboardConfirmChanges = false;

    // Not stored: the characters of the two separator texts without the blank. They
    // change only when the profile is read or written (RecomputeSymbolSets).
    CharSet DecimalSymbolSet;
    CharSet ThousandSymbolSet;
    void RecomputeSymbolSets();

    // Bit i set when currency i has a calculator line.
    std::uint16_t CalculatorLineSet() const;

    // The list of a currency (0..13) or, for kNoCurrency, the non-currency list.
    const SymbolList& SymbolListOf(CurrencyIndex list) const;
    SymbolList& SymbolListOf(CurrencyIndex list);

    bool operator==(const ProfileSettings&) const = default;
};

// The characters of a separator text, without the blank.
CharSet SymbolSetOf(std::u32string_view text);

// The code shown for a currency: a custom currency's code as the user typed it
// (empty when undefined), else the fixed code.
std::u32string DisplayCurrencyCode(const ProfileSettings& settings, CurrencyIndex c);

// The country whose flag stands beside a currency ("DE"; "EU" for the euro), or empty: a
// custom currency shows the flag of the later euro currency whose code it holds.
std::u32string_view FlagCountry(const ProfileSettings& settings, CurrencyIndex c);

// Name of a currency in a language number (0 German, 3 Dutch, any other English);
// custom currencies take their profile names in every language.
std::u32string CurrencyName(const ProfileSettings& settings, CurrencyIndex c, int language);

// The first currency whose (display) code equals the text exactly; then "CUS1".."CUS3";
// otherwise kNoCurrency.
CurrencyIndex CurrencyByCode(const ProfileSettings& settings, std::u32string_view code);

// The defaults that depend on the machine: separators, output formats, default
// source and target currency, expected decimals, spreadsheet precisions, colour.
void SettingsToDefaults(ProfileSettings& settings, char32_t systemDecimalSeparator,
                        char32_t systemThousandSeparator, CurrencyIndex homeCurrency);

// ---- Stored keys ----

enum class SettingType { Bool, Int, Text, Float, Char, List };

using SettingField =
    std::variant<bool*, int*, std::uint8_t*, std::u32string*, double*, char32_t*, SymbolList*>;

struct SettingKey {
    std::u32string Name;
    SettingType Type;
    CurrencyIndex Currency = kNoCurrency;  // the currency of a per-currency key
    bool Negated = false;                  // the bool is stored inverted
    int IntFallback = 0;                   // an int (or char) text that does not read
    std::optional<int> OutOfRangeValue;    // replaces values outside -32768..32767
                                           // (0..255 for a one-byte field)
    // Read when a stored profile lacks the key; without it the setting keeps its value.
    const char32_t* WhenMissing = nullptr;
    SettingField (*Locate)(ProfileSettings&, CurrencyIndex) = nullptr;
    void (*AfterRead)(ProfileSettings&) = nullptr;  // radio groups, derived sets

    // The stored text of the setting.
    std::u32string Encode(const ProfileSettings& settings, char32_t systemDecimalSeparator) const;
    // Sets the setting from its stored text.
    void Decode(ProfileSettings& settings, std::u32string_view text,
                char32_t systemDecimalSeparator) const;
};

// All 283 keys, in the order a whole profile is moved between store and memory.
const std::vector<SettingKey>& ProfileKeys();

// The key of that name (exact spelling), or nullptr.
const SettingKey* FindProfileKey(std::u32string_view name);

}  // namespace kassavero
