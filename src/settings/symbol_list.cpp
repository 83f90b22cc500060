// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/symbol_list.h"

#include <array>

#include "core/number_text.h"
#include "core/win1252.h"

namespace kassavero {
namespace {

// The control bytes that hold extra characters (core/win1252.h) are part of an item.
bool IsListBlank(char c) {
    return c != '\0' && static_cast<unsigned char>(c) <= ' ' && !IsExtraCharacter(c);
}

bool NeedsQuotes(std::string_view item) {
    for (char c : item) {
        if (IsListBlank(c) || c == '\0' || c == ',' || c == '"')
            return true;
    }
    return false;
}

// Splits comma text: items separated by commas (blanks around them ignored); a quoted
// item runs to its closing quote with doubled quotes inside; an unquoted item ends at
// a comma, a blank or a control character. The zero character ends the text.
std::vector<std::string> SplitCommaText(std::string_view text) {
    if (const auto zero = text.find('\0'); zero != std::string_view::npos) {
        text = text.substr(0, zero);
    }
    std::vector<std::string> items;
    std::size_t i = 0;
    while (i < text.size() && IsListBlank(text[i]))
        ++i;
    while (i < text.size()) {
        std::string item;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < text.size() && !IsListBlank(text[i]) && text[i] != ',')
                item += text[i++];
        }
        items.push_back(std::move(item));
        while (i < text.size() && IsListBlank(text[i]))
            ++i;
        if (i < text.size() && text[i] == ',') {
            do {
                ++i;
            } while (i < text.size() && IsListBlank(text[i]));
        }
    }
    return items;
}

TCurrencySymbol Entry(std::string symbol, AbbreviationDot dot = AbbreviationDot::Sometimes) {
    TCurrencySymbol entry;
    entry.Symbol = std::move(symbol);
    entry.AbbreviationDot = dot;
    return entry;
}

TCurrencySymbol CodeEntry(std::string symbol) {
    return Entry(std::move(symbol), AbbreviationDot::Never);
}

TCurrencySymbol NameEntry(std::string symbol) {
    TCurrencySymbol entry = Entry(std::move(symbol), AbbreviationDot::Never);
    entry.SpaceOptional = false;
    return entry;
}

using Names = std::vector<const char*>;

void AddNames(SymbolList& list, const Names& names) {
    for (const char* name : names)
        AddSymbolIfMissing(list, NameEntry(name));
}

// Names by language for the fixed currencies: German, English, Dutch.
struct LanguageNames {
    Names german, english, dutch;
};

LanguageNames NamesOf(CurrencyIndex c) {
    switch (c) {
        case kATS:
            return {{"\xF6S", "Schilling"},
                    {"Shillings", "Schillings", "Austrian Schillings"},
                    {"Oostenrijkse schilling"}};
        case kBEF:
            return {{"luxemburgische Franc"},
                    {"Luxembourg Francs"},
                    {"Belgische frank", "Luxemburgse franc", "Luxemburgse frank"}};
        case kDEM:
            return {{"Mark"}, {"Marks", "Deutschmarks"}, {"Duitse mark"}};
        case kESP:
            return {{"Peseten"}, {"Pesetas"}, {"pesetas"}};
        case kFIM:
            return {{"Finnmark"}, {"Finnmarks"}, {}};
        case kFRF:
            return {{"Franc"}, {"Francs"}, {"Franse frank", "franc"}};
        case kITL:
            return {{"Lire"}, {"Lire"}, {"Lire"}};
        case kNLG:
            return {{"Gulden"}, {"Guilders"}, {"Nederlandse gulden", "gulden", "guldens"}};
        case kPTE:
            return {{"Escudos"}, {"Escudos"}, {"Escudos"}};
        default:
            return {{}, {}, {}};
    }
}

}  // namespace

int TCurrencySymbol::OptionNumber() const {
    int options = 0;
    if (AfterAmount)
        options |= 1;
    if (BeforeAmount)
        options |= 2;
    if (AsDecimalSeparator)
        options |= 4;
    if (CaseSensitive)
        options |= 8;
    if (SpaceOptional)
        options |= 16;
    if (AbbreviationDot == AbbreviationDot::Always)
        options |= 32;
    if (AbbreviationDot == AbbreviationDot::Sometimes)
        options |= 64;
    return options;
}

TCurrencySymbol TCurrencySymbol::FromOptionNumber(std::string symbol, int options) {
    TCurrencySymbol entry;
    entry.Symbol = std::move(symbol);
    entry.AfterAmount = (options & 1) != 0;
    entry.BeforeAmount = (options & 2) != 0;
    entry.AsDecimalSeparator = (options & 4) != 0;
    entry.CaseSensitive = (options & 8) != 0;
    entry.SpaceOptional = (options & 16) != 0;
    entry.AbbreviationDot = (options & 32)   ? AbbreviationDot::Always
                            : (options & 64) ? AbbreviationDot::Sometimes
                                             : AbbreviationDot::Never;
    return entry;
}

std::string SymbolListToText(const SymbolList& list) {
    std::string text;
    bool first = true;
    for (const auto& entry : list) {
        if (!first)
            text += ',';
        first = false;
        const std::string item = entry.Symbol + ",A" + std::to_string(entry.OptionNumber());
        if (!NeedsQuotes(item)) {
            text += item;
            continue;
        }
        text += '"';
        for (char c : item) {
            if (c == '"')
                text += '"';
            text += c;
        }
        text += '"';
    }
    return text;
}

void TextToSymbolList(std::string_view text, SymbolList& list) {
    list.clear();
    for (const std::string& item : SplitCommaText(text)) {
        const auto comma = item.rfind(',');
        if (comma == std::string::npos || comma + 1 >= item.size() || item[comma + 1] != 'A') {
            continue;
        }
        const auto options = ParseInt32(std::string_view(item).substr(comma + 2));
        if (!options)
            continue;
        list.push_back(TCurrencySymbol::FromOptionNumber(item.substr(0, comma), *options));
    }
}

void AddSymbolIfMissing(SymbolList& list, const TCurrencySymbol& entry) {
    for (const auto& existing : list) {
        if (existing.Symbol == entry.Symbol)
            return;
    }
    list.push_back(entry);
}

std::string FixedCurrencyName(CurrencyIndex c, int language) {
    static constexpr std::array<const char*, kFixedCurrencyCount> kGerman = {
        "Euro",
        "\xF6sterreichische Schilling",
        "belgische Franc",
        "deutsche Mark",
        "spanische Peseten",
        "finnische Mark",
        "franz\xF6sische Franc",
        "irische Pfund",
        "italienische Lire",
        "niederl\xE4ndische Gulden",
        "portugiesische Escudos"};
    static constexpr std::array<const char*, kFixedCurrencyCount> kDutch = {
        "Euro",
        "Oostenrijkse schilling",
        "Belgische franc",
        "Duitse mark",
        "Spaanse pesetas",
        "Finse mark",
        "Franse franc",
        "Ierse pond",
        "Italiaanse lire",
        "Nederlandse guldens",
        "Portugese escudos"};
    static constexpr std::array<const char*, kFixedCurrencyCount> kEnglish = {
        "Euro",           "Austrian Shillings", "Belgian Francs",
        "German Marks",   "Spanish Pesetas",    "Finnish Marks",
        "French Francs",  "Irish Pounds",       "Italian Lire",
        "Dutch Guilders", "Portugese Escudos"};
    if (!IsCurrency(c) || IsCustomCurrency(c))
        return "";
    switch (language) {
        case 0:
            return kGerman[c];
        case 3:
            return kDutch[c];
        default:
            return kEnglish[c];
    }
}

void DefaultCurrencySymbols(SymbolList& list, CurrencyIndex currency, const LanguageSet& languages,
                            CurrencyIndex homeCurrency, const CustomNames& customNames) {
    if (!IsCurrency(currency))
        return;
    AddSymbolIfMissing(list, CodeEntry(std::string(CurrencyCode(currency))));
    for (int language = 0; language < kLanguageNumberOther; ++language) {
        // An unnamed custom currency has no name to add: an empty symbol would match
        // nothing sensible and only shadow real entries.
        std::string name = IsCustomCurrency(currency)
                               ? customNames[static_cast<std::size_t>(currency - kCUS1)]
                               : FixedCurrencyName(currency, language);
        if (languages.test(static_cast<std::size_t>(language)) && !name.empty()) {
            AddSymbolIfMissing(list, NameEntry(std::move(name)));
        }
    }
    if (IsCustomCurrency(currency))
        return;

    switch (currency) {
        case kEUR:
            AddSymbolIfMissing(list, CodeEntry("\x80"));
            AddSymbolIfMissing(list, CodeEntry("\x80uro"));
            break;
        case kBEF:
            AddSymbolIfMissing(list, CodeEntry("LUF"));
            AddSymbolIfMissing(list, Entry("bfr"));
            break;
        case kDEM:
            AddSymbolIfMissing(list, CodeEntry("DM"));
            break;
        case kESP:
            AddSymbolIfMissing(list, Entry("pta"));
            break;
        case kFIM:
            AddSymbolIfMissing(list, Entry("FMK"));
            break;
        case kIEP:
            AddSymbolIfMissing(list, Entry("IR\xA3"));
            break;
        case kITL:
            AddSymbolIfMissing(list, Entry("lit"));
            break;
        case kNLG:
            AddSymbolIfMissing(list, Entry("hfl"));
            AddSymbolIfMissing(list, Entry("\x83"));
            break;
        case kPTE:
            AddSymbolIfMissing(list, Entry("esc"));
            break;
        default:
            break;
    }

    const LanguageNames names = NamesOf(currency);
    if (languages.test(0))
        AddNames(list, names.german);
    if (languages.test(1))
        AddNames(list, names.english);
    if (languages.test(3))
        AddNames(list, names.dutch);
    if (languages.test(2) && currency == kFRF)
        AddSymbolIfMissing(list, Entry("FF"));

    if (currency != homeCurrency)
        return;
    switch (currency) {
        case kATS:
            AddSymbolIfMissing(list, CodeEntry("S"));
            break;
        case kNLG:
            AddSymbolIfMissing(list, Entry("f"));
            AddSymbolIfMissing(list, Entry("fl"));
            break;
        case kBEF:
        case kFRF:
            AddSymbolIfMissing(list, Entry("fr"));
            break;
        case kIEP:
            AddSymbolIfMissing(list, CodeEntry("\xA3"));
            break;
        case kPTE: {
            TCurrencySymbol escudo = CodeEntry("$");
            escudo.AfterAmount = false;
            escudo.BeforeAmount = false;
            escudo.AsDecimalSeparator = true;
            AddSymbolIfMissing(list, escudo);
            break;
        }
        case kFIM:
            AddSymbolIfMissing(list, Entry("mk"));
            break;
        default:
            break;
    }
}

void DefaultNonCurrencySymbols(SymbolList& list, const LanguageSet& languages) {
    for (const char* unit : {"%", "\xA7", "\xB0", "kg", "g", "mg", "h", "min", "sec", "km", "m",
                             "cm", "mm", "m\xB2", "m\xB3"}) {
        list.push_back(Entry(unit));
    }
    if (languages.test(0)) {
        for (const char* unit : {"Liter",
                                 "St\xFC"
                                 "ck",
                                 "Stk"})
            list.push_back(Entry(unit));
    }
}

}  // namespace kassavero
