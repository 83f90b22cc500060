// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profile_settings.h"

#include <cstdlib>

#include "core/number_text.h"

namespace kassavero {
namespace {

TWaehrungsAusgabeFormat DefaultOutputFormat(CurrencyIndex c, const std::string& customCode,
                                            char decimalSeparator, char thousandSeparator) {
    TWaehrungsAusgabeFormat format;
    if (c == kEUR) {
        format.Symbol = "\x80";
    } else if (IsCustomCurrency(c)) {
        format.Symbol = customCode;
    } else {
        format.Symbol = std::string(CurrencyCode(c));
    }
    format.Decimals = DefaultDecimals(c);
    format.RoundingStrategy = IsCustomCurrency(c) ? 2 : 1;
    format.Multiple = format.Decimals == 0 ? 1.0 : 0.01;
    format.DecimalSymbol = decimalSeparator;
    format.ThousandSymbol = thousandSeparator;
    return format;
}

std::string SeparatorText(char systemSeparator) {
    std::string text = ". , ";
    if (systemSeparator != ',' && systemSeparator != '.')
        text += systemSeparator;
    return text;
}

bool ReadBool(std::string_view text) {
    return !(text.empty() || text == "0");
}

}  // namespace

ProfileSettings::ProfileSettings() {
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        CalculatorLine[c] = !IsCustomCurrency(c);
        InputAccept[c] = !IsCustomCurrency(c);
        Output[c] = DefaultOutputFormat(c, "", ',', '.');
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

std::bitset<256> SymbolSetOf(std::string_view text) {
    std::bitset<256> set;
    for (char c : text) {
        if (c != ' ')
            set.set(static_cast<unsigned char>(c));
    }
    return set;
}

std::string DisplayCurrencyCode(const ProfileSettings& settings, CurrencyIndex c) {
    if (IsCustomCurrency(c))
        return settings.CustomCurrencySymbol[c - kCUS1];
    return std::string(CurrencyCode(c));
}

std::string CurrencyName(const ProfileSettings& settings, CurrencyIndex c, int language) {
    if (IsCustomCurrency(c))
        return settings.CustomCurrencyName[c - kCUS1];
    return FixedCurrencyName(c, language);
}

CurrencyIndex CurrencyByCode(const ProfileSettings& settings, std::string_view code) {
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

void SettingsToDefaults(ProfileSettings& settings, char systemDecimalSeparator,
                        char systemThousandSeparator, CurrencyIndex homeCurrency) {
    settings.InputDecimalSymbols = SeparatorText(systemDecimalSeparator);
    settings.InputThousandSymbols = SeparatorText(systemThousandSeparator);
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        const std::string customCode =
            IsCustomCurrency(c) ? settings.CustomCurrencySymbol[c - kCUS1] : std::string();
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

std::string SettingKey::Encode(const ProfileSettings& settings, char systemDecimalSeparator) const {
    // Locate hands out a pointer for reading and writing alike; it is only read here.
    const SettingField field = Locate(const_cast<ProfileSettings&>(settings), Currency);
    switch (Type) {
        case SettingType::Bool:
            return (*std::get<bool*>(field) != Negated) ? "1" : "0";
        case SettingType::Int:
            if (auto* byte = std::get_if<std::uint8_t*>(&field))
                return std::to_string(**byte);
            return std::to_string(*std::get<int*>(field));
        case SettingType::Text:
            return *std::get<std::string*>(field);
        case SettingType::Float:
            return FormatPlainDecimal(*std::get<double*>(field), systemDecimalSeparator);
        case SettingType::Char:
            return std::to_string(static_cast<unsigned char>(*std::get<char*>(field)));
        case SettingType::List:
            return "(" + SymbolListToText(*std::get<SymbolList*>(field)) + ")";
    }
    return {};
}

void SettingKey::Decode(ProfileSettings& settings, std::string_view text,
                        char systemDecimalSeparator) const {
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
            *std::get<std::string*>(field) = std::string(text);
            break;
        case SettingType::Float:
            *std::get<double*>(field) =
                ParseDecimalStrict(text, systemDecimalSeparator).value_or(0.0);
            break;
        case SettingType::Char: {
            const long long code = std::llabs(ParseInt32(text).value_or(IntFallback));
            *std::get<char*>(field) = static_cast<char>(code % 256);
            break;
        }
        case SettingType::List: {
            // The stored text is the list between one pair of brackets.
            std::string_view inner = text.size() >= 2 ? text.substr(1, text.size() - 2) : "";
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
    void Add(std::string name, SettingType type, Locator locate,
             void (*afterRead)(ProfileSettings&) = nullptr) {
        SettingKey key;
        key.Name = std::move(name);
        key.Type = type;
        key.Locate = locate;
        key.AfterRead = afterRead;
        keys_.push_back(std::move(key));
    }
    void AddPerCurrency(CurrencyIndex c, std::string name, SettingType type, Locator locate) {
        Add(std::move(name), type, locate);
        keys_.back().Currency = c;
    }
    SettingKey& Last() { return keys_.back(); }
    std::vector<SettingKey> Take() { return std::move(keys_); }

  private:
    std::vector<SettingKey> keys_;
};

std::string Code(CurrencyIndex c) {
    return std::string(CurrencyCode(c));
}

std::vector<SettingKey> BuildKeys() {
    using T = SettingType;
    KeyTableBuilder b;
    for (CurrencyIndex cur = 0; cur < kCurrencyCount; ++cur) {
        b.AddPerCurrency(cur, "CalculatorLine" + Code(cur), T::Bool,
                         KASSAVERO_FIELD(s.CalculatorLine[c]));
    }
    b.Add("CalculatorColCurrencySymbols", T::Bool, KASSAVERO_FIELD(s.CalculatorColCurrencySymbols));
    b.Add("CalculatorColFlags", T::Bool, KASSAVERO_FIELD(s.CalculatorColFlags));
    b.Add("CalculatorColCurrencyNames", T::Bool, KASSAVERO_FIELD(s.CalculatorColCurrencyNames));
    b.Add("CalculatorColCurrencyRates", T::Bool, KASSAVERO_FIELD(s.CalculatorColCurrencyRates));
    b.Add("CalculatorPrecision", T::Int, KASSAVERO_FIELD(s.CalculatorPrecision));
    b.Add("CalculatorUseHotkey", T::Bool, KASSAVERO_FIELD(s.CalculatorUseHotkey));
    b.Add("CalculatorSingleKeyUpdate", T::Bool, KASSAVERO_FIELD(s.CalculatorSingleKeyUpdate));
    b.Add("CalculatorHotkey", T::Int, KASSAVERO_FIELD(s.CalculatorHotkey));

    for (CurrencyIndex cur = 0; cur < kCurrencyCount; ++cur) {
        b.AddPerCurrency(cur, "InputAccept" + Code(cur), T::Bool,
                         KASSAVERO_FIELD(s.InputAccept[c]));
        b.AddPerCurrency(cur, "InputSymbolsFor" + Code(cur), T::List,
                         KASSAVERO_FIELD(s.InputSymbolsFor[c]));
    }

    b.Add("InputDecimalSymbols", T::Text, KASSAVERO_FIELD(s.InputDecimalSymbols),
          [](ProfileSettings& s) { s.DecimalSymbolSet = SymbolSetOf(s.InputDecimalSymbols); });
    b.Add("InputThousandSymbols", T::Text, KASSAVERO_FIELD(s.InputThousandSymbols),
          [](ProfileSettings& s) { s.ThousandSymbolSet = SymbolSetOf(s.InputThousandSymbols); });
    // The grouping is one choice of three; a later "1" wins over an earlier one.
    b.Add("InputThousandsAlways", T::Bool, KASSAVERO_FIELD(s.InputThousandsAlways),
          [](ProfileSettings& s) {
              if (s.InputThousandsAlways)
                  s.InputThousandsSometimes = false;
          });
    b.Add("InputThousandsSometimes", T::Bool, KASSAVERO_FIELD(s.InputThousandsSometimes),
          [](ProfileSettings& s) {
              if (s.InputThousandsSometimes)
                  s.InputThousandsAlways = false;
          });
    b.Add("InputAcceptNegatives", T::Bool, KASSAVERO_FIELD(s.InputAcceptNegatives));
    b.Add("InputAcceptZero", T::Bool, KASSAVERO_FIELD(s.InputAcceptZero));
    b.Add("InputCheckForNonCurrencySymbols", T::Bool,
          KASSAVERO_FIELD(s.InputCheckForNonCurrencySymbols));
    b.Add("InputNonCurrencySymbols", T::List, KASSAVERO_FIELD(s.InputNonCurrencySymbols));
    b.Add("InputNumbersWithoutSymbols", T::Bool, KASSAVERO_FIELD(s.InputNumbersWithoutSymbols));
    b.Add("InputDefaultCurrency", T::Int, KASSAVERO_FIELD(s.InputDefaultCurrency));
    b.Add("InputCheckForDecimalsActive", T::Bool, KASSAVERO_FIELD(s.InputCheckForDecimalsActive));
    b.Add("InputCheckForDecimals", T::Int, KASSAVERO_FIELD(s.InputCheckForDecimals));
    b.Last().OutOfRangeValue = 2;
    b.Add("InputStopOnUnmarkedNumbers", T::Bool, KASSAVERO_FIELD(s.InputStopOnUnmarkedNumbers));

    for (CurrencyIndex cur = 0; cur < kCurrencyCount; ++cur) {
        const std::string p = "Output" + Code(cur);
        b.AddPerCurrency(cur, p + "CurrencySymbol", T::Text, KASSAVERO_FIELD(s.Output[c].Symbol));
        b.AddPerCurrency(cur, p + "Decimals", T::Int, KASSAVERO_FIELD(s.Output[c].Decimals));
        b.Last().IntFallback = 2;
        b.Last().OutOfRangeValue = DefaultDecimals(cur);
        b.AddPerCurrency(cur, p + "RoundingStrategy", T::Int,
                         KASSAVERO_FIELD(s.Output[c].RoundingStrategy));
        b.Last().OutOfRangeValue = IsCustomCurrency(cur) ? 2 : 1;
        b.AddPerCurrency(cur, p + "RoundToMultipleOf", T::Float,
                         KASSAVERO_FIELD(s.Output[c].Multiple));
        b.AddPerCurrency(cur, p + "RoundToSignificantDigits", T::Int,
                         KASSAVERO_FIELD(s.Output[c].SignificantDigits));
        b.Last().IntFallback = 6;
        b.Last().OutOfRangeValue = 6;
        b.AddPerCurrency(cur, p + "RoundingDirection", T::Int,
                         KASSAVERO_FIELD(s.Output[c].RoundingDirection));
        b.Last().OutOfRangeValue = 0;
        b.AddPerCurrency(cur, p + "AmountFirst", T::Bool,
                         KASSAVERO_FIELD(s.Output[c].SymbolBeforeAmount));
        b.Last().Negated = true;
        b.AddPerCurrency(cur, p + "UseCurrencySymbol", T::Bool,
                         KASSAVERO_FIELD(s.Output[c].UseSymbol));
        b.AddPerCurrency(cur, p + "DecimalSymbol", T::Char,
                         KASSAVERO_FIELD(s.Output[c].DecimalSymbol));
        b.AddPerCurrency(cur, p + "ThousandSymbol", T::Char,
                         KASSAVERO_FIELD(s.Output[c].ThousandSymbol));
        b.AddPerCurrency(cur, p + "UseThousandSymbol", T::Bool,
                         KASSAVERO_FIELD(s.Output[c].UseThousandSymbol));
        b.AddPerCurrency(cur, p + "MinusFirst", T::Bool, KASSAVERO_FIELD(s.Output[c].MinusFirst));
        b.AddPerCurrency(cur, p + "UseSeparatingSpace", T::Bool,
                         KASSAVERO_FIELD(s.Output[c].SeparatingSpace));
    }

    b.Add("OutputReplace", T::Bool, KASSAVERO_FIELD(s.OutputReplace));
    b.Add("OutputInsertOldCurrencySymbol", T::Bool,
          KASSAVERO_FIELD(s.OutputInsertOldCurrencySymbol));
    b.Add("OutputNewAmountInBrackets", T::Bool, KASSAVERO_FIELD(s.OutputNewAmountInBrackets));
    b.Add("OutputUseAlternativeBrackets", T::Bool, KASSAVERO_FIELD(s.OutputUseAlternativeBrackets));
    b.Add("OutputLeftBracket", T::Text, KASSAVERO_FIELD(s.OutputLeftBracket));
    b.Add("OutputRightBracket", T::Text, KASSAVERO_FIELD(s.OutputRightBracket));

    b.Add("WordConfirmChanges", T::Bool, KASSAVERO_FIELD(s.WordConfirmChanges));
    b.Add("WordDisplayInCalculator", T::Bool, KASSAVERO_FIELD(s.WordDisplayInCalculator));
    b.Add("WordTraceChanges", T::Bool, KASSAVERO_FIELD(s.WordTraceChanges));
    // Bold, italics and underlined are one choice of three; a later "1" wins.
    b.Add("WordChangesBold", T::Bool, KASSAVERO_FIELD(s.WordChangesBold), [](ProfileSettings& s) {
        if (s.WordChangesBold)
            s.WordChangesItalics = s.WordChangesUnderlined = false;
    });
    b.Add("WordChangesItalics", T::Bool, KASSAVERO_FIELD(s.WordChangesItalics),
          [](ProfileSettings& s) {
              if (s.WordChangesItalics)
                  s.WordChangesBold = s.WordChangesUnderlined = false;
          });
    b.Add("WordChangesUnderlined", T::Bool, KASSAVERO_FIELD(s.WordChangesUnderlined),
          [](ProfileSettings& s) {
              if (s.WordChangesUnderlined)
                  s.WordChangesBold = s.WordChangesItalics = false;
          });
    b.Add("WordChangesUseColor", T::Bool, KASSAVERO_FIELD(s.WordChangesUseColor));
    b.Add("WordChangesWhichColor", T::Int, KASSAVERO_FIELD(s.WordChangesWhichColor));
    b.Add("WordChangesShowErased", T::Bool, KASSAVERO_FIELD(s.WordChangesShowErased));
    b.Add("WordLeftMarkChanges", T::Bool, KASSAVERO_FIELD(s.WordLeftMarkChanges));

    b.Add("ExcelPrecision_ConstantCell", T::Int, KASSAVERO_FIELD(s.ExcelPrecision_ConstantCell));
    b.Add("ExcelPrecision_ConstantInFormula", T::Int,
          KASSAVERO_FIELD(s.ExcelPrecision_ConstantInFormula));
    b.Add("ExcelPrecision_Results", T::Int, KASSAVERO_FIELD(s.ExcelPrecision_Results));
    b.Add("ExcelUseCurrencySymbols", T::Bool, KASSAVERO_FIELD(s.ExcelUseCurrencySymbols));

    b.Add("ClipboardSearch", T::Bool, KASSAVERO_FIELD(s.ClipboardSearch));
    b.Add("ClipboardAsAWhole", T::Bool, KASSAVERO_FIELD(s.ClipboardAsAWhole));
    b.Add("ClipboardUseHotkey", T::Bool, KASSAVERO_FIELD(s.ClipboardUseHotkey));
    b.Add("ClipboardHotkey", T::Int, KASSAVERO_FIELD(s.ClipboardHotkey));
    b.Add("ClipboardDisplayInCalculator", T::Bool, KASSAVERO_FIELD(s.ClipboardDisplayInCalculator));
    b.Add("ClipboardReplace", T::Bool, KASSAVERO_FIELD(s.ClipboardReplace));
    b.Add("ClipboardConfirmChanges", T::Bool, KASSAVERO_FIELD(s.ClipboardConfirmChanges));

    for (int k = 0; k < 3; ++k) {
        const std::string p = "CustomCurrency" + std::to_string(k + 1);
        const auto cur = static_cast<CurrencyIndex>(kCUS1 + k);
        b.AddPerCurrency(cur, p + "Symbol", T::Text,
                         KASSAVERO_FIELD(s.CustomCurrencySymbol[c - kCUS1]));
        b.AddPerCurrency(cur, p + "Rate", T::Text,
                         KASSAVERO_FIELD(s.CustomCurrencyRate[c - kCUS1]));
        b.AddPerCurrency(cur, p + "Name", T::Text,
                         KASSAVERO_FIELD(s.CustomCurrencyName[c - kCUS1]));
    }

    b.Add("OutputDefaultCurrency", T::Int, KASSAVERO_FIELD(s.OutputDefaultCurrency));
    // Added after the others, so older files read as before; a profile stored before it
    // existed gets it switched on.
    b.Add("InputEverydayForms", T::Bool, KASSAVERO_FIELD(s.InputEverydayForms));
    b.Last().WhenMissing = "1";
    return b.Take();
}

#undef KASSAVERO_FIELD

}  // namespace

const std::vector<SettingKey>& ProfileKeys() {
    static const std::vector<SettingKey> keys = BuildKeys();
    return keys;
}

const SettingKey* FindProfileKey(std::string_view name) {
    for (const auto& key : ProfileKeys()) {
        if (key.Name == name)
            return &key;
    }
    return nullptr;
}

}  // namespace kassavero
