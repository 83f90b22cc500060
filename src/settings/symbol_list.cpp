// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/symbol_list.h"

#include <array>

#include "core/number_text.h"
#include "core/unicode_text.h"

namespace kassavero {
namespace {

bool IsListBlank(char32_t c) {
    return c != U'\0' && c <= U' ';
}

bool NeedsQuotes(std::u32string_view item) {
    for (char32_t c : item) {
        if (IsListBlank(c) || c == U'\0' || c == U',' || c == U'"')
            return true;
    }
    return false;
}

// Splits comma text: items separated by commas (blanks around them ignored); a quoted
// item runs to its closing quote with doubled quotes inside; an unquoted item ends at
// a comma, a blank or a control character. The zero character ends the text.
std::vector<std::u32string> SplitCommaText(std::u32string_view text) {
    if (const auto zero = text.find(U'\0'); zero != std::u32string_view::npos) {
        text = text.substr(0, zero);
    }
    std::vector<std::u32string> items;
    std::size_t i = 0;
    while (i < text.size() && IsListBlank(text[i]))
        ++i;
    while (i < text.size()) {
        std::u32string item;
        if (text[i] == U'"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == U'"') {
                    if (i + 1 < text.size() && text[i + 1] == U'"') {
                        item += U'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < text.size() && !IsListBlank(text[i]) && text[i] != U',')
                item += text[i++];
        }
        items.push_back(std::move(item));
        while (i < text.size() && IsListBlank(text[i]))
            ++i;
        if (i < text.size() && text[i] == U',') {
            do {
                ++i;
            } while (i < text.size() && IsListBlank(text[i]));
        }
    }
    return items;
}

TCurrencySymbol Entry(std::u32string symbol, AbbreviationDot dot = AbbreviationDot::Sometimes) {
    TCurrencySymbol entry;
    entry.Symbol = std::move(symbol);
    entry.AbbreviationDot = dot;
    return entry;
}

TCurrencySymbol CodeEntry(std::u32string symbol) {
    return Entry(std::move(symbol), AbbreviationDot::Never);
}

TCurrencySymbol NameEntry(std::u32string symbol) {
    TCurrencySymbol entry = Entry(std::move(symbol), AbbreviationDot::Never);
    entry.SpaceOptional = false;
    return entry;
}

using Names = std::vector<const char32_t*>;

void AddNames(SymbolList& list, const Names& names) {
    for (const char32_t* name : names)
        AddSymbolIfMissing(list, NameEntry(name));
}

// Names by language for the fixed currencies: German, English, Dutch.
struct LanguageNames {
    Names german, english, dutch;
};

LanguageNames NamesOf(CurrencyIndex c) {
    switch (c) {
        case kATS:
            return {{U"\xF6S", U"Schilling"},
                    {U"Shillings", U"Schillings", U"Austrian Schillings"},
                    {U"Oostenrijkse schilling"}};
        case kBEF:
            return {{U"luxemburgische Franc"},
                    {U"Luxembourg Francs"},
                    {U"Belgische frank", U"Luxemburgse franc", U"Luxemburgse frank"}};
        case kDEM:
            return {{U"Mark"}, {U"Marks", U"Deutschmarks"}, {U"Duitse mark"}};
        case kESP:
            return {{U"Peseten"}, {U"Pesetas"}, {U"pesetas"}};
        case kFIM:
            return {{U"Finnmark"}, {U"Finnmarks"}, {}};
        case kFRF:
            return {{U"Franc"}, {U"Francs"}, {U"Franse frank", U"franc"}};
        case kITL:
            return {{U"Lire"}, {U"Lire"}, {U"Lire"}};
        case kNLG:
            return {{U"Gulden"}, {U"Guilders"}, {U"Nederlandse gulden", U"gulden", U"guldens"}};
        case kPTE:
            return {{U"Escudos"}, {U"Escudos"}, {U"Escudos"}};
        default:
            return {{}, {}, {}};
    }
}

// French forms beside the plural name of the currency table.
Names FrenchNamesOf(CurrencyIndex c) {
    switch (c) {
        case kEUR:
            return {U"euro"};
        case kATS:
            return {U"schilling autrichien"};
        case kBEF:
            return {U"franc belge", U"francs luxembourgeois", U"franc luxembourgeois"};
        case kDEM:
            return {U"mark allemand"};
        case kESP:
            return {U"peseta espagnole"};
        case kFIM:
            return {U"mark finlandais"};
        case kFRF:
            return {U"franc fran\u00E7ais"};
        case kIEP:
            return {U"livre irlandaise"};
        case kITL:
            return {U"lire italienne"};
        case kNLG:
            return {U"florin n\u00E9erlandais"};
        case kPTE:
            return {U"escudo portugais"};
        default:
            return {};
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

TCurrencySymbol TCurrencySymbol::FromOptionNumber(std::u32string symbol, int options) {
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

std::u32string SymbolListToText(const SymbolList& list) {
    std::u32string text;
    bool first = true;
    for (const auto& entry : list) {
        if (!first)
            text += U',';
        first = false;
        const std::u32string item =
            entry.Symbol + U",A" + AsciiToText(std::to_string(entry.OptionNumber()));
        if (!NeedsQuotes(item)) {
            text += item;
            continue;
        }
        text += U'"';
        for (char32_t c : item) {
            if (c == U'"')
                text += U'"';
            text += c;
        }
        text += U'"';
    }
    return text;
}

void TextToSymbolList(std::u32string_view text, SymbolList& list) {
    list.clear();
    for (const std::u32string& item : SplitCommaText(text)) {
        const auto comma = item.rfind(U',');
        if (comma == std::u32string::npos || comma + 1 >= item.size() || item[comma + 1] != U'A') {
            continue;
        }
        const auto options = ParseInt32(std::u32string_view(item).substr(comma + 2));
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

std::u32string FixedCurrencyName(CurrencyIndex c, int language) {
    static constexpr std::array<const char32_t*, kFixedCurrencyCount> kGerman = {
        U"Euro",
        U"\xF6sterreichische Schilling",
        U"belgische Franc",
        U"deutsche Mark",
        U"spanische Peseten",
        U"finnische Mark",
        U"franz\xF6sische Franc",
        U"irische Pfund",
        U"italienische Lire",
        U"niederl\xE4ndische Gulden",
        U"portugiesische Escudos"};
    static constexpr std::array<const char32_t*, kFixedCurrencyCount> kDutch = {
        U"Euro",
        U"Oostenrijkse schilling",
        U"Belgische franc",
        U"Duitse mark",
        U"Spaanse pesetas",
        U"Finse mark",
        U"Franse franc",
        U"Ierse pond",
        U"Italiaanse lire",
        U"Nederlandse guldens",
        U"Portugese escudos"};
    static constexpr std::array<const char32_t*, kFixedCurrencyCount> kEnglish = {
        U"Euro",           U"Austrian Shillings", U"Belgian Francs",
        U"German Marks",   U"Spanish Pesetas",    U"Finnish Marks",
        U"French Francs",  U"Irish Pounds",       U"Italian Lire",
        U"Dutch Guilders", U"Portugese Escudos"};
    if (!IsCurrency(c) || IsCustomCurrency(c))
        return U"";
    static constexpr std::array<const char32_t*, kFixedCurrencyCount> kFrench = {
        U"euros",
        U"schillings autrichiens",
        U"francs belges",
        U"marks allemands",
        U"pesetas espagnoles",
        U"marks finlandais",
        U"francs fran\u00E7ais",
        U"livres irlandaises",
        U"lires italiennes",
        U"florins n\u00E9erlandais",
        U"escudos portugais"};
    switch (language) {
        case 0:
            return kGerman[c];
        case 2:
            return kFrench[c];
        case 3:
            return kDutch[c];
        default:
            return kEnglish[c];
    }
}

namespace {

// Signs and spellings of a currency beside its code and names, whatever the home.
void AddOwnSigns(SymbolList& list, CurrencyIndex currency) {
    switch (currency) {
        case kEUR:
            AddSymbolIfMissing(list, CodeEntry(U"\u20AC"));
            AddSymbolIfMissing(list, CodeEntry(U"\u20ACuro"));
            break;
        case kBEF:
            AddSymbolIfMissing(list, CodeEntry(U"LUF"));
            AddSymbolIfMissing(list, Entry(U"bfr"));
            break;
        case kDEM:
            AddSymbolIfMissing(list, CodeEntry(U"DM"));
            break;
        case kESP:
            AddSymbolIfMissing(list, Entry(U"pta"));
            break;
        case kFIM:
            AddSymbolIfMissing(list, Entry(U"FMK"));
            break;
        case kIEP:
            AddSymbolIfMissing(list, Entry(U"IR\xA3"));
            break;
        case kITL:
            AddSymbolIfMissing(list, Entry(U"lit"));
            break;
        case kNLG:
            AddSymbolIfMissing(list, Entry(U"hfl"));
            AddSymbolIfMissing(list, Entry(U"\u0192"));
            break;
        case kPTE:
            AddSymbolIfMissing(list, Entry(U"esc"));
            break;
        default:
            break;
    }
}

// Short signs that only the home currency may claim.
void AddHomeSigns(SymbolList& list, CurrencyIndex currency) {
    switch (currency) {
        case kATS:
            AddSymbolIfMissing(list, CodeEntry(U"S"));
            break;
        case kNLG:
            AddSymbolIfMissing(list, Entry(U"f"));
            AddSymbolIfMissing(list, Entry(U"fl"));
            break;
        case kBEF:
        case kFRF:
            AddSymbolIfMissing(list, Entry(U"fr"));
            break;
        case kIEP:
            AddSymbolIfMissing(list, CodeEntry(U"\xA3"));
            break;
        case kPTE: {
            TCurrencySymbol escudo = CodeEntry(U"$");
            escudo.AfterAmount = false;
            escudo.BeforeAmount = false;
            escudo.AsDecimalSeparator = true;
            AddSymbolIfMissing(list, escudo);
            break;
        }
        case kFIM:
            AddSymbolIfMissing(list, Entry(U"mk"));
            break;
        default:
            break;
    }
}

}  // namespace

void DefaultCurrencySymbols(SymbolList& list, CurrencyIndex currency, const LanguageSet& languages,
                            CurrencyIndex homeCurrency, const CustomNames& customNames) {
    if (!IsCurrency(currency))
        return;
    AddSymbolIfMissing(list, CodeEntry(std::u32string(CurrencyCode(currency))));
    for (int language = 0; language < kLanguageNumberOther; ++language) {
        // An unnamed custom currency has no name to add: an empty symbol would match
        // nothing sensible and only shadow real entries.
        std::u32string name = IsCustomCurrency(currency)
                                  ? customNames[static_cast<std::size_t>(currency - kCUS1)]
                                  : FixedCurrencyName(currency, language);
        if (languages.test(static_cast<std::size_t>(language)) && !name.empty()) {
            AddSymbolIfMissing(list, NameEntry(std::move(name)));
        }
    }
    if (IsCustomCurrency(currency))
        return;

    AddOwnSigns(list, currency);

    LanguageNames names = NamesOf(currency);
    if (currency == kFRF && homeCurrency == kBEF) {
        // In Belgium and Luxembourg a plain "Franc" is their own; the French one is named
        // as such there ("französische Francs").
        for (Names* n : {&names.german, &names.english, &names.dutch})
            std::erase_if(*n, [](const char32_t* name) {
                return EqualsIgnoringCase(name, U"franc") || EqualsIgnoringCase(name, U"francs");
            });
    }
    if (languages.test(0))
        AddNames(list, names.german);
    if (languages.test(1))
        AddNames(list, names.english);
    if (languages.test(3))
        AddNames(list, names.dutch);
    if (languages.test(2))
        AddNames(list, FrenchNamesOf(currency));
    if (languages.test(2) && currency == kFRF)
        AddSymbolIfMissing(list, Entry(U"FF"));

    if (currency != homeCurrency)
        return;
    AddHomeSigns(list, currency);
}

void DefaultNonCurrencySymbols(SymbolList& list, const LanguageSet& languages) {
    for (const char32_t* unit : {U"%", U"\xA7", U"\xB0", U"kg", U"g", U"mg", U"h", U"min", U"sec",
                                 U"km", U"m", U"cm", U"mm", U"m\xB2", U"m\xB3"}) {
        list.push_back(Entry(unit));
    }
    if (languages.test(0)) {
        for (const char32_t* unit : {U"Liter",
                                     U"St\xFC"
                                     U"ck",
                                     U"Stk"})
            list.push_back(Entry(unit));
    }
}

}  // namespace kassavero
