// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/amount_recognizer.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/unicode_text.h"
#include "settings/active_profile.h"
#include "settings/profile_settings.h"

namespace kassavero {
namespace {

// Latin-1's marks; 0xAA, the ordinal a, stays out.
constexpr std::array<bool, 256> MakeTrailingTable() {
    std::array<bool, 256> table{};
    for (const char c : std::string_view("!\"%&'()*+,/:;<=>?@[\\]^_`{|}~"))
        table[static_cast<unsigned char>(c)] = true;
    auto range = [&table](int from, int to) {
        for (int c = from; c <= to; ++c)
            table[static_cast<std::size_t>(c)] = true;
    };
    range(0xA1, 0xA1);  // inverted exclamation mark
    range(0xA6, 0xA9);  // broken bar, section, diaeresis, copyright
    range(0xAB, 0xBB);  // angle quotes, signs, superscripts, ordinal o
    range(0xBF, 0xBF);  // inverted question mark
    range(0xD7, 0xD7);  // multiplication sign
    range(0xF7, 0xF7);  // division sign
    return table;
}

constexpr std::array<bool, 256> kTrailing = MakeTrailingTable();

// The quotes, ellipsis, daggers, bullet, dashes, small tilde, trade mark and right angle
// quote of the Western code page beyond Latin-1.
constexpr std::u32string_view kTrailingBeyondLatin1 =
    U"\u201A\u201E\u2026\u2020\u2021\u02C6\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122"
    U"\u203A";

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
int DigitValue(char32_t c) {
    return static_cast<int>(c - U'0');
}

// Each arithmetic step runs in extended precision and is stored back as a double.
double Store(long double value) {
    return static_cast<double>(value);
}

bool ThreeDigitsFollow(std::u32string_view s) {
    return s.size() >= 4 && IsDigit(s[1]) && IsDigit(s[2]) && IsDigit(s[3]);
}

// The number of minus signs (one or two) that stand for the decimals of a whole amount
// at the end of a number: "1.000,-" and "1.000,--". Zero when there are none.
std::size_t DashedDecimals(std::u32string_view s, const CharSet& decimals) {
    std::size_t dashes = 0;
    while (dashes < 2 && dashes < s.size() && s[s.size() - 1 - dashes] == U'-')
        ++dashes;
    if (dashes == 0 || dashes == s.size() || !Contains(decimals, s[s.size() - 1 - dashes]))
        return 0;
    return dashes;
}

enum class Side { Before, After };

// The texts that may be a symbol on one side of a number word, in the order they are
// tried: three, two and one neighbouring words joined by blanks, each followed by its
// shorter forms. The longest symbol wins, so that "finnische Mark 100" is read as the
// name of its own currency and not as "Mark" with a stray word before it. Before a
// number a trailing full stop may be an abbreviation's and is dropped; after it only
// trailing punctuation is here (MatchSide tries each without a final full stop too).
std::vector<std::u32string> Candidates(const TextWords& words, std::size_t index, Side side,
                                       std::size_t firstFree) {
    std::vector<std::u32string> out;
    for (std::size_t k = 3; k >= 1; --k) {
        const bool exists =
            side == Side::Before ? index >= k && index - k >= firstFree : index + k < words.Count();
        if (!exists)
            continue;
        const std::size_t first = side == Side::Before ? index - k : index + 1;
        std::u32string joined(words.Word(first));
        for (std::size_t i = 1; i < k; ++i) {
            joined += U' ';
            joined += words.Word(first + i);
        }
        std::u32string_view variant = joined;
        out.emplace_back(variant);
        while (!variant.empty() && (side == Side::Before ? variant.back() == U'.'
                                                         : IsTrailingPunctuation(variant.back()))) {
            variant.remove_suffix(1);
            out.emplace_back(variant);
        }
    }
    return out;
}

struct SideMatch {
    bool found = false;
    CurrencyIndex list = kNoCurrency;
    int words = 0;
    std::size_t length = 0;  // of the matched candidate, without trailing blanks
};

// An entry whose abbreviation dot is always there matches only when the text had the
// dot, that is when the same candidate with one full stop more was also offered.
bool HadTheDot(const std::vector<std::u32string>& candidates, std::u32string_view candidate) {
    for (const std::u32string& other : candidates) {
        if (other.size() == candidate.size() + 1 && other.back() == U'.' &&
            EqualsIgnoringCase(std::u32string_view(other).substr(0, candidate.size()), candidate)) {
            return true;
        }
    }
    return false;
}

SideMatch MatchSide(const ProfileSettings& settings, const std::vector<std::u32string>& candidates,
                    Side side) {
    // `withoutStop`: the candidate is an after-candidate with the sentence's full stop
    // taken off ("100 DM." at the end of a sentence); only an entry that does not always
    // carry an abbreviation dot may match it.
    const auto passes = [&](std::u32string_view candidate, bool withoutStop) -> SideMatch {
        const SymbolMatch match = FindSymbol(settings, candidate);
        if (match.Entry == nullptr)
            return {};
        const TCurrencySymbol& entry = *match.Entry;
        if (withoutStop && entry.AbbreviationDot == AbbreviationDot::Always)
            return {};
        if (IsCurrency(match.List)) {
            if (!(side == Side::Before ? entry.BeforeAmount : entry.AfterAmount))
                return {};
            if (entry.AbbreviationDot == AbbreviationDot::Always &&
                !HadTheDot(candidates, candidate)) {
                return {};
            }
        }
        int words = 1;
        for (char32_t c : candidate)
            words += c == U' ' ? 1 : 0;
        const std::size_t length = candidate.find_last_not_of(U' ') + 1;
        return {true, match.List, words, length};
    };
    for (const std::u32string& candidate : candidates) {
        if (const SideMatch found = passes(candidate, false); found.found)
            return found;
        if (side == Side::After && candidate.size() > 1 && candidate.back() == U'.') {
            const std::u32string_view withoutStop(candidate.data(), candidate.size() - 1);
            if (const SideMatch found = passes(withoutStop, true); found.found)
                return found;
        }
    }
    return {};
}

ParsedNumber Parse(const ProfileSettings& settings, const RecognizerCharSets& sets,
                   std::u32string_view text) {
    const bool never = !settings.InputThousandsAlways && !settings.InputThousandsSometimes;
    return ParseNumber(text, sets.Thousands, sets.Decimals, settings.InputThousandsAlways, never,
                       settings.InputAcceptNegatives);
}

struct Found {
    CurrencyIndex currency = kNoCurrency;
    ParsedNumber number;
    bool hasSymbol = false;
    int wordsBefore = 0;
    int wordsAfter = 0;
    std::size_t end = 0;  // just after the amount's last character
};

// A number read with a decimal symbol and no digits after it ("100," or "100.") most
// often stands before a comma or at the end of a sentence. That last character stays
// out of the replaced stretch, so the punctuation survives the conversion.
bool EndsWithEmptyFraction(const RecognizerCharSets& sets, std::u32string_view number) {
    return !number.empty() && Contains(sets.Decimals, number.back());
}

// Where a symbol after the number ends in the text. Trailing punctuation that was
// dropped to match the symbol (the comma of "100 DM,", a closing quote) is not part of the
// amount and is left in place; the words counted are those the symbol reaches into.
void CoverWordsAfter(const TextWords& words, std::size_t index, std::size_t length, Found& found) {
    std::size_t offset = 0;
    for (std::size_t k = 1; k <= 3; ++k) {
        const std::size_t wordLength = words.Word(index + k).size();
        if (length <= offset + wordLength) {
            found.wordsAfter = static_cast<int>(k);
            found.end = words.Start(index + k) + (length - offset);
            return;
        }
        offset += wordLength + 1;
    }
}

// A number word: the symbol, if any, stands in the words around it.
bool ScanNumberWord(const ProfileSettings& settings, const RecognizerCharSets& sets,
                    const TextWords& words, std::size_t index, std::size_t firstFree,
                    Found& found) {
    const SideMatch before =
        MatchSide(settings, Candidates(words, index, Side::Before, firstFree), Side::Before);
    const SideMatch after =
        MatchSide(settings, Candidates(words, index, Side::After, firstFree), Side::After);

    // A currency before the number wins over anything after it.
    if (IsCurrency(before.list)) {
        found.currency = before.list;
        found.wordsBefore = before.words;
    } else if (IsCurrency(after.list)) {
        found.currency = after.list;
    } else if (!settings.InputNumbersWithoutSymbols || before.found || after.found) {
        // No currency, and bare numbers are not wanted or a unit stands beside this one.
        return false;
    }
    found.hasSymbol = IsCurrency(found.currency);

    const std::u32string_view word = words.Word(index);
    found.number = Parse(settings, sets, word);
    if (!found.number.Ok)
        return false;
    if (!found.hasSymbol) {
        if (settings.InputCheckForDecimalsActive &&
            found.number.Decimals != settings.InputCheckForDecimals) {
            return false;
        }
        found.currency = ListPositionToIndex(settings.InputDefaultCurrency);
    }

    if (!IsCurrency(before.list) && IsCurrency(after.list)) {
        CoverWordsAfter(words, index, after.length, found);
    } else {
        found.end = words.Start(index) + word.size() - (EndsWithEmptyFraction(sets, word) ? 1 : 0);
    }
    return true;
}

// A word that is a number with a currency symbol glued to it ("DM100", "100DM").
bool ScanGluedWord(const ProfileSettings& settings, const RecognizerCharSets& sets,
                   const TextWords& words, std::size_t index, Found& found) {
    const std::u32string_view word = words.Word(index);
    const std::size_t n = word.size();

    // The longest number at the start, never the whole word ...
    std::size_t lengthA = 0;
    if (Contains(sets.First, word[0])) {
        lengthA = 1;
        while (lengthA < n - 1 &&
               (Contains(sets.Middle, word[lengthA]) || Contains(sets.Last, word[lengthA]))) {
            ++lengthA;
        }
    }
    // ... and the longest at the end.
    std::size_t lengthB = 0;
    if (Contains(sets.Last, word[n - 1])) {
        lengthB = 1;
        while (lengthB < n - 1 && (Contains(sets.First, word[n - 1 - lengthB]) ||
                                   Contains(sets.Middle, word[n - 1 - lengthB]))) {
            ++lengthB;
        }
    }
    // A number at the start wins, so "100DM." is 100 with the symbol "DM." and the lone
    // dot at the end never counts as a number before it.

    const bool symbolAfter = lengthA > 0;
    std::u32string_view number = symbolAfter ? word.substr(0, lengthA) : word.substr(n - lengthB);
    std::u32string_view symbol = symbolAfter ? word.substr(lengthA) : word.substr(0, n - lengthB);

    const bool dotAtEnd = !symbol.empty() && symbol.back() == U'.';
    if (dotAtEnd)
        symbol.remove_suffix(1);

    const SymbolMatch match = FindSymbol(settings, symbol);
    if (match.Entry == nullptr || !IsCurrency(match.List))
        return false;
    const TCurrencySymbol& entry = *match.Entry;

    bool ok = entry.SpaceOptional && (symbolAfter ? entry.AfterAmount : entry.BeforeAmount);
    const bool dotIsSeparator = Contains(sets.Thousands, U'.') || Contains(sets.Decimals, U'.');
    const bool numberHasDot = !number.empty() && number.front() == U'.';
    switch (entry.AbbreviationDot) {
        case AbbreviationDot::Always:
            // The abbreviation's dot decides alone. Before the number it was read as
            // part of the number when the full stop is a separator.
            if (!symbolAfter && dotIsSeparator) {
                ok = numberHasDot;
                if (ok)
                    number.remove_prefix(1);
            } else {
                ok = dotAtEnd;
            }
            break;
        case AbbreviationDot::Sometimes:
            if (!symbolAfter && dotIsSeparator && numberHasDot)
                number.remove_prefix(1);
            break;
        case AbbreviationDot::Never:
            break;
    }
    if (!ok)
        return false;

    found.number = Parse(settings, sets, number);
    if (!found.number.Ok)
        return false;
    found.currency = match.List;
    found.hasSymbol = true;

    // A full stop after a symbol that never takes one ends the sentence, not the amount;
    // likewise an empty fraction at the end of the word.
    const bool keepLast = symbolAfter ? dotAtEnd && entry.AbbreviationDot == AbbreviationDot::Never
                                      : EndsWithEmptyFraction(sets, number);
    found.end = words.Start(index) + n - (keepLast ? 1 : 0);
    return true;
}

// Takes a leading or trailing minus off the text; whether the number is negative. A
// dash for decimals ("1.000,-") is taken off too.
bool TakeSign(std::u32string_view& s, const CharSet& decimals, bool acceptNegatives) {
    bool negative = false;
    if (acceptNegatives && s.front() == U'-') {
        s.remove_prefix(1);
        negative = true;
    }
    if (const std::size_t dashes = DashedDecimals(s, decimals); dashes > 0) {
        // "1.000,-" is a whole amount, its decimals written as a dash, not a negative one.
        s.remove_suffix(dashes);
    } else if (acceptNegatives && !negative && !s.empty() && s.back() == U'-') {
        s.remove_suffix(1);
        negative = true;
    }
    return negative;
}

// Reads the decimals that follow a decimal point; false when the text does not end with
// them.
bool ReadFraction(std::u32string_view& s, double& value, int& decimalCount, bool& digitSeen) {
    decimalCount = 0;
    double factor = 1.0;
    while (!s.empty() && IsDigit(s.front())) {
        factor = Store(static_cast<long double>(factor) / 10);
        value = Store(static_cast<long double>(value) +
                      static_cast<long double>(DigitValue(s.front())) * factor);
        ++decimalCount;
        digitSeen = true;
        s.remove_prefix(1);
    }
    return s.empty();
}

}  // namespace

RecognizerCharSets BuildCharSets(const ProfileSettings& settings) {
    RecognizerCharSets sets;
    sets.Thousands = SymbolSetOf(settings.InputThousandSymbols);
    sets.Decimals = SymbolSetOf(settings.InputDecimalSymbols);
    const CharSet digits(U"0123456789");
    sets.First = digits;
    if (settings.InputAcceptZero)
        sets.First |= sets.Decimals;
    sets.Middle = digits | sets.Thousands | sets.Decimals;
    sets.Last = digits | sets.Decimals;
    if (settings.InputAcceptNegatives) {
        sets.First.Add(U'-');
        sets.Last.Add(U'-');
    }
    return sets;
}

const RecognizerCharSets& LiveCharSets(const ProfileSettings& settings) {
    // Built again only when a separator setting changed: every word asks for them. One
    // copy per thread, so readers on different threads never share it.
    struct Built {
        bool valid = false;
        std::u32string thousands, decimals;
        bool zero = false, negatives = false;
        RecognizerCharSets sets;
    };
    thread_local Built built;
    if (!built.valid || built.thousands != settings.InputThousandSymbols ||
        built.decimals != settings.InputDecimalSymbols || built.zero != settings.InputAcceptZero ||
        built.negatives != settings.InputAcceptNegatives) {
        built.thousands = settings.InputThousandSymbols;
        built.decimals = settings.InputDecimalSymbols;
        built.zero = settings.InputAcceptZero;
        built.negatives = settings.InputAcceptNegatives;
        built.sets = BuildCharSets(settings);
        built.valid = true;
    }
    return built.sets;
}

bool IsTrailingPunctuation(char32_t c) {
    if (c < kTrailing.size())
        return kTrailing[c];
    return kTrailingBeyondLatin1.find(c) != std::u32string_view::npos;
}

SymbolMatch FindSymbol(const ProfileSettings& settings, std::u32string_view text) {
    // An empty entry (a custom currency without a name gives one) must not turn every
    // lone bracket or dot next to a number into a currency.
    if (text.empty())
        return {};
    for (CurrencyIndex list = 0; list <= kNoCurrency; ++list) {
        for (const TCurrencySymbol& entry : settings.SymbolListOf(list)) {
            const bool equal =
                entry.CaseSensitive ? entry.Symbol == text : EqualsIgnoringCase(entry.Symbol, text);
            if (equal)
                return {&entry, list};
        }
    }
    return {};
}

ParsedNumber ParseNumber(std::u32string_view s, const CharSet& thousands, const CharSet& decimals,
                         bool thousandsAlways, bool thousandsNever, bool acceptNegatives) {
    ParsedNumber result;
    if (s.empty())
        return result;

    const bool negative = TakeSign(s, decimals, acceptNegatives);

    // Integer part. A thousands separator is taken only where it groups: the first after
    // at most three digits, each later one the same character after exactly three, and
    // every one followed by at least three digits.
    double value = 0.0;
    int decimalCount = 0;
    bool digitSeen = false;
    const std::size_t length = s.size();
    bool separatorTaken = false;
    char32_t separator = 0;
    std::size_t lengthAtSeparator = 0;
    while (!s.empty() && IsDigit(s.front())) {
        while (!s.empty() && IsDigit(s.front())) {
            value = Store(static_cast<long double>(value) * 10 + DigitValue(s.front()));
            digitSeen = true;
            s.remove_prefix(1);
        }
        if (s.empty() || thousandsNever || !Contains(thousands, s.front()))
            break;
        const bool placed = separatorTaken
                                ? s.front() == separator && lengthAtSeparator - s.size() == 3
                                : length - s.size() <= 3;
        if (!placed || !ThreeDigitsFollow(s))
            break;
        separatorTaken = true;
        separator = s.front();
        s.remove_prefix(1);
        lengthAtSeparator = s.size();
    }

    // A last group of other than three digits means the separator was a decimal point
    // ("1,2345"), if it may be one.
    bool ok = true;
    bool separatorWasDecimal = false;
    if (separatorTaken) {
        const std::size_t digitsAfter = lengthAtSeparator - s.size();
        if (digitsAfter != 3) {
            if (Contains(decimals, separator)) {
                for (std::size_t i = 0; i < digitsAfter; ++i) {
                    value = Store(static_cast<long double>(value) / 10);
                }
                decimalCount = static_cast<int>(digitsAfter);
                separatorWasDecimal = true;
            } else {
                ok = false;
            }
        }
    } else if (thousandsAlways && value >= 1000) {
        ok = false;
    }

    // Fraction. A number that already had its decimal point takes no second one
    // ("1,2345.5" is not 1.7345).
    if (ok && !s.empty()) {
        if (separatorWasDecimal || !Contains(decimals, s.front())) {
            ok = false;
        } else {
            s.remove_prefix(1);
            ok = ReadFraction(s, value, decimalCount, digitSeen);
        }
    }

    if (!ok || !digitSeen || !std::isfinite(value))
        return result;
    result.Ok = true;
    result.Value = negative ? -value : value;
    result.Decimals = decimalCount;
    return result;
}

bool AmountRecognizer::ScanAmount(const TextWords& words, std::size_t index,
                                  TGeplanteAenderung& proposal, std::size_t firstFree) const {
    proposal = TGeplanteAenderung{};
    const std::u32string_view word = words.Word(index);
    if (word.empty())
        return false;

    const ProfileSettings& settings = profile_.Settings();
    const RecognizerCharSets& sets = LiveCharSets(settings);

    // The shape of the word: a number as a whole, or a number with a symbol glued to
    // one end, or neither. A dash for the decimals ("1.000,-") is part of the number.
    const std::u32string_view shape =
        word.substr(0, word.size() - DashedDecimals(word, sets.Decimals));
    const std::size_t n = shape.size();
    const bool firstOk = n == 1 || Contains(sets.First, shape[0]);
    bool middleOk = true;
    for (std::size_t i = 1; i + 1 < n && middleOk; ++i)
        middleOk = Contains(sets.Middle, shape[i]);
    const bool lastOk = Contains(sets.Last, shape[n - 1]);

    Found found;
    if (firstOk && middleOk && lastOk) {
        if (!ScanNumberWord(settings, sets, words, index, firstFree, found))
            return false;
    } else if ((firstOk || lastOk) && word.size() >= 2) {
        if (!ScanGluedWord(settings, sets, words, index, found))
            return false;
    } else {
        return false;
    }

    proposal.Currency = found.currency;
    proposal.Amount = found.number.Value;
    proposal.HasSymbol = found.hasSymbol;
    proposal.Decimals = found.number.Decimals;
    proposal.WordsBefore = found.wordsBefore;
    proposal.WordsAfter = found.wordsAfter;
    proposal.Start = words.Start(index - static_cast<std::size_t>(found.wordsBefore));
    proposal.End = found.end;
    proposal.OldText = words.Text().substr(proposal.Start, proposal.End - proposal.Start);
    return true;
}

}  // namespace kassavero
