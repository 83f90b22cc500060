// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profile_settings.h"

#include <array>
#include <cstdlib>

#include "core/later_currencies.h"
#include "core/number_text.h"
#include "core/unicode_text.h"
#include "core/win1252.h"

namespace kassavero {
namespace {

TWaehrungsAusgabeFormat DefaultOutputFormat(CurrencyIndex c, const std::u32string& customCode,
                                            char32_t decimalSeparator, char32_t thousandSeparator) {
    TWaehrungsAusgabeFormat format;
    if (c == kEUR) {
        format.Symbol = U"€";
    } else if (IsCustomCurrency(c)) {
        format.Symbol = customCode;
    } else {
        format.Symbol = std::u32string(CurrencyCode(c));
    }
    format.Decimals = DefaultDecimals(c);
    format.RoundingStrategy = IsCustomCurrency(c) ? 2 : 1;
    format.Multiple = format.Decimals == 0 ? 1.0 : 0.01;
    format.DecimalSymbol = decimalSeparator;
    format.ThousandSymbol = thousandSeparator;
    return format;
}

std::u32string SeparatorText(char32_t systemSeparator) {
    std::u32string text = U". , ";
    if (systemSeparator != U',' && systemSeparator != U'.')
        text += systemSeparator;
    return text;
}

bool ReadBool(std::u32string_view text) {
    return !(text.empty() || text == U"0");
}

// A character setting is stored as its code: its byte in Windows-1252 where the code page
// has it, as the settings always were, else its Unicode code point (256 and above, which
// no byte is).
long long StoredCharacterCode(char32_t c) {
    if (const auto byte = CodePointToWin1252(c))
        return *byte;
    return c;
}

char32_t CharacterOfStoredCode(long long code) {
    if (code < 256)
        return Win1252ToCodePoint(static_cast<unsigned char>(code));
    if (code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF))
        return static_cast<char32_t>(code);
    return Win1252ToCodePoint(static_cast<unsigned char>(code % 256));
}

}  // namespace

ProfileSettings::ProfileSettings() {
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        CalculatorLine[c] = !IsCustomCurrency(c);
        InputAccept[c] = !IsCustomCurrency(c);
        Output[c] = DefaultOutputFormat(c, U"", U',', U'.');
    }
    RecomputeSymbolSets();
}

void ProfileSettings::RecomputeSymbolSets() {
    DecimalSymbolSet = SymbolSetOf(InputDecimalSymbols);
    ThousandSymbolSet = SymbolSetOf(InputThousandSymbols);
}

std::uint16_t ProfileSettings::CalculatorLineSet() const {
    std::uint16_t set = 0;
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        if (CalculatorLine[c])
            set = static_cast<std::uint16_t>(set | (1u << c));
    }
    return set;
}

const SymbolList& ProfileSettings::SymbolListOf(CurrencyIndex list) const {
    return IsCurrency(list) ? InputSymbolsFor[list] : InputNonCurrencySymbols;
}

SymbolList& ProfileSettings::SymbolListOf(CurrencyIndex list) {
    return IsCurrency(list) ? InputSymbolsFor[list] : InputNonCurrencySymbols;
}

CharSet SymbolSetOf(std::u32string_view text) {
    CharSet set;
    for (const char32_t c : text) {
        if (c != U' ')
            set.Add(c);
    }
    return set;
}

std::u32string DisplayCurrencyCode(const ProfileSettings& settings, CurrencyIndex c) {
    if (IsCustomCurrency(c))
        return settings.CustomCurrencySymbol[c - kCUS1];
    return std::u32string(CurrencyCode(c));
}

std::u32string_view FlagCountry(const ProfileSettings& settings, CurrencyIndex c) {
    static constexpr std::array<std::u32string_view, kFixedCurrencyCount> kCountries = {
        U"EU", U"AT", U"BE", U"DE", U"ES", U"FI", U"FR", U"IE", U"IT", U"NL", U"PT"};
    if (c < kFixedCurrencyCount)
        return kCountries[c];
    if (IsCustomCurrency(c)) {
        if (const LaterCurrency* later =
                FindLaterCurrency(settings.CustomCurrencySymbol[c - kCUS1]))
            return later->Country;
    }
    return {};
}

std::u32string CurrencyName(const ProfileSettings& settings, CurrencyIndex c, int language) {
    if (IsCustomCurrency(c))
        return settings.CustomCurrencyName[c - kCUS1];
    return FixedCurrencyName(c, language);
}

CurrencyIndex CurrencyByCode(const ProfileSettings& settings, std::u32string_view code) {
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        if (DisplayCurrencyCode(settings, c) == code)
            return c;
    }
    for (CurrencyIndex c = kCUS1; c <= kCUS3; ++c) {
        if (CurrencyCode(c) == code)
            return c;
    }
    return kNoCurrency;
}

void SettingsToDefaults(ProfileSettings& settings, char32_t systemDecimalSeparator,
                        char32_t systemThousandSeparator, CurrencyIndex homeCurrency) {
    settings.InputDecimalSymbols = SeparatorText(systemDecimalSeparator);
    settings.InputThousandSymbols = SeparatorText(systemThousandSeparator);
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        const std::u32string customCode =
            IsCustomCurrency(c) ? settings.CustomCurrencySymbol[c - kCUS1] : std::u32string();
        settings.Output[c] =
            DefaultOutputFormat(c, customCode, systemDecimalSeparator, systemThousandSeparator);
    }
    if (IsCurrency(homeCurrency)) {
        settings.InputDefaultCurrency = homeCurrency;
        settings.InputCheckForDecimals = DefaultDecimals(homeCurrency);
    }
    settings.OutputDefaultCurrency = kEUR;
    settings.ExcelPrecision_ConstantCell = 1;
    settings.ExcelPrecision_ConstantInFormula = 1;
    settings.ExcelPrecision_Results = 1;
    settings.WordChangesWhichColor = 5;
}

// ---- Encodings ----

std::u32string SettingKey::Encode(const ProfileSettings& settings,
                                  char32_t systemDecimalSeparator) const {
    // Locate hands out a pointer for reading and writing alike; it is only read here.
    const SettingField field = Locate(const_cast<ProfileSettings&>(settings), Currency);
    switch (Type) {
        case SettingType::Bool:
            return (*std::get<bool*>(field) != Negated) ? U"1" : U"0";
        case SettingType::Int:
            if (auto* byte = std::get_if<std::uint8_t*>(&field))
                return AsciiToText(std::to_string(**byte));
            return AsciiToText(std::to_string(*std::get<int*>(field)));
        case SettingType::Text:
            return *std::get<std::u32string*>(field);
        case SettingType::Float:
            return FormatPlainDecimal(*std::get<double*>(field), systemDecimalSeparator);
        case SettingType::Char:
            return AsciiToText(std::to_string(StoredCharacterCode(*std::get<char32_t*>(field))));
        case SettingType::List:
            return U"(" + SymbolListToText(*std::get<SymbolList*>(field)) + U")";
    }
    return {};
}

void SettingKey::Decode(ProfileSettings& settings, std::u32string_view text,
                        char32_t systemDecimalSeparator) const {
    const SettingField field = Locate(settings, Currency);
    switch (Type) {
        case SettingType::Bool:
            *std::get<bool*>(field) = ReadBool(text) != Negated;
            break;
        case SettingType::Int: {
            int value = ParseInt32(text).value_or(IntFallback);
            auto* byte = std::get_if<std::uint8_t*>(&field);
            // A setting kept in one byte holds 0..255; a number beyond that is out of
            // range like any other, never wrapped round (256 is not the smallest coin).
            const bool outOfRange =
                byte != nullptr ? value < 0 || value > 255 : value < -32768 || value > 32767;
            if (OutOfRangeValue && outOfRange)
                value = *OutOfRangeValue;
            if (byte != nullptr) {
                **byte = static_cast<std::uint8_t>(value);
            } else {
                *std::get<int*>(field) = value;
            }
            break;
        }
        case SettingType::Text:
            *std::get<std::u32string*>(field) = std::u32string(text);
            break;
        case SettingType::Float:
            *std::get<double*>(field) =
                ParseStoredDecimal(text, systemDecimalSeparator).value_or(0.0);
            break;
        case SettingType::Char: {
            const long long code = std::llabs(ParseInt32(text).value_or(IntFallback));
            *std::get<char32_t*>(field) = CharacterOfStoredCode(code);
            break;
        }
        case SettingType::List: {
            // The stored text is the list between one pair of brackets.
            std::u32string_view inner = text.size() >= 2 ? text.substr(1, text.size() - 2) : U"";
            TextToSymbolList(inner, *std::get<SymbolList*>(field));
            break;
        }
    }
    if (AfterRead != nullptr)
        AfterRead(settings);
}

// ---- The key table ----

namespace {

using Locator = SettingField (*)(ProfileSettings&, CurrencyIndex);

#define KASSAVERO_FIELD(expr)                                 \
    [](ProfileSettings& s, CurrencyIndex c) -> SettingField { \
        (void)c;                                              \
        return &(expr);                                       \
    }

class KeyTableBuilder {
  public:
    void Add(std::u32string name, SettingType type, Locator locate,
             void (*afterRead)(ProfileSettings&) = nullptr) {
        SettingKey key;
        key.Name = std::move(name);
        key.Type = type;
        key.Locate = locate;
        key.AfterRead = afterRead;
        keys_.push_back(std::move(key));
    }
    void AddPerCurrency(CurrencyIndex c, std::u32string name, SettingType type, Locator locate) {
        Add(std::move(name), type, locate);
        keys_.back().Currency = c;
    }
    SettingKey& Last() { return keys_.back(); }
    std::vector<SettingKey> Take() { return std::move(keys_); }

  private:
    std::vector<SettingKey> keys_;
};

std::u32string Code(CurrencyIndex c) {
    return std::u32string(CurrencyCode(c));
}

std::vector<SettingKey> BuildKeys() {
    using T = SettingType;
    KeyTableBuilder b;
    for (CurrencyIndex cur = 0; cur < kCurrencyCount; ++cur) {
        b.AddPerCurrency(cur, U"CalculatorLine" + Code(cur), T::Bool,
                         KASSAVERO_FIELD(s.CalculatorLine[c]));
    }
    b.Add(U"CalculatorColCurrencySymbols", T::Bool,
          KASSAVERO_FIELD(s.CalculatorColCurrencySymbols));
    b.Add(U"CalculatorColFlags", T::Bool, KASSAVERO_FIELD(s.CalculatorColFlags));
    b.Add(U"CalculatorColCurrencyNames", T::Bool, KASSAVERO_FIELD(s.CalculatorColCurrencyNames));
    b.Add(U"CalculatorColCurrencyRates", T::Bool, KASSAVERO_FIELD(s.CalculatorColCurrencyRates));
    b.Add(U"CalculatorPrecision", T::Int, KASSAVERO_FIELD(s.CalculatorPrecision));
    b.Add(U"CalculatorUseHotkey", T::Bool, KASSAVERO_FIELD(s.CalculatorUseHotkey));
    b.Add(U"CalculatorSingleKeyUpdate", T::Bool, KASSAVERO_FIELD(s.CalculatorSingleKeyUpdate));
    b.Add(U"CalculatorHotkey", T::Int, KASSAVERO_FIELD(s.CalculatorHotkey));

    for (CurrencyIndex cur = 0; cur < kCurrencyCount; ++cur) {
        b.AddPerCurrency(cur, U"InputAccept" + Code(cur), T::Bool,
                         KASSAVERO_FIELD(s.InputAccept[c]));
        b.AddPerCurrency(cur, U"InputSymbolsFor" + Code(cur), T::List,
                         KASSAVERO_FIELD(s.InputSymbolsFor[c]));
    }

    b.Add(U"InputDecimalSymbols", T::Text, KASSAVERO_FIELD(s.InputDecimalSymbols),
          [](ProfileSettings& s) { s.DecimalSymbolSet = SymbolSetOf(s.InputDecimalSymbols); });
    b.Add(U"InputThousandSymbols", T::Text, KASSAVERO_FIELD(s.InputThousandSymbols),
          [](ProfileSettings& s) { s.ThousandSymbolSet = SymbolSetOf(s.InputThousandSymbols); });
    // The grouping is one choice of three; a later "1" wins over an earlier one.
    b.Add(U"InputThousandsAlways", T::Bool, KASSAVERO_FIELD(s.InputThousandsAlways),
          [](ProfileSettings& s) {
              if (s.InputThousandsAlways)
                  s.InputThousandsSometimes = false;
          });
    b.Add(U"InputThousandsSometimes", T::Bool, KASSAVERO_FIELD(s.InputThousandsSometimes),
          [](ProfileSettings& s) {
              if (s.InputThousandsSometimes)
                  s.InputThousandsAlways = false;
          });
    b.Add(U"InputAcceptNegatives", T::Bool, KASSAVERO_FIELD(s.InputAcceptNegatives));
    b.Add(U"InputAcceptZero", T::Bool, KASSAVERO_FIELD(s.InputAcceptZero));
    b.Add(U"InputCheckForNonCurrencySymbols", T::Bool,
          KASSAVERO_FIELD(s.InputCheckForNonCurrencySymbols));
    b.Add(U"InputNonCurrencySymbols", T::List, KASSAVERO_FIELD(s.InputNonCurrencySymbols));
    b.Add(U"InputNumbersWithoutSymbols", T::Bool, KASSAVERO_FIELD(s.InputNumbersWithoutSymbols));
    b.Add(U"InputDefaultCurrency", T::Int, KASSAVERO_FIELD(s.InputDefaultCurrency));
    b.Add(U"InputCheckForDecimalsActive", T::Bool, KASSAVERO_FIELD(s.InputCheckForDecimalsActive));
    b.Add(U"InputCheckForDecimals", T::Int, KASSAVERO_FIELD(s.InputCheckForDecimals));
    b.Last().OutOfRangeValue = 2;
    b.Add(U"InputStopOnUnmarkedNumbers", T::Bool, KASSAVERO_FIELD(s.InputStopOnUnmarkedNumbers));

    for (CurrencyIndex cur = 0; cur < kCurrencyCount; ++cur) {
        const std::u32string p = U"Output" + Code(cur);
        b.AddPerCurrency(cur, p + U"CurrencySymbol", T::Text, KASSAVERO_FIELD(s.Output[c].Symbol));
        b.AddPerCurrency(cur, p + U"Decimals", T::Int, KASSAVERO_FIELD(s.Output[c].Decimals));
        b.Last().IntFallback = 2;
        b.Last().OutOfRangeValue = DefaultDecimals(cur);
        b.AddPerCurrency(cur, p + U"RoundingStrategy", T::Int,
                         KASSAVERO_FIELD(s.Output[c].RoundingStrategy));
        b.Last().OutOfRangeValue = IsCustomCurrency(cur) ? 2 : 1;
        b.AddPerCurrency(cur, p + U"RoundToMultipleOf", T::Float,
                         KASSAVERO_FIELD(s.Output[c].Multiple));
        b.AddPerCurrency(cur, p + U"RoundToSignificantDigits", T::Int,
                         KASSAVERO_FIELD(s.Output[c].SignificantDigits));
        b.Last().IntFallback = 6;
        b.Last().OutOfRangeValue = 6;
        b.AddPerCurrency(cur, p + U"RoundingDirection", T::Int,
                         KASSAVERO_FIELD(s.Output[c].RoundingDirection));
        b.Last().OutOfRangeValue = 0;
        b.AddPerCurrency(cur, p + U"AmountFirst", T::Bool,
                         KASSAVERO_FIELD(s.Output[c].SymbolBeforeAmount));
        b.Last().Negated = true;
        b.AddPerCurrency(cur, p + U"UseCurrencySymbol", T::Bool,
                         KASSAVERO_FIELD(s.Output[c].UseSymbol));
        b.AddPerCurrency(cur, p + U"DecimalSymbol", T::Char,
                         KASSAVERO_FIELD(s.Output[c].DecimalSymbol));
        b.AddPerCurrency(cur, p + U"ThousandSymbol", T::Char,
                         KASSAVERO_FIELD(s.Output[c].ThousandSymbol));
        b.AddPerCurrency(cur, p + U"UseThousandSymbol", T::Bool,
                         KASSAVERO_FIELD(s.Output[c].UseThousandSymbol));
        b.AddPerCurrency(cur, p + U"MinusFirst", T::Bool, KASSAVERO_FIELD(s.Output[c].MinusFirst));
        b.AddPerCurrency(cur, p + U"UseSeparatingSpace", T::Bool,
                         KASSAVERO_FIELD(s.Output[c].SeparatingSpace));
    }

    b.Add(U"OutputReplace", T::Bool, KASSAVERO_FIELD(s.OutputReplace));
    b.Add(U"OutputInsertOldCurrencySymbol", T::Bool,
          KASSAVERO_FIELD(s.OutputInsertOldCurrencySymbol));
    b.Add(U"OutputNewAmountInBrackets", T::Bool, KASSAVERO_FIELD(s.OutputNewAmountInBrackets));
    b.Add(U"OutputUseAlternativeBrackets", T::Bool,
          KASSAVERO_FIELD(s.OutputUseAlternativeBrackets));
    b.Add(U"OutputLeftBracket", T::Text, KASSAVERO_FIELD(s.OutputLeftBracket));
    b.Add(U"OutputRightBracket", T::Text, KASSAVERO_FIELD(s.OutputRightBracket));

    b.Add(U"WordConfirmChanges", T::Bool, KASSAVERO_FIELD(s.WordConfirmChanges));
    b.Add(U"WordDisplayInCalculator", T::Bool, KASSAVERO_FIELD(s.WordDisplayInCalculator));
    b.Add(U"WordTraceChanges", T::Bool, KASSAVERO_FIELD(s.WordTraceChanges));
    // Bold, italics and underlined are one choice of three; a later "1" wins.
    b.Add(U"WordChangesBold", T::Bool, KASSAVERO_FIELD(s.WordChangesBold), [](ProfileSettings& s) {
        if (s.WordChangesBold)
            s.WordChangesItalics = s.WordChangesUnderlined = false;
    });
    b.Add(U"WordChangesItalics", T::Bool, KASSAVERO_FIELD(s.WordChangesItalics),
          [](ProfileSettings& s) {
              if (s.WordChangesItalics)
                  s.WordChangesBold = s.WordChangesUnderlined = false;
          });
    b.Add(U"WordChangesUnderlined", T::Bool, KASSAVERO_FIELD(s.WordChangesUnderlined),
          [](ProfileSettings& s) {
              if (s.WordChangesUnderlined)
                  s.WordChangesBold = s.WordChangesItalics = false;
          });
    b.Add(U"WordChangesUseColor", T::Bool, KASSAVERO_FIELD(s.WordChangesUseColor));
    b.Add(U"WordChangesWhichColor", T::Int, KASSAVERO_FIELD(s.WordChangesWhichColor));
    b.Add(U"WordChangesShowErased", T::Bool, KASSAVERO_FIELD(s.WordChangesShowErased));
    b.Add(U"WordLeftMarkChanges", T::Bool, KASSAVERO_FIELD(s.WordLeftMarkChanges));

    b.Add(U"ExcelPrecision_ConstantCell", T::Int, KASSAVERO_FIELD(s.ExcelPrecision_ConstantCell));
    b.Add(U"ExcelPrecision_ConstantInFormula", T::Int,
          KASSAVERO_FIELD(s.ExcelPrecision_ConstantInFormula));
    b.Add(U"ExcelPrecision_Results", T::Int, KASSAVERO_FIELD(s.ExcelPrecision_Results));
    b.Add(U"ExcelUseCurrencySymbols", T::Bool, KASSAVERO_FIELD(s.ExcelUseCurrencySymbols));

    b.Add(U"ClipboardSearch", T::Bool, KASSAVERO_FIELD(s.ClipboardSearch));
    b.Add(U"ClipboardAsAWhole", T::Bool, KASSAVERO_FIELD(s.ClipboardAsAWhole));
    b.Add(U"ClipboardUseHotkey", T::Bool, KASSAVERO_FIELD(s.ClipboardUseHotkey));
    b.Add(U"ClipboardHotkey", T::Int, KASSAVERO_FIELD(s.ClipboardHotkey));
    b.Add(U"ClipboardDisplayInCalculator", T::Bool,
          KASSAVERO_FIELD(s.ClipboardDisplayInCalculator));
    b.Add(U"ClipboardReplace", T::Bool, KASSAVERO_FIELD(s.ClipboardReplace));
    b.Add(U"ClipboardConfirmChanges", T::Bool, KASSAVERO_FIELD(s.ClipboardConfirmChanges));

    for (int k = 0; k < 3; ++k) {
        const std::u32string p = U"CustomCurrency" + AsciiToText(std::to_string(k + 1));
        const auto cur = static_cast<CurrencyIndex>(kCUS1 + k);
        b.AddPerCurrency(cur, p + U"Symbol", T::Text,
                         KASSAVERO_FIELD(s.CustomCurrencySymbol[c - kCUS1]));
        b.AddPerCurrency(cur, p + U"Rate", T::Text,
                         KASSAVERO_FIELD(s.CustomCurrencyRate[c - kCUS1]));
        b.AddPerCurrency(cur, p + U"Name", T::Text,
                         KASSAVERO_FIELD(s.CustomCurrencyName[c - kCUS1]));
    }

    b.Add(U"OutputDefaultCurrency", T::Int, KASSAVERO_FIELD(s.OutputDefaultCurrency));
    // Added after the others, so older files read as before; a profile stored before it
    // existed gets it switched on.
    b.Add(U"InputEverydayForms", T::Bool, KASSAVERO_FIELD(s.InputEverydayForms));
    b.Last().WhenMissing = U"1";
    return b.Take();
}

#undef KASSAVERO_FIELD

}  // namespace

const std::vector<SettingKey>& ProfileKeys() {
    static const std::vector<SettingKey> keys = BuildKeys();
    return keys;
}

const SettingKey* FindProfileKey(std::u32string_view name) {
    for (const auto& key : ProfileKeys()) {
        if (key.Name == name)
            return &key;
    }
    return nullptr;
}

}  // namespace kassavero
