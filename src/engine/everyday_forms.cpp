// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/everyday_forms.h"

#include <algorithm>
#include <array>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "core/later_currencies.h"
#include "core/unicode_text.h"
#include "engine/form_tables.h"

namespace kassavero {
namespace {

// The longest texts the tables hold, so that a longer word is not looked up at all: a
// listed word or a word pair with its blank, a form of money or a unit, a word for a
// magnitude, and a short word that tells a language.
constexpr std::size_t kLongestListedWord = 20;
constexpr std::size_t kLongestForm = 30;
constexpr std::size_t kLongestMagnitude = 20;
constexpr std::size_t kLongestLanguageWord = 7;

using forms::BuiltInForms;

// Texts as keys, looked up by view so that a look-up allocates nothing.
template <typename Value>
using TextMap = std::unordered_map<std::u32string, Value, TextHash, std::equal_to<>>;
using TextSet = std::unordered_set<std::u32string, TextHash, std::equal_to<>>;

enum WordList {
    kAnd,
    kOr,
    kTo,
    kInstead,
    kLeadsTo,
    kReference,
    kTime,
    kMonth,
    kLink,
    kNumbers,
    kCoin,
    kCommon,
    kYear,
    kAfterSum,
    kSterling,
    kFormer
};
constexpr std::u32string_view kWordListNames[] = {
    U"and",  U"or",      U"to",   U"instead", U"leads-to", U"reference", U"time",     U"month",
    U"link", U"numbers", U"coin", U"words",   U"year",     U"after-sum", U"sterling", U"former"};

// The forms of the files, ready for lookup: by exact text (the case-sensitive ones) and by
// lower-cased text (the others), each with the form the recognizers see.
struct FormIndex {
    TextMap<std::vector<std::size_t>> exact;
    TextMap<std::vector<std::size_t>> folded;
    std::vector<EverydayForm> forms;  // one per row of the files, same order
    TextMap<std::vector<std::size_t>> magnitudesExact;
    TextMap<std::vector<std::size_t>> magnitudesFolded;
    std::vector<MagnitudeWord> magnitudes;
    // Word lists of every language together, lower-cased.
    std::array<TextSet, std::size(kWordListNames)> words;
    TextSet ranges;
    // The languages (primary language numbers) in which a word names a number.
    TextMap<std::vector<int>> numberLanguages;
    // Texts that are both other money and a currency of the program somewhere.
    TextSet ambiguousExact;
    TextSet ambiguousFolded;
    // Words that other money may be written with where a text names it, lower-cased.
    TextSet sharedByOthers;
    // The first words of the forms of more than one word, as keys.
    TextSet phraseFirsts;
    // The lower-cased first letters of the euro's names, to pass over most words at once.
    std::u32string euroFirsts;
};

// The key of a text (`WordKey`: Greek without its accents, as capitals are written,
// "ΔΡΑΧΜΕΣ" for "δραχμές"), in a buffer of the thread's own.
const std::u32string& Lowered(std::u32string_view text) {
    thread_local std::u32string buffer;
    LowerCaseInto(text, buffer);
    DropGreekAccents(buffer);
    return buffer;
}

// The key of a text already lower-cased: most often itself.
std::u32string_view KeyOfLowered(std::u32string_view lowered) {
    if (std::none_of(lowered.begin(), lowered.end(),
                     [](char32_t c) { return WithoutGreekAccent(c) != c; }))
        return lowered;
    thread_local std::u32string buffer;
    buffer.assign(lowered);
    DropGreekAccents(buffer);
    return buffer;
}

CurrencyIndex FixedCurrencyOfCode(std::u32string_view code) {
    for (CurrencyIndex c = 0; c < kFixedCurrencyCount; ++c) {
        if (CurrencyCode(c) == code)
            return c;
    }
    return kNoCurrency;
}

std::u32string_view LaterCodeOf(std::u32string_view code) {
    for (const LaterCurrency& later : LaterCurrencies()) {
        if (later.Code == code)
            return later.Code;
    }
    return {};
}

EverydayForm FormOf(const forms::Form& row) {
    EverydayForm form;
    form.kind = row.kind == forms::Kind::Currency  ? FormKind::Currency
                : row.kind == forms::Kind::Foreign ? FormKind::Foreign
                                                   : FormKind::Unit;
    form.currency = FixedCurrencyOfCode(row.code);
    if (form.currency == kNoCurrency)
        form.laterCode = LaterCodeOf(row.code);
    form.before = row.before;
    form.after = row.after;
    form.glued = row.glued;
    form.touching = row.touching;
    form.factor = row.factor;
    form.magnitudeFamily = row.family;
    if (!row.older.empty())
        form.olders = &row.older;
    if (!row.shares.empty())
        form.shares = &row.shares;
    return form;
}

const FormIndex& Index() {
    static const FormIndex index = [] {
        const forms::Tables& t = BuiltInForms();
        FormIndex x;
        x.forms.reserve(t.forms.size());
        for (std::size_t i = 0; i < t.forms.size(); ++i) {
            const forms::Form& row = t.forms[i];
            if (row.exactCase)
                x.exact[row.text].push_back(i);
            else
                x.folded[WordKey(row.text)].push_back(i);
            x.forms.push_back(FormOf(row));
            if (const std::size_t blank = row.text.find(U' '); blank != std::u32string::npos)
                x.phraseFirsts.insert(WordKey(std::u32string_view(row.text).substr(0, blank)));
            for (const std::u32string& word : row.shares)
                x.sharedByOthers.insert(LowerCase(word));
            const char32_t first = WithoutGreekAccent(LowerCase(row.text.front()));
            if (x.forms.back().currency == kEUR && x.euroFirsts.find(first) == std::u32string::npos)
                x.euroFirsts += first;
        }
        const auto mixed = [&](const std::vector<std::size_t>& rows) {
            bool foreign = false;
            bool ours = false;
            for (const std::size_t row : rows) {
                foreign = foreign || t.forms[row].kind == forms::Kind::Foreign;
                ours = ours || t.forms[row].kind == forms::Kind::Currency;
            }
            return foreign && ours;
        };
        for (const auto& [text, rows] : x.exact) {
            const auto folded = x.folded.find(WordKey(text));
            std::vector<std::size_t> all = rows;
            if (folded != x.folded.end())
                all.insert(all.end(), folded->second.begin(), folded->second.end());
            if (mixed(all))
                x.ambiguousExact.insert(text);
        }
        for (const auto& [text, rows] : x.folded) {
            if (mixed(rows))
                x.ambiguousFolded.insert(text);
        }
        for (std::size_t i = 0; i < t.magnitudes.size(); ++i) {
            const forms::Magnitude& row = t.magnitudes[i];
            if (row.exactCase)
                x.magnitudesExact[row.text].push_back(i);
            else
                x.magnitudesFolded[WordKey(row.text)].push_back(i);
            x.magnitudes.push_back({row.factor, row.family});
        }
        for (const forms::Language& language : t.languages) {
            for (std::size_t k = 0; k < std::size(kWordListNames); ++k) {
                if (const auto it = language.words.find(kWordListNames[k]);
                    it != language.words.end())
                    x.words[k].insert(it->second.begin(), it->second.end());
            }
            x.ranges.insert(language.ranges.begin(), language.ranges.end());
            if (const auto it = language.words.find(U"numbers"); it != language.words.end()) {
                for (const std::u32string& word : it->second)
                    x.numberLanguages[word].push_back(language.windowsLanguage);
            }
        }
        for (auto* table : {&x.exact, &x.folded, &x.magnitudesExact, &x.magnitudesFolded})
            SpreadOut(*table);
        for (TextSet& set : x.words)
            SpreadOut(set);
        for (auto* set : {&x.ranges, &x.ambiguousExact, &x.ambiguousFolded, &x.phraseFirsts})
            SpreadOut(*set);
        return x;
    }();
    return index;
}

// Where languages disagree about a text: the text's own language first, then the
// desktop's, then the files' order.
int LanguageRank(int language, const DesktopRegion& region, int textLanguage) {
    const int windows =
        BuiltInForms().languages[static_cast<std::size_t>(language)].windowsLanguage;
    if (textLanguage >= 0 && windows == textLanguage)
        return 0;
    return windows == region.language ? 1 : 2;
}

bool Applies(const forms::Form& row, const DesktopRegion& region) {
    if (row.where.empty())
        return true;
    const std::u32string_view home = !region.laterHome.empty() ? region.laterHome
                                     : IsCurrency(region.home) ? CurrencyCode(region.home)
                                                               : std::u32string_view();
    return !home.empty() && std::find(row.where.begin(), row.where.end(), home) != row.where.end();
}

const EverydayForm& SwissFranc() {
    static const EverydayForm form{FormKind::Foreign, kNoCurrency, {}, true, true, true, 1.0, -1,
                                   nullptr,           nullptr};
    return form;
}

// A sign that is money in some countries only ("F", "S", "francs") where the desktop says
// nothing about which: other money, left alone, and never a bare number beside it.
const EverydayForm& AmbiguousMoney() {
    static const EverydayForm form{FormKind::Foreign, kNoCurrency, {}, true, true, true, 1.0, -1,
                                   nullptr,           nullptr};
    return form;
}

const EverydayForm* Choose(const std::vector<std::size_t>& rows, const DesktopRegion& region,
                           int textLanguage) {
    const forms::Tables& t = BuiltInForms();
    const std::size_t none = rows.size();
    std::size_t best = none;
    std::pair<int, int> bestRank{0, 0};
    bool elsewhere = false;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const forms::Form& row = t.forms[rows[k]];
        if (row.swiss && region.swiss)
            return &SwissFranc();
        if (!Applies(row, region)) {
            elsewhere = true;
            continue;
        }
        // The text's language first, then the desktop's; within one language a form bound
        // to the desktop's country beats one that holds everywhere.
        const std::pair<int, int> rank{LanguageRank(row.language, region, textLanguage),
                                       row.where.empty() ? 1 : 0};
        if (best == none || rank < bestRank) {
            best = k;
            bestRank = rank;
        }
    }
    if (best == none)
        return elsewhere ? &AmbiguousMoney() : nullptr;
    return &Index().forms[rows[best]];
}

bool InList(WordList list, std::u32string_view text) {
    if (text.empty() || text.size() > kLongestListedWord)
        return false;
    return Index().words[list].contains(std::u32string_view(Lowered(text)));
}

}  // namespace

DesktopRegion RegionOfLanguage(std::uint16_t languageId, char32_t decimalSeparator) {
    const int primary = languageId & 0x3FF;
    const int sub = languageId >> 10;
    DesktopRegion region;
    region.home = HomeCurrencyForLanguage(languageId);
    region.decimalSeparator = decimalSeparator;
    // Switzerland: German 2, French 4, Italian 2.
    region.swiss = (primary == 0x07 && sub == 2) || (primary == 0x0C && sub == 4) ||
                   (primary == 0x10 && sub == 2);
    region.language = primary;
    if (const LaterCurrency* later = LaterCurrencyOfLanguage(languageId))
        region.laterHome = later->Code;
    return region;
}

const EverydayForm* FindEverydayForm(std::u32string_view text, const DesktopRegion& region,
                                     int textLanguage) {
    return FindEverydayForm(text, LowerCase(text), region, textLanguage);
}

const EverydayForm* FindEverydayForm(std::u32string_view text, std::u32string_view lowered,
                                     const DesktopRegion& region, int textLanguage) {
    if (text.empty() || text.size() > kLongestForm)
        return nullptr;
    const FormIndex& index = Index();
    if (const auto it = index.exact.find(text); it != index.exact.end()) {
        if (const EverydayForm* form = Choose(it->second, region, textLanguage))
            return form;
    }
    if (const auto it = index.folded.find(KeyOfLowered(lowered)); it != index.folded.end())
        return Choose(it->second, region, textLanguage);
    return nullptr;
}

bool MayNameTheEuro(std::u32string_view text) {
    return !text.empty() && Index().euroFirsts.find(WithoutGreekAccent(LowerCase(text.front()))) !=
                                std::u32string::npos;
}

bool MayStartLongerForm(std::u32string_view lowered) {
    return Index().phraseFirsts.contains(KeyOfLowered(lowered));
}

bool IsAmbiguousSign(std::u32string_view text, std::u32string_view lowered) {
    const FormIndex& index = Index();
    return index.ambiguousFolded.contains(KeyOfLowered(lowered)) ||
           index.ambiguousExact.contains(text);
}

bool IsSharedByOtherMoney(std::u32string_view lowered) {
    return Index().sharedByOthers.contains(lowered);
}

const MagnitudeWord* FindMagnitude(std::u32string_view text, const DesktopRegion& region,
                                   int textLanguage, bool* disputed) {
    if (text.empty() || text.size() > kLongestMagnitude)
        return nullptr;
    const FormIndex& index = Index();
    const auto choose = [&](const std::vector<std::size_t>& rows) {
        const forms::Tables& t = BuiltInForms();
        if (disputed != nullptr)
            *disputed = std::any_of(rows.begin(), rows.end(), [&](std::size_t row) {
                return index.magnitudes[row].factor != index.magnitudes[rows.front()].factor ||
                       index.magnitudes[row].family != index.magnitudes[rows.front()].family;
            });
        // The text's language first, then the desktop's, then the word as written: a
        // "billion" in a text whose language is not told is the English one, not the
        // German "Billion".
        const auto rank = [&](std::size_t row) {
            return 2 * LanguageRank(t.magnitudes[row].language, region, textLanguage) +
                   (t.magnitudes[row].text == text ? 0 : 1);
        };
        std::size_t best = rows.front();
        for (const std::size_t row : rows) {
            if (rank(row) < rank(best))
                best = row;
        }
        return &index.magnitudes[best];
    };
    // "Md" and the short German words keep their case: "md" or "mio" in running text are
    // other words.
    if (const auto it = index.magnitudesExact.find(text); it != index.magnitudesExact.end())
        return choose(it->second);
    if (const auto it = index.magnitudesFolded.find(std::u32string_view(Lowered(text)));
        it != index.magnitudesFolded.end())
        return choose(it->second);
    return nullptr;
}

MagnitudeChoice ChooseMagnitude(int family, double foundFactor, double value) {
    const auto& families = BuiltInForms().families;
    if (family < 0 || family >= static_cast<int>(families.size()) || foundFactor < 1e6)
        return {};
    const forms::Family& words = families[static_cast<std::size_t>(family)];
    const forms::WrittenWord* chosen = nullptr;
    for (const forms::WrittenWord& word : words.words) {
        if (word.factor == foundFactor && value >= 0.1 * foundFactor)
            chosen = &word;
    }
    if (chosen == nullptr) {
        // Too small for the word found: the largest word of a million or more under it.
        for (const forms::WrittenWord& word : words.words) {
            if (word.factor >= 1e6 && value >= word.factor)
                chosen = &word;
        }
    }
    if (chosen == nullptr)
        return {};
    const bool singular = words.singularBelowTwo && value / chosen->factor < 2;
    return {singular ? chosen->singular : chosen->plural, chosen->factor};
}

bool IsMagnitudeLink(std::u32string_view text) {
    return InList(kLink, text);
}

std::u32string_view WithoutElision(std::u32string_view text) {
    // "d'" and "d’"
    if (text.size() > 2 && (text[0] == U'd' || text[0] == U'D') &&
        (text[1] == U'\'' || text[1] == U'\u2019'))
        return text.substr(2);
    return text;
}

bool IsAndWord(std::u32string_view text) {
    return InList(kAnd, text);
}

bool IsOrWord(std::u32string_view text) {
    return InList(kOr, text);
}

bool IsToWord(std::u32string_view text) {
    return InList(kTo, text);
}

bool IsInsteadWord(std::u32string_view text) {
    return InList(kInstead, text);
}

bool IsCoinWord(std::u32string_view text) {
    return InList(kCoin, text);
}

bool IsCommonWord(std::u32string_view text) {
    return InList(kCommon, text);
}

bool IsSterlingPlace(std::u32string_view text) {
    return InList(kSterling, text);
}

bool IsAfterSumWord(std::u32string_view text) {
    return InList(kAfterSum, text);
}

bool IsFormerWord(std::u32string_view text) {
    return InList(kFormer, text);
}

bool IsYearWord(std::u32string_view text) {
    return InList(kYear, text);
}

bool IsNumberWord(std::u32string_view text) {
    return InList(kNumbers, text);
}

bool IsNumberWordIn(std::u32string_view text, int language) {
    if (language < 0)
        return IsNumberWord(text);
    if (text.empty() || text.size() > kLongestListedWord)
        return false;
    const auto& numbers = Index().numberLanguages;
    const auto it = numbers.find(std::u32string_view(Lowered(text)));
    return it != numbers.end() &&
           std::find(it->second.begin(), it->second.end(), language) != it->second.end();
}

bool IsLeadsToWord(std::u32string_view text) {
    return InList(kLeadsTo, text);
}

bool IsRangeOpener(std::u32string_view opener, std::u32string_view joiner) {
    if (opener.empty() || joiner.empty() || opener.size() + 1 + joiner.size() > kLongestListedWord)
        return false;
    std::u32string pair(opener);
    pair += U' ';
    pair += joiner;
    return Index().ranges.contains(std::u32string_view(Lowered(pair)));
}

bool IsReferenceWord(std::u32string_view text) {
    return InList(kReference, text);
}

LanguageCount::LanguageCount() : hits_(BuiltInForms().languages.size(), 0) {}

void LanguageCount::Add(std::u32string_view word) {
    if (word.size() > kLongestLanguageWord || word.empty() || Settled())
        return;
    static const TextMap<std::vector<std::size_t>> kWords = [] {
        TextMap<std::vector<std::size_t>> map;
        const auto& languages = BuiltInForms().languages;
        for (std::size_t k = 0; k < languages.size(); ++k) {
            if (const auto it = languages[k].words.find(U"words"); it != languages[k].words.end()) {
                for (const std::u32string& w : it->second)
                    map[w].push_back(k);
            }
        }
        SpreadOut(map);
        return map;
    }();
    const auto it = kWords.find(std::u32string_view(Lowered(word)));
    if (it == kWords.end())
        return;
    for (const std::size_t k : it->second)
        ++hits_[k];
}

bool LanguageCount::Knows(int language) {
    const auto& languages = BuiltInForms().languages;
    return std::any_of(languages.begin(), languages.end(), [&](const forms::Language& l) {
        return l.windowsLanguage == language && l.words.contains(U"words");
    });
}

char32_t LanguageCount::DecimalOf(int language) {
    for (const forms::Language& l : BuiltInForms().languages) {
        if (l.windowsLanguage == language && language != 0)
            return l.decimal;
    }
    return 0;
}

bool LanguageCount::Settled() const {
    // Twelve common words of one language, twice as many as of any other, tell enough.
    int first = 0;
    int second = 0;
    for (const int hits : hits_) {
        if (hits > first) {
            second = first;
            first = hits;
        } else if (hits > second) {
            second = hits;
        }
    }
    return first >= 12 && first >= 2 * second;
}

int LanguageCount::Language(int least) const {
    const auto best = std::max_element(hits_.begin(), hits_.end());
    if (best == hits_.end() || *best < least)
        return -1;
    // A tie tells nothing: "in" and "die" are German and English words alike.
    if (std::count(hits_.begin(), hits_.end(), *best) > 1)
        return -1;
    return BuiltInForms().languages[static_cast<std::size_t>(best - hits_.begin())].windowsLanguage;
}

bool IsTimeWord(std::u32string_view text) {
    return InList(kTime, text);
}

bool IsMonthName(std::u32string_view text) {
    return InList(kMonth, text);
}

}  // namespace kassavero
