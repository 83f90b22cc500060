// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers, symbols and amounts as they are written.

#include <algorithm>
#include <cmath>

#include "core/currency.h"
#include "core/later_currencies.h"
#include "core/number_text.h"
#include "core/unicode_text.h"
#include "engine/everyday_reader.h"
#include "settings/profile_settings.h"

namespace kassavero {

using namespace everyday;

bool EverydayScanner::Reader::SameLine(std::size_t first, std::size_t last) const {
    for (std::size_t k = first + 1; k <= last && k < tokens_.size(); ++k) {
        if (tokens_[k].lineBefore)
            return false;
    }
    return true;
}

CurrencyIndex EverydayScanner::Reader::OlderCurrency(std::u32string_view code) const {
    // The francs of a subunit the euro shares are Belgian on a Belgian desktop.
    const CurrencyIndex older = s_.CurrencyOfCode(code);
    return older == kFRF && s_.region_.home == kBEF ? kBEF : older;
}

EverydayScanner::Symbol EverydayScanner::Reader::Lookup(std::u32string_view text, bool before,
                                                        bool glued, bool dotFollows) const {
    Symbol symbol = LookupForm(text, before, glued, dotFollows);
    if (symbol.found && symbol.kind == FormKind::Currency) {
        const LowerCaseWord lowered(text);
        symbol.ambiguous = IsAmbiguousSign(text, lowered.View());
        symbol.text = lowered.View();
    } else if (symbol.found && symbol.kind == FormKind::Foreign) {
        symbol.text = LowerCaseWord(text).View();
    }
    return symbol;
}

EverydayScanner::Symbol EverydayScanner::Reader::LookupForm(std::u32string_view text, bool before,
                                                            bool glued, bool dotFollows) const {
    Symbol symbol;
    const LowerCaseWord lowerCase(text);
    const std::u32string_view lowered = lowerCase.View();
    const SymbolMatch match = s_.FindUserSymbol(text, lowered);
    // "dem" is an article and "ff." means "and the following" in lower case; the codes
    // are written in capitals. The built-in forms may still know the word ("0,45 eur").
    if (match.Entry != nullptr && !(IsCodeShaped(match.Entry->Symbol) && IsLowerAscii(text))) {
        const TCurrencySymbol& entry = *match.Entry;
        if (!IsCurrency(match.List)) {
            symbol.found = !glued;
            return symbol;
        }
        bool allowed = before ? entry.BeforeAmount : entry.AfterAmount;
        // A name of four letters or more touching the number after it ("100.000Schilling")
        // can be nothing else; the list's "blank needed" is about signs.
        const bool name =
            !before && text.size() >= 4 && std::all_of(text.begin(), text.end(), IsLetter);
        if (glued && !name)
            allowed = allowed && entry.SpaceOptional;
        if (entry.AbbreviationDot == AbbreviationDot::Always && !dotFollows)
            allowed = false;
        // The user's entry decides for its text, even where it says no.
        if (allowed) {
            symbol.found = true;
            symbol.kind = FormKind::Currency;
            symbol.currency = match.List;
        }
        return symbol;
    }
    const EverydayForm* form = FindEverydayForm(text, lowered, s_.region_, TextLanguage());
    if (form == nullptr || !(before ? form->before : form->after) || (form->touching && !glued))
        return symbol;
    if (glued) {
        // A lone letter touching a number is a model or a flat ("F2", "T3"), not money;
        // after the number only where the sign is used that way ("50F").
        const bool sign = text.size() >= 2 || !IsLetter(text[0]);
        if (!(form->glued && (sign || !before || form->touching)) && !(!before && text.size() >= 4))
            return symbol;
    }
    symbol.found = true;
    symbol.kind = form->kind;
    symbol.currency = form->currency;
    if (!form->laterCode.empty()) {
        // Money of the program only where a custom currency holds it.
        symbol.currency = s_.CustomCurrencyOfCode(form->laterCode);
        if (symbol.currency == kNoCurrency)
            symbol.kind = FormKind::Foreign;
    }
    symbol.factor = form->factor;
    symbol.family = form->magnitudeFamily;
    symbol.shares = form->shares;
    symbol.olders = form->olders;
    if (form->olders != nullptr) {
        // "15 centimes" after francs are francs, "50 cents" after Cyprus pounds are theirs;
        // after euros, or alone, euro cents.
        if (gathering_)
            return Symbol{};
        if (Facts().marked.test(kEUR) || EuroNamed())
            return symbol;
        for (const std::u32string& code : *form->olders) {
            const CurrencyIndex older = OlderCurrency(code);
            // Named only: where no other money is named ("100 Centimes ergaben einen
            // Franken" beside "Franc" could be either franc's).
            if (IsCurrency(older) &&
                (Facts().marked.test(older) ||
                 (NamesCurrency(older) && OnlyCurrency(OldMoneyNamed()) == older))) {
                symbol.currency = older;
                break;
            }
        }
    }
    return symbol;
}

bool EverydayScanner::Reader::SignIsNext(std::size_t signFirst, std::size_t signLast) const {
    // A sign between two numbers: "3 DM 50" and "eine Mark 100 Gummibärchen" are the first
    // one's; "von 1989 bis 1999 ATS 20" the second's, after a year, and "1999 ATS 20,-"
    // after a whole number where the second is written as money.
    if (signFirst == 0 || !SameLine(signFirst - 1, signLast + 1))
        return true;
    const std::u32string_view before = Tok(signFirst - 1);
    if (before.empty() || IsClosingPunctuation(before.back()))
        return true;
    // "en" is one in Slovenian but "and" in Dutch: "ƒ 25 en ƒ 250" are two amounts.
    // Only in the sentence's language: Portuguese "um" is one, German "um" is "at".
    if (IsNumberWord(before) && IsNumberWordIn(before, LanguageAt(signFirst)) &&
        !IsAndWord(before) && !IsOrWord(before))
        return false;
    if (std::none_of(before.begin(), before.end(), IsDigit))
        return true;
    const Number first = ReadNumberText(before, tokens_[signFirst - 1].start);
    if (!first.ok || first.end != tokens_[signFirst - 1].end)
        return true;
    const std::u32string_view next = Tok(signLast + 1);
    const Number second = ReadNumberText(next, tokens_[signLast + 1].start);
    // "9,0 ƒ 1,80 ƒ 16,20": one decimal measures weeks or hours; money is written with two.
    if (second.ok && second.decimals == 2 && first.decimals == 1)
        return true;
    if (SignOfItsOwnAfter(signLast + 1, second))
        return false;
    // Written as money: with cents, or with a dash for them ("20,-").
    bool money = second.decimals > 0;
    for (std::size_t k = 1; k < next.size(); ++k)
        money = money || ((next[k - 1] == U',' || next[k - 1] == U'.') && IsDash(next[k]));
    return second.ok && (IsYear(first) || (money && first.decimals == 0));
}

bool EverydayScanner::Reader::SignOfItsOwnAfter(std::size_t numberToken,
                                                const Number& number) const {
    // "500 Sk 16.60 € 500 crowns": a number with money of its own after it takes no sign
    // before it.
    if (!number.ok)
        return false;
    const std::size_t end = tokens_[numberToken].end;
    Symbol own;
    if (number.end < end) {
        const std::size_t from = number.end - tokens_[numberToken].start;
        own = Lookup(Tok(numberToken).substr(from), false, true, false);
    } else if (numberToken + 1 < tokens_.size() && SameLine(numberToken, numberToken + 1)) {
        own = Lookup(Tok(numberToken + 1), false, false, false);
    }
    return own.found && own.kind != FormKind::Unit;
}

EverydayScanner::Symbol EverydayScanner::Reader::MatchBefore(std::size_t numberToken) const {
    return MatchBefore(numberToken, floor_);
}

EverydayScanner::Symbol EverydayScanner::Reader::MatchBefore(std::size_t numberToken,
                                                             std::size_t floor) const {
    for (std::size_t k = 3; k >= 1; --k) {
        if (numberToken < k)
            continue;
        const std::size_t first = numberToken - k;
        if (tokens_[first].start < floor || !SameLine(first, numberToken) ||
            (k > 1 && !s_.MayStartPhrase(Tok(first))))
            continue;
        std::u32string joined(Tok(first));
        for (std::size_t t = first + 1; t < numberToken; ++t) {
            joined += U' ';
            joined += Tok(t);
        }
        // "S. 12" in an Austrian text is a page, whatever "S" alone is.
        if (k == 1 && joined.back() == U'.' && IsReferenceWord(joined))
            continue;
        // The text itself, then without the full stops at its end; the user's own symbol
        // before a built-in form ("Δρχ" in the list beats the form "Δρχ.").
        std::u32string_view variant = joined;
        std::u32string lowered;
        for (std::u32string_view own = joined; !own.empty(); own.remove_suffix(1)) {
            LowerCaseInto(own, lowered);
            if (s_.FindUserSymbol(own, lowered).Entry != nullptr) {
                variant = own;
                break;
            }
            if (own.back() != U'.')
                break;
        }
        while (!variant.empty()) {
            const bool dot = variant.size() < joined.size();
            Symbol symbol = Lookup(variant, true, false, dot);
            if (symbol.found && symbol.kind != FormKind::Unit && first > 0 &&
                !SignIsNext(first, numberToken - 1)) {
                // "3 DM 50", "eine Mark 100 Gummibärchen": the sign is the number's before it.
                return {};
            }
            if (symbol.found) {
                symbol.first = first;
                symbol.last = numberToken - 1;
                symbol.start = tokens_[first].start;
                symbol.end = tokens_[numberToken - 1].end;
                return symbol;
            }
            if (variant.back() != U'.')
                break;
            variant.remove_suffix(1);
        }
    }
    return {};
}

namespace {

std::size_t CutAtGluedMark(std::u32string& word) {
    // "128 δισ. δραχμές,ποσό", "770 лв.Увеличението": a comma, or a full stop before a
    // capitalised word, with no blank after it still ends the name; "v.H." is one
    // abbreviation. Returns how many characters were cut off.
    const std::size_t mark = word.find_first_of(U",.");
    if (mark == std::u32string::npos || mark == 0 || mark + 1 >= word.size() ||
        !IsLetter(word[mark - 1]) || !IsLetter(word[mark + 1]))
        return 0;
    const bool wordAfter =
        mark + 4 <= word.size() &&
        std::all_of(word.begin() + static_cast<std::ptrdiff_t>(mark + 1),
                    word.begin() + static_cast<std::ptrdiff_t>(mark + 4), IsLetter);
    if (word[mark] != U',' && (LowerCase(word[mark + 1]) == word[mark + 1] || !wordAfter))
        return 0;
    const std::size_t cut = word.size() - mark - 1;
    word.resize(mark + 1);
    return cut;
}

}  // namespace

EverydayScanner::Symbol EverydayScanner::Reader::MatchAfter(std::size_t pos,
                                                            std::u32string_view elided) const {
    if (Symbol broken = BrokenWordAfter(pos); broken.found)
        return broken;
    const bool phrase =
        pos < tokens_.size() && s_.MayStartPhrase(elided.empty() ? Tok(pos) : elided);
    for (std::size_t k = 3; k >= 1; --k) {
        const std::size_t last = pos + k - 1;
        if (last >= tokens_.size() || (pos > 0 && !SameLine(pos - 1, last)) || (k > 1 && !phrase))
            continue;
        std::u32string joined(elided.empty() ? Tok(pos) : elided);
        for (std::size_t t = pos + 1; t <= last; ++t) {
            joined += U' ';
            joined += Tok(t);
        }
        const std::size_t glued = k == 1 && elided.empty() ? CutAtGluedMark(joined) : 0;
        // Without the punctuation at its end first, so that a sentence's full stop or comma
        // stays out of the amount where the symbol reads without it.
        std::size_t cut = 0;
        while (cut < joined.size() && IsClosingPunctuation(joined[joined.size() - 1 - cut]))
            ++cut;
        // A symbol written with its full stop ("лв.", "Pfg.") keeps it, also where the
        // stop ends the sentence: one stop stands for both. The user's own symbol without
        // the stop wins, unless the sentence goes on ("35 fr. et le loyer").
        // So does a number after it ("in 1995 fl. 2.347.130,-").
        const bool next = last + 1 < tokens_.size() && SameLine(last, last + 1);
        const bool lowerNext = next && IsLetter(Tok(last + 1).front()) &&
                               LowerCase(Tok(last + 1).front()) == Tok(last + 1).front();
        const bool goesOn = lowerNext || (next && IsDigit(Tok(last + 1).front()));
        std::size_t keep = cut + 1;
        for (std::size_t drop = cut; drop-- > 0;) {
            const std::u32string_view variant =
                std::u32string_view(joined).substr(0, joined.size() - drop);
            if (!variant.ends_with(U'.'))
                continue;
            // The user's own symbol without the stop wins over a built-in form with it.
            const std::u32string_view bare = variant.substr(0, variant.size() - 1);
            if (s_.FindUserSymbol(variant, LowerCase(variant)).Entry != nullptr ||
                (FindEverydayForm(variant, s_.region_, TextLanguage()) != nullptr &&
                 (goesOn || s_.FindUserSymbol(bare, LowerCase(bare)).Entry == nullptr))) {
                keep = drop + 1;
                break;
            }
        }
        for (std::size_t drop = keep; drop-- > 0;) {
            const std::u32string_view variant =
                std::u32string_view(joined).substr(0, joined.size() - drop);
            if (variant.empty())
                continue;
            const bool dotFollows = drop > 0 && joined[variant.size()] == U'.';
            Symbol symbol = Lookup(variant, false, false, dotFollows);
            if (symbol.found) {
                symbol.first = pos;
                symbol.last = last;
                symbol.start = tokens_[pos].start;
                // "50 F. pour les piétons": a stop the sentence goes on after is the
                // abbreviation's own.
                symbol.end =
                    tokens_[last].end - glued - (drop == 1 && dotFollows && lowerNext ? 0 : drop);
                return symbol;
            }
        }
    }
    return {};
}

EverydayScanner::Symbol EverydayScanner::Reader::BrokenWordAfter(std::size_t pos) const {
    // "600.000 Schil- ling": a name broken by a hyphen at the end of a printed line.
    if (pos == 0 || pos + 1 >= tokens_.size() || !SameLine(pos - 1, pos))
        return {};
    const std::u32string_view head = Tok(pos);
    const std::u32string_view tail = WithoutClosingPunctuation(Tok(pos + 1));
    if (head.size() < 3 || head.back() != U'-' || !IsLetter(head[head.size() - 2]) ||
        tail.empty() || !IsLetter(tail.front()) || LowerCase(tail.front()) != tail.front() ||
        (!tokens_[pos + 1].lineBefore && tokens_[pos + 1].gapBefore != 1))
        return {};
    std::u32string joined(head.substr(0, head.size() - 1));
    joined += tail;
    Symbol symbol = Lookup(joined, false, false, false);
    if (!symbol.found)
        return {};
    symbol.first = pos;
    symbol.last = pos + 1;
    symbol.start = tokens_[pos].start;
    symbol.end = tokens_[pos + 1].start + tail.size();
    return symbol;
}

EverydayScanner::Number EverydayScanner::Reader::ReadNumberText(std::u32string_view text,
                                                                std::size_t offset) const {
    Number number;
    const std::size_t length = WithoutClosingPunctuation(text).size();
    if (length == 0)
        return number;
    std::u32string t(text.substr(0, length));
    // "4,000.000 tolarjev", "2,661.003 kn", "S 2,000.000,-": Slovenian, Croatian and
    // Austrian print once set off the millions by a comma.
    const bool yugoslav = s_.region_.laterHome == U"SIT" || s_.region_.laterHome == U"HRK";
    if (s_.region_.decimalSeparator == U',') {
        // "16,886.000 Schilling": where the sentence's language writes a decimal comma, a
        // comma before stops and whole thousands can only set off millions; "1,896.828"
        // may still be an English rate.
        const std::size_t comma = t.find(U',');
        const bool shaped = comma != std::u32string::npos && t.ends_with(U".000") &&
                            t.find(U'.', comma) != std::u32string::npos;
        const bool commaLanguage =
            shaped && !yugoslav &&
            LanguageCount::DecimalOf(SentenceLanguage(text_.TokenAt(offset))) == U',';
        MillionsByComma(t, !yugoslav && !commaLanguage);
    }
    // "500:000 contos": the colon groups thousands in old Portuguese print.
    if (s_.region_.home == kPTE)
        std::replace(t.begin(), t.end(), U':', U'.');
    ApostropheMarks(t, s_.region_.decimalSeparator);
    const bool negative = t[0] == U'-' && settings_.InputAcceptNegatives;
    const std::size_t digitAt = negative ? 1 : 0;
    const bool zeroStart =
        settings_.InputAcceptZero && digitAt < t.size() && Contains(s_.sets_.Decimals, t[digitAt]);
    if (digitAt >= t.size() || !(IsDigit(t[digitAt]) || zeroStart))
        return number;
    // "50,–" with a typographic dash for the cents reads like "50,-".
    for (std::size_t k = t.size() >= 2 ? t.size() - 2 : 0; k < t.size(); ++k) {
        if (IsDash(t[k]) && k > 0 && (IsDash(t[k - 1]) || Contains(s_.sets_.Decimals, t[k - 1])))
            t[k] = U'-';
    }
    const bool never = !settings_.InputThousandsAlways && !settings_.InputThousandsSometimes;
    const auto parse = [&](std::u32string_view digits) {
        return ParseNumber(digits, ThousandsAt(offset), s_.sets_.Decimals,
                           settings_.InputThousandsAlways, never, settings_.InputAcceptNegatives);
    };
    ParsedNumber parsed;
    // "1928.-" and "13,-" are prices whatever the desktop's decimal mark: whole money
    // with a dash for its cents.
    // "40.000,--" doubles the dash.
    const std::size_t dashes = t.size() >= 4 && t.ends_with(U"--") ? 2 : 1;
    const bool centsDash = t.size() >= dashes + 2 && t.back() == U'-' &&
                           (t[t.size() - dashes - 1] == U',' || t[t.size() - dashes - 1] == U'.' ||
                            Contains(s_.sets_.Decimals, t[t.size() - dashes - 1])) &&
                           IsDigit(t[t.size() - dashes - 2]);
    // "N.fl. 25-": a dash after whole money stands for its cents, as in "25,-"; only an
    // amount written with its cents takes a minus after it ("1.234,56-").
    if (centsDash) {
        parsed = parse(std::u32string_view(t).substr(0, t.size() - dashes - 1));
    } else if (t.size() >= 2 && t.back() == U'-' && IsDigit(t[t.size() - 2])) {
        parsed = parse(std::u32string_view(t).substr(0, t.size() - 1));
        if (parsed.Decimals > 0)
            parsed = parse(t);
    } else {
        parsed = parse(t);
    }
    if (!parsed.Ok || (centsDash && parsed.Decimals > 0))
        return number;
    number.ok = true;
    number.centsDash = centsDash;
    number.value = parsed.Value;
    number.decimals = parsed.Decimals;
    number.start = offset;
    number.end = offset + length;
    number.plain = std::all_of(t.begin() + static_cast<std::ptrdiff_t>(digitAt), t.end(), IsDigit);
    if (parsed.Decimals > 0) {
        const std::size_t at = t.size() - static_cast<std::size_t>(parsed.Decimals) - 1;
        number.decimalChar = t[at];
    }
    return number;
}

bool EverydayScanner::Reader::ReadSignAsMark(std::u32string_view text, std::size_t offset,
                                             Number& number) const {
    // "1$50" for escudos, and "7F50" for francs where "F" is the franc: the sign stands
    // where the decimal mark would.
    const std::size_t length = WithoutClosingPunctuation(text).size();
    if (s_.region_.laterHome == U"MTL" && ReadCentsAndMils(text.substr(0, length), offset, number))
        return true;
    const std::size_t sign = text.substr(0, length).find_first_of(U"$F");
    // "36$": whole escudos, as Portugal writes them with the sign closing the number.
    const bool wholeOnly = sign != std::u32string_view::npos && sign > 0 && sign + 1 == length &&
                           text[sign] == U'$' && s_.region_.home == kPTE;
    if (sign == std::u32string_view::npos || (sign + 3 != length && !wholeOnly))
        return false;
    Symbol franc;
    if (text[sign] == U'F') {
        franc = Lookup(U"F", false, true, false);
        if (sign == 0 || !franc.found || franc.kind != FormKind::Currency || franc.ambiguous)
            return false;
    }
    const std::u32string_view whole = text.substr(0, sign);
    const std::u32string_view cents = wholeOnly ? U"00" : text.substr(sign + 1, 2);
    const auto centDigit = [](char32_t c) { return IsDigit(c) || c == U'O'; };
    if (!centDigit(cents[0]) || !centDigit(cents[1]))
        return false;
    double value = 0;
    if (whole.empty()) {
        // "$50": fifty centavos, a form of Portugal alone.
        if (s_.region_.home != kPTE)
            return false;
    } else {
        // Whole escudos, grouped by full stops or not.
        std::size_t group = 0;
        bool grouped = false;
        for (const char32_t c : whole) {
            if (IsDigit(c)) {
                value = value * 10 + (c - U'0');
                ++group;
            } else if ((c == U'.' || (c == U':' && s_.region_.home == kPTE)) && group >= 1 &&
                       (grouped ? group == 3 : group <= 3)) {
                grouped = true;
                group = 0;
            } else {
                return false;
            }
        }
        if (group == 0 || (grouped && group != 3))
            return false;
    }
    const auto digit = [](char32_t c) { return c == U'O' ? 0 : c - U'0'; };
    number.ok = true;
    number.value = value + (digit(cents[0]) * 10 + digit(cents[1])) / 100.0;
    number.decimals = wholeOnly ? 0 : 2;
    number.start = offset;
    number.end = offset + length;
    if (franc.found) {
        number.glued = franc;
        return true;
    }
    number.glued.found = true;
    number.glued.kind = FormKind::Currency;
    number.glued.currency = kPTE;
    return true;
}

bool EverydayScanner::Reader::ReadCentsAndMils(std::u32string_view text, std::size_t offset,
                                               Number& number) const {
    // "12c5", "8c125": Maltese cents with their mils after the c, where the text speaks of
    // liri; since 2009 the same is written for euro cents.
    const std::size_t c = text.find(U'c');
    if (c == 0 || c > 2 || c == std::u32string_view::npos || text.size() - c - 1 < 1 ||
        text.size() - c - 1 > 3 ||
        !std::all_of(text.begin(), text.end(),
                     [](char32_t ch) { return IsDigit(ch) || ch == U'c'; }) ||
        text.find(U'c', c + 1) != std::u32string_view::npos)
        return false;
    const Symbol lira = Lookup(U"Lm", false, true, false);
    if (gathering_ || !lira.found || lira.kind != FormKind::Currency ||
        !Facts().marked.test(lira.currency) || EuroNamed())
        return false;
    double cents = 0;
    for (std::size_t k = 0; k < c; ++k)
        cents = cents * 10 + (text[k] - U'0');
    double scale = 1;
    for (std::size_t k = c + 1; k < text.size(); ++k) {
        scale /= 10;
        cents += (text[k] - U'0') * scale;
    }
    number.ok = true;
    number.value = cents / 100;
    number.decimals = static_cast<int>(text.size() - c + 1);
    number.start = offset;
    number.end = offset + text.size();
    number.glued = lira;
    return true;
}

const MagnitudeWord* EverydayScanner::Reader::MagnitudeAfterSign(std::u32string_view tail,
                                                                 std::size_t offset) const {
    // "£280m", "FIM1.66bn", "IR£20k": after a sign, a letter glued to the number is a
    // magnitude; without a sign "740m" is as likely metres.
    tail = WithoutClosingPunctuation(tail);
    const std::u32string_view word = tail == U"m" ? U"million" : tail == U"k" ? U"thousand" : tail;
    if (word.empty() || !std::all_of(word.begin(), word.end(), IsLetter))
        return nullptr;
    return FindMagnitudeLazily(word, s_.region_, [&] { return LanguageAt(text_.TokenAt(offset)); });
}

bool EverydayScanner::Reader::ReadGluedBefore(std::u32string_view text, std::size_t offset,
                                              Number& number) const {
    // A symbol before: everything up to the first digit.
    std::size_t firstDigit = 0;
    while (firstDigit < text.size() && !IsDigit(text[firstDigit]))
        ++firstDigit;
    if (firstDigit > 0 && firstDigit < text.size()) {
        const std::u32string_view sign = text.substr(0, firstDigit);
        Number rest = ReadNumberText(text.substr(firstDigit), offset + firstDigit);
        const MagnitudeWord* magnitude = nullptr;
        const EverydayForm* coin = nullptr;
        if (!rest.ok) {
            // "FIM740m": the number up to its first letter, then perhaps a magnitude.
            std::size_t letter = firstDigit;
            while (letter < text.size() && !IsLetter(text[letter]))
                ++letter;
            if (letter < text.size() &&
                (magnitude = MagnitudeAfterSign(text.substr(letter), offset)) != nullptr)
                rest = ReadNumberText(text.substr(firstDigit, letter - firstDigit),
                                      offset + firstDigit);
            // "Lm1.50c": the cents written twice, as decimals and by their letter.
            if (magnitude == nullptr && letter < text.size() &&
                WithoutClosingPunctuation(text.substr(letter)).size() == 1) {
                coin = FindEverydayForm(text.substr(letter, 1), s_.region_);
                rest = ReadNumberText(text.substr(firstDigit, letter - firstDigit),
                                      offset + firstDigit);
                rest.ok = rest.ok && rest.decimals == 2 && coin != nullptr &&
                          coin->kind == FormKind::Currency && coin->factor == 0.01;
                rest.end = offset + WithoutClosingPunctuation(text).size();
            }
        }
        const std::u32string_view tail =
            rest.ok && magnitude == nullptr ? text.substr(rest.end - offset) : U"";
        if (rest.ok && std::all_of(tail.begin(), tail.end(), IsClosingPunctuation)) {
            std::u32string_view symbolText = sign;
            bool dot = false;
            Symbol symbol = Lookup(symbolText, true, true, false);
            if (!symbol.found && symbolText.back() == U'.') {
                symbolText.remove_suffix(1);
                dot = true;
                symbol = Lookup(symbolText, true, true, dot);
            }
            if (symbol.found && symbol.kind != FormKind::Unit &&
                (coin == nullptr ||
                 ((coin->currency == symbol.currency || coin->olders != nullptr) &&
                  symbol.factor == 1.0))) {
                number = rest;
                number.start = offset;
                number.glued = symbol;
                number.gluedBefore = true;
                if (magnitude != nullptr) {
                    number.end = offset + WithoutClosingPunctuation(text).size();
                    number.magnitude = magnitude->factor;
                    number.family = magnitude->family;
                }
                return true;
            }
        }
    }
    return false;
}

bool EverydayScanner::Reader::ReadGlued(std::u32string_view text, std::size_t offset,
                                        Number& number) const {
    // A symbol before: everything up to the first digit.
    if (ReadGluedBefore(text, offset, number))
        return true;
    // A number first, then the symbol (or a magnitude word: "400mila").
    if (!IsDigit(text[0]) && !(text[0] == U'-' && text.size() > 1 && IsDigit(text[1])))
        return false;
    // "1.480.-ATS", "20,-DM": a dash for the cents, then the sign.
    const auto centsDash = [&](std::size_t k) {
        return text[k - 1] == U'.' || text[k - 1] == U',' ||
               !(k + 1 < text.size() && IsLetter(text[k + 1]));
    };
    std::size_t numberLength = 1;
    while (numberLength < text.size() &&
           (IsDigit(text[numberLength]) || Contains(s_.sets_.Thousands, text[numberLength]) ||
            Contains(s_.sets_.Decimals, text[numberLength]) ||
            (text[numberLength] == U'-' && centsDash(numberLength))))
        ++numberLength;
    if (numberLength >= text.size())
        return false;
    Number front = ReadNumberText(text.substr(0, numberLength), offset);
    std::size_t symbolAt = front.ok ? front.end - offset : 0;
    if (!front.ok || symbolAt == 0)
        return false;
    std::u32string_view rest = text.substr(symbolAt);
    // "6-tisíc korún": a magnitude word may be joined by a hyphen, a symbol not.
    const bool hyphen = !rest.empty() && rest[0] == U'-';
    if (hyphen)
        rest.remove_prefix(1);
    if (rest.empty() || IsDash(rest[0]))
        return false;
    const MagnitudeWord* magnitude =
        FindMagnitudeLazily(rest, s_.region_, [&] { return LanguageAt(text_.TokenAt(offset)); });
    const std::u32string_view letter = WithoutClosingPunctuation(rest);
    // "£280m", and "35k lire" with the money's name after it.
    const auto nameAfter = [&] {
        const std::size_t t = text_.TokenAt(offset);
        if (t + 1 >= tokens_.size() || !SameLine(t, t + 1) || rest.size() != letter.size())
            return false;
        const Symbol name = MatchAfter(t + 1, {});
        return name.found && name.kind == FormKind::Currency;
    };
    if (magnitude == nullptr && (letter == U"m" || letter == U"k") &&
        (MatchBefore(text_.TokenAt(offset)).found || nameAfter()))
        magnitude = MagnitudeAfterSign(rest, offset);
    if (magnitude != nullptr) {
        number = front;
        number.end = offset + text.size();
        number.magnitude = magnitude->factor;
        number.family = magnitude->family;
        return true;
    }
    if (hyphen)
        return false;
    std::size_t cut = 0;
    while (cut < rest.size() && IsClosingPunctuation(rest[rest.size() - 1 - cut]))
        ++cut;
    for (std::size_t drop = cut + 1; drop-- > 0;) {
        const std::u32string_view variant = rest.substr(0, rest.size() - drop);
        if (variant.empty())
            continue;
        const Symbol symbol =
            Lookup(variant, false, true, drop > 0 && rest[variant.size()] == U'.');
        if (symbol.found && symbol.kind != FormKind::Unit) {
            number = front;
            number.end = offset + symbolAt + variant.size();
            number.glued = symbol;
            return true;
        }
    }
    return false;
}

// "5-те", "10 000-le", "134-lt": a grammatical ending after a hyphen, which leaves the
// number an amount; "500-kroon", "50-Schilling-Schein" are compound words, which do not.
std::size_t EverydayScanner::Reader::EndingAt(std::u32string_view text) const {
    // "f 800.000,terwijl": print that lost the dash of ",-" and the blank after it.
    const std::size_t comma = text.find(U',');
    if (comma != std::u32string_view::npos && comma > 0 && comma + 3 <= text.size() &&
        IsDigit(text[comma - 1]) && IsLetter(text[comma + 1]) &&
        LowerCase(text[comma + 1]) == text[comma + 1] &&
        std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(comma),
                    [](char32_t c) { return IsDigit(c) || c == U'.'; }) &&
        std::all_of(text.begin() + static_cast<std::ptrdiff_t>(comma + 1), text.end(),
                    [](char32_t c) { return IsLetter(c) || IsClosingPunctuation(c); }))
        return comma;
    std::size_t digits = 0;
    while (digits < text.size() && IsDigit(text[digits]))
        ++digits;
    if (digits == 0 || digits + 2 > text.size() || !IsDash(text[digits]))
        return kNone;
    std::size_t letters = 0;
    while (digits + 1 + letters < text.size() && IsLetter(text[digits + 1 + letters]))
        ++letters;
    const bool rest = digits + 1 + letters == text.size() ||
                      std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digits + 1 + letters),
                                  text.end(), IsClosingPunctuation);
    return letters >= 1 && letters <= 3 && rest ? digits : kNone;
}

EverydayScanner::Number EverydayScanner::Reader::ReadNumberAt(std::size_t i,
                                                              std::size_t from) const {
    const auto& token = tokens_[i];
    const std::size_t start = std::max<std::size_t>(token.start, from);
    const std::u32string_view text = text_.Text().substr(start, token.end - start);
    Number number = ReadNumberText(text, start);
    if (number.ok && number.end != start + text.size()) {
        // Only closing punctuation may follow a number inside its word.
        const std::u32string_view tail = text.substr(number.end - start);
        if (!std::all_of(tail.begin(), tail.end(), IsClosingPunctuation))
            number.ok = false;
    }
    if (!number.ok) {
        number = Number{};
        if (const std::size_t ending = EndingAt(text); ending != kNone) {
            number = ReadNumberText(text.substr(0, ending), start);
            number.first = number.last = i;
            return number;
        }
        if (!ReadSignAsMark(text, start, number) && !ReadGlued(text, start, number))
            return Number{};
        number.first = number.last = i;
        // "лв.7 105 483": a sign touching the first of the groups.
        if (number.gluedBefore && number.plain && number.end == token.end && start == token.start)
            ExtendGroups(i, text, number);
        return number;
    }
    number.first = number.last = i;
    // Digits grouped by single blanks: "27 000", "1 250,00", "279 400 000"; also a group
    // set off after its full stop, as official print sometimes has it ("1.405. 100").
    const std::u32string_view digits = text.substr(0, number.end - start);
    const bool dotted = !number.plain && number.decimals == 0 && number.end + 1 == token.end &&
                        text_.Text()[number.end] == U'.' &&
                        digits.find(U'.') != std::u32string_view::npos;
    const bool lead =
        ((number.plain && digits.size() <= 3 && digits[0] != U'0' && number.end == token.end) ||
         dotted) &&
        (start == token.start || IsDash(text_.Text()[start - 1]));  // or "1000—4 000 mk"
    if (!lead || (i > 0 && IsReferenceWord(Tok(i - 1))))
        return number;
    ExtendGroups(i, digits, number);
    return number;
}

void EverydayScanner::Reader::ExtendGroups(std::size_t i, std::u32string_view lead,
                                           Number& number) const {
    const std::size_t digits =
        static_cast<std::size_t>(std::count_if(lead.begin(), lead.end(), IsDigit));
    if (number.gluedBefore && (digits > 3 || digits == 0))
        return;
    double value = number.value;
    std::size_t last = i;
    Number grouped;
    Symbol glued;
    while (last + 1 < tokens_.size()) {
        const auto& next = tokens_[last + 1];
        const std::u32string_view group = Tok(last + 1);
        if (next.lineBefore || next.gapBefore != 1 || group.size() < 3 || !IsDigit(group[0]) ||
            !IsDigit(group[1]) || !IsDigit(group[2]) || (group.size() > 3 && IsDigit(group[3])))
            break;
        Number part = ReadNumberText(group, next.start);
        bool ends = false;
        const bool clean =
            part.ok && part.end - next.start >= 3 &&
            std::all_of(group.begin() + static_cast<std::ptrdiff_t>(part.end - next.start),
                        group.end(), IsClosingPunctuation);
        if (!clean) {
            // "10 000лв", "10 000-le": the last group carries a sign or an ending.
            Number signed_;
            // "5 000—10 000": a dash after the last group starts a range.
            const bool rangeAfter = group.size() > 4 && IsDash(group[3]) && IsDigit(group[4]);
            if (EndingAt(group) == 3 || rangeAfter) {
                part = ReadNumberText(group.substr(0, 3), next.start);
            } else if (!number.gluedBefore && ReadGlued(group, next.start, signed_) &&
                       !signed_.gluedBefore && signed_.decimals == 0 &&
                       signed_.glued.kind != FormKind::Unit) {
                part = signed_;
                glued = signed_.glued;
            } else if (!number.gluedBefore && ReadSignAsMark(group, next.start, signed_)) {
                // "3 300$00": the escudo sign as the decimal mark of the last group.
                part = signed_;
                glued = signed_.glued;
            } else {
                break;
            }
            ends = true;
        }
        const double wholeGroup = std::floor(part.value + 1e-9);
        value = value * 1000 + wholeGroup + (part.value - wholeGroup);
        grouped = part;
        ++last;
        if (ends || part.end - next.start > 3 || !part.plain)
            break;  // a fraction, a sign or an ending ends the number
    }
    if (last == i)
        return;
    number.value = value;
    number.decimals = grouped.decimals;
    number.decimalChar = grouped.decimalChar;
    number.plain = false;
    number.last = last;
    number.end = grouped.end;
    if (glued.found)
        number.glued = glued;
}

void EverydayScanner::Reader::ReadSmallerPart(std::size_t& pos, Amount& amount) const {
    // "1 milione e 700 mila lire", "2 millones y 300 mil pesetas": one amount; so are
    // "1 milione 200 mila lire" and "25 mlrd. 447 mln. 594 tūkst. litų", but not
    // "5 Millionen, 200 Tausend".
    double above = amount.magnitude;
    while (true) {
        const std::u32string_view magnitude = Tok(pos - 1);
        const std::size_t at = pos < tokens_.size() && IsAndWord(Tok(pos)) ? pos + 1 : pos;
        // The full stop of "mln." is the word's own.
        const bool own =
            !magnitude.empty() && magnitude.back() == U'.' &&
            FindMagnitudeLazily(magnitude, s_.region_, [&] { return LanguageAt(pos); }) != nullptr;
        if (at == pos && (magnitude.empty() || (IsClosingPunctuation(magnitude.back()) && !own)))
            return;
        if (at + 1 >= tokens_.size() || !SameLine(pos - 1, at + 1))
            return;
        const Number part = ReadNumberText(Tok(at), tokens_[at].start);
        const MagnitudeWord* word =
            FindMagnitudeLazily(Tok(at + 1), s_.region_, [&] { return LanguageAt(pos); });
        // "180 tūkst. 833 litus": the hundreds after the thousands, before the money's name.
        if (word == nullptr && above == 1000 && part.ok && part.plain &&
            part.end == tokens_[at].end && part.value < above) {
            const Symbol name = MatchAfter(at + 1, {});
            if (name.found && name.kind == FormKind::Currency) {
                amount.extra += part.value;
                amount.magnitudeLast = at;
                amount.magnitudeEnd = tokens_[at].end;
                pos = at + 1;
            }
            return;
        }
        if (!part.ok || part.end != tokens_[at].end || word == nullptr || word->factor >= above ||
            part.value * word->factor >= above)
            return;
        amount.extra += part.value * word->factor;
        amount.magnitudeLast = at + 1;
        amount.magnitudeEnd = tokens_[at + 1].end;
        above = word->factor;
        pos = at + 2;
    }
}

void EverydayScanner::Reader::ReadMagnitudeAndSymbolAfter(std::size_t pos, Amount& amount,
                                                          bool symbolToo) const {
    // "1.650$00. Mil seiscentos": a word after the number's own full stop or comma starts
    // the next clause and multiplies nothing.
    const std::u32string_view number = Tok(pos - 1);
    const bool clauseEnds = !number.empty() && IsClosingPunctuation(number.back());
    if (amount.number.family < 0 && !clauseEnds) {
        for (std::size_t k = 2; k >= 1; --k) {
            const std::size_t last = pos + k - 1;
            if (last >= tokens_.size() || !SameLine(pos - 1, last))
                continue;
            std::u32string joined(Tok(pos));
            if (k == 2) {
                joined += U' ';
                joined += Tok(pos + 1);
            }
            // "Mio." keeps its dot; "milioni." and "millions," leave theirs to the sentence.
            std::size_t drop = 0;
            const auto language = [&] { return LanguageAt(pos); };
            const MagnitudeWord* word = FindMagnitudeLazily(joined, s_.region_, language);
            while (word == nullptr && drop < joined.size() &&
                   IsClosingPunctuation(joined[joined.size() - 1 - drop])) {
                ++drop;
                word =
                    FindMagnitudeLazily(std::u32string_view(joined).substr(0, joined.size() - drop),
                                        s_.region_, language);
            }
            if (word != nullptr) {
                amount.magnitude = word->factor;
                amount.family = word->family;
                amount.magnitudeLast = last;
                amount.magnitudeEnd = tokens_[last].end - drop;
                pos = last + 1;
                ReadSmallerPart(pos, amount);
                break;
            }
        }
    }
    if (amount.number.family >= 0 && !clauseEnds) {
        // "21mila e 700 lire": the smaller part after a magnitude glued to the number.
        amount.magnitude = amount.number.magnitude;
        amount.family = amount.number.family;
        ReadSmallerPart(pos, amount);
    }
    if (!symbolToo)
        return;
    if (amount.number.family < 0 && !clauseEnds && amount.magnitudeLast == kNone &&
        GluedMagnitudeAndName(pos, amount))
        return;
    // "1.000.000 de escudos": whole millions in digits are linked as the word would be.
    const bool millions = amount.number.decimals == 0 && amount.number.value >= 1e6 &&
                          std::fmod(amount.number.value, 1e6) == 0;
    const bool magnitude = amount.magnitudeLast != kNone || amount.number.family >= 0 || millions;
    if (magnitude && pos < tokens_.size() && SameLine(pos - 1, pos)) {
        // "1,5 million de francs", "2 milioni di lire", "2 milliards d'euros"
        const std::u32string_view word = Tok(pos);
        if (IsMagnitudeLink(word) && pos + 1 < tokens_.size()) {
            const Symbol symbol = MatchAfter(pos + 1, {});
            if (symbol.found) {
                amount.symbol = symbol;
                return;
            }
        } else if (WithoutElision(word).size() != word.size()) {
            Symbol symbol = MatchAfter(pos, WithoutElision(word));
            if (symbol.found) {
                symbol.end += word.size() - WithoutElision(word).size();
                amount.symbol = symbol;
                return;
            }
        }
    }
    if (pos < tokens_.size())
        amount.symbol = MatchAfter(pos, {});
    if (!amount.symbol.found)
        amount.symbol = NameAfterFormer(pos);
}

bool EverydayScanner::Reader::GluedMagnitudeAndName(std::size_t pos, Amount& amount) const {
    // "1 mln.litų", "9.2 milj.latu": a short magnitude word touching the money's name.
    if (pos >= tokens_.size() || !SameLine(pos - 1, pos))
        return false;
    const std::u32string_view word = Tok(pos);
    const std::size_t dot = word.find(U'.');
    if (dot == std::u32string_view::npos || dot == 0 || dot + 1 >= word.size() ||
        !IsLetter(word[dot + 1]))
        return false;
    const MagnitudeWord* magnitude =
        FindMagnitudeLazily(word.substr(0, dot + 1), s_.region_, [&] { return LanguageAt(pos); });
    if (magnitude == nullptr)
        return false;
    const Symbol symbol = MatchAfter(pos, word.substr(dot + 1));
    if (!symbol.found || symbol.kind != FormKind::Currency)
        return false;
    amount.magnitude = magnitude->factor;
    amount.family = magnitude->family;
    amount.magnitudeLast = pos;
    amount.magnitudeEnd = tokens_[pos].start + dot + 1;
    amount.symbol = symbol;
    return true;
}

EverydayScanner::Symbol EverydayScanner::Reader::NameAfterFormer(std::size_t pos) const {
    // "1.472 delle vecchie lire", "158 miljoen oude Belgische frank": the old money's name
    // after a word for old, and the links before it.
    std::size_t k = pos;
    while (k < tokens_.size() && k - pos < 2 && SameLine(pos - 1, k) && IsMagnitudeLink(Tok(k)))
        ++k;
    if (k + 1 >= tokens_.size() || !SameLine(pos - 1, k + 1) || !IsFormerWord(Tok(k)))
        return {};
    Symbol name = MatchAfter(k + 1, {});
    if (!name.found || name.kind != FormKind::Currency || !IsCurrency(name.currency) ||
        name.currency == kEUR)
        return {};
    return name;
}

EverydayScanner::Amount EverydayScanner::Reader::ReadAmountAt(std::size_t i,
                                                              std::size_t from) const {
    Amount amount;
    amount.number = ReadNumberAt(i, from);
    if (!amount.number.ok)
        return amount;
    // "000 DM" is the end of a number whose start is glued to something else ("~90").
    const std::u32string_view lead = text_.Text().substr(amount.number.start, 2);
    if (lead.size() == 2 && lead[0] == U'0' && IsDigit(lead[1])) {
        amount.number.ok = false;
        return amount;
    }
    // "S 3, --", "798.264.000, - francs": the dash for the cents set off by a blank; only
    // money's own sign or name makes it a price ("1995, - als").
    const std::size_t dashes = SplitCentsDash(amount.number);
    if (dashes != kNone) {
        amount.number.last = dashes;
        amount.number.end = tokens_[dashes].start + WithoutClosingPunctuation(Tok(dashes)).size();
        amount.number.centsDash = true;
    }
    const Number& number = amount.number;
    ReadSymbolAround(i, from, amount);
    if (number.family >= 0) {
        amount.magnitude = number.magnitude;
        amount.family = number.family;
    }
    amount.start = amount.symbolBefore && !number.glued.found ? amount.symbol.start : number.start;
    // "Esc. 140.000.000$00": the money's sign before a number that carries it too.
    if (number.glued.found && !number.gluedBefore && from <= tokens_[i].start) {
        const Symbol before = MatchBefore(number.first);
        if (before.found && before.kind == FormKind::Currency &&
            before.currency == number.glued.currency)
            amount.start = before.start;
    }
    amount.end = number.end;
    amount.last = number.last;
    if (amount.magnitudeLast != kNone) {
        amount.end = amount.magnitudeEnd;
        amount.last = amount.magnitudeLast;
    }
    if (amount.symbol.found && !amount.symbolBefore && !number.glued.found) {
        amount.end = amount.symbol.end;
        amount.last = amount.symbol.last;
    }
    amount.ok =
        dashes == kNone || (amount.symbol.found && amount.symbol.kind == FormKind::Currency);
    if (amount.ok)
        ReadCentsAfter(amount);
    return amount;
}

void EverydayScanner::Reader::ReadSymbolAround(std::size_t i, std::size_t from,
                                               Amount& amount) const {
    const Number& number = amount.number;
    const std::size_t pos = number.last + 1;
    if (number.glued.found) {
        amount.symbol = number.glued;
        amount.symbolBefore = number.gluedBefore;
        // A glued sign may still be followed by a magnitude ("DM2,9 Mio.").
        if (pos < tokens_.size())
            ReadMagnitudeAndSymbolAfter(pos, amount, false);
    } else {
        const Symbol before = from <= tokens_[i].start ? MatchBefore(number.first) : Symbol{};
        // A number that ends a clause ("Nr. 4711, DM 163,02") takes no sign after it.
        const std::u32string_view word = Tok(number.last);
        const bool clauseEnds = !word.empty() && IsClosingPunctuation(word.back());
        if (pos < tokens_.size())
            ReadMagnitudeAndSymbolAfter(pos, amount, !clauseEnds);
        const Symbol after = SignBetween(amount) ? Symbol{} : amount.symbol;
        // "in marks 21 years ago", "de pesetas 1.664 millones de euros": a unit or money
        // right after the number outweighs a name before it; a sign before it holds
        // ("DM 5 pro Stück" has none).
        const bool nameBefore =
            before.found && std::count_if(before.text.begin(), before.text.end(), IsLetter) >=
                                static_cast<std::ptrdiff_t>(kNameLetters);
        if (nameBefore && after.found) {
            amount.symbol = after;
        } else if (before.found && before.kind != FormKind::Unit) {
            amount.symbol = before;
            amount.symbolBefore = true;
        } else if (after.found && after.kind != FormKind::Unit) {
            amount.symbol = after;
        } else if (before.found || after.found) {
            amount.symbol = before.found ? before : after;
            amount.symbolBefore = before.found;
        } else {
            amount.symbol = NameAfterWords(pos);
        }
    }
}

std::size_t EverydayScanner::Reader::SplitCentsDash(const Number& number) const {
    const std::u32string_view word = Tok(number.last);
    if (number.glued.found || number.decimals > 0 || number.centsDash || word.size() < 2 ||
        word.back() != U',' || number.end + 1 != tokens_[number.last].end)
        return kNone;
    std::size_t count = 0;
    std::size_t last = number.last;
    while (last + 1 < tokens_.size() && SameLine(last, last + 1) &&
           tokens_[last + 1].gapBefore == 1) {
        const std::u32string_view next = WithoutClosingPunctuation(Tok(last + 1));
        if (next.empty() || next.size() + count > 2 ||
            !std::all_of(next.begin(), next.end(), IsDash))
            break;
        count += next.size();
        ++last;
        if (next.size() != Tok(last).size())
            break;  // punctuation after the dash ends it
    }
    return count > 0 ? last : kNone;
}

EverydayScanner::Symbol EverydayScanner::Reader::NameAfterWords(std::size_t pos) const {
    // "500,00 (petsto) kuna", "5 000,00 (пет хиляди) лева": the sum in words in brackets
    // between the number and its money, as contracts and rulings write it.
    constexpr std::size_t kLongestInWords = 8;
    if (pos >= tokens_.size() || Tok(pos) != U"(")
        return {};
    std::size_t close = pos + 1;
    while (close < tokens_.size() && close - pos <= kLongestInWords && SameLine(pos, close) &&
           std::all_of(Tok(close).begin(), Tok(close).end(), IsLetter))
        ++close;
    if (close == pos + 1 || close + 1 >= tokens_.size() || Tok(close) != U")" ||
        !SameLine(close, close + 1))
        return {};
    Symbol name = MatchAfter(close + 1, {});
    if (!name.found || name.kind != FormKind::Currency ||
        (name.last + 1 < tokens_.size() && IsDigit(Tok(name.last + 1).front())))
        return {};
    return name;
}

void EverydayScanner::Reader::ReadNameAgain(Amount& amount) const {
    // "£1,000 Cyprus Pounds", "HRK 7,690 kuna", "6.3 Million CYP pounds": money written
    // by a sign or code and then named is one amount, so that no name is left behind
    // beside the new one. A name that leads the next number ("DM 5 DM 6") is that
    // number's.
    const std::size_t pos = amount.last + 1;
    if (!amount.symbol.found || amount.symbol.kind != FormKind::Currency || amount.extra != 0 ||
        pos >= tokens_.size() || !SameLine(amount.last, pos) ||
        IsClosingPunctuation(Tok(amount.last).back()) ||
        !(amount.symbolBefore || IsCodeShaped(Tok(amount.last))) || IsCommonWord(Tok(pos)))
        return;
    const Symbol again = MatchAfter(pos, {});
    if (!again.found || again.kind != FormKind::Currency ||
        again.currency != amount.symbol.currency ||
        (again.last + 1 < tokens_.size() && IsDigit(Tok(again.last + 1).front())))
        return;
    amount.end = again.end;
    amount.last = again.last;
}

void EverydayScanner::Reader::ReadCentsAfter(Amount& amount) const {
    // "3 Mark 50 Pfennig", "119 pesetas y 25 céntimos", "1 лев и 50 стотинки", "3 Mark 50":
    // one amount; so are "49 cents 7 mils". Never for an amount that has its decimals, nor
    // across the comma of a list ("3 DM, 4 DM, 50 Pfennig").
    const double unit = amount.symbol.factor;
    if (!amount.symbol.found || amount.symbol.kind != FormKind::Currency || amount.symbolBefore ||
        unit > 1.0 || amount.magnitudeLast != kNone || amount.number.glued.found ||
        amount.number.decimals != 0)
        return;
    const std::u32string_view symbolWord = Tok(amount.last);
    if (symbolWord.empty() || SignEndsClause(amount.symbol))
        return;
    // "2 лв. и 50 ст.": bare cents after an abbreviation's full stop may start the next
    // sentence.
    const bool ownStop = symbolWord.back() == U'.';
    std::size_t pos = amount.last + 1;
    // "30 lire 3 gusti": only money that had coins below its unit takes bare cents.
    const bool bare = unit == 1.0 && amount.number.plain && !ownStop && !IsYear(amount.number) &&
                      SmallestCoin(amount.symbol.currency) < 1;
    if (const int cents = bare ? TrailingCents(pos) : -1; cents >= 0) {
        // "3 Mark 50": the cents without their name.
        amount.extra = cents / 100.0;
        amount.number.decimals = 2;
        std::size_t end = tokens_[pos].end;
        while (end > tokens_[pos].start && IsClosingPunctuation(text_.Text()[end - 1]))
            --end;
        amount.end = end;
        amount.last = pos;
        return;
    }
    // "11 kuna i i 10 lipa": a doubled word is a slip.
    for (int joins = 0;
         joins < 2 && pos < tokens_.size() && SameLine(amount.last, pos) && IsAndWord(Tok(pos));
         ++joins)
        ++pos;
    if (pos + 1 >= tokens_.size() || !SameLine(amount.last, pos + 1))
        return;
    const std::u32string_view cents = Tok(pos);
    if (cents.empty() || cents.size() > 3 || !std::all_of(cents.begin(), cents.end(), IsDigit))
        return;
    const Symbol sub = MatchAfter(pos + 1, {});
    // "2 gulden en 20 cent": a subunit the euro shares is the old money's here.
    const bool shared =
        sub.olders != nullptr &&
        std::any_of(sub.olders->begin(), sub.olders->end(), [&](const std::u32string& code) {
            const CurrencyIndex older = s_.CurrencyOfCode(code);
            return older == amount.symbol.currency ||
                   (older == kFRF && amount.symbol.currency == kBEF && s_.region_.home == kBEF);
        });
    // "1 gulden en 2 stuivers", "52 λίρες και 500 μιλς": any smaller coin, fewer of them
    // than make the main unit.
    double count = 0;
    for (const char32_t c : cents)
        count = count * 10 + (c - U'0');
    if (!sub.found || sub.kind != FormKind::Currency || sub.factor >= unit ||
        count * sub.factor >= unit || (sub.currency != amount.symbol.currency && !shared))
        return;
    // In the unit of the amount's own symbol: seven mils are 0.7 cents.
    const double part = sub.factor / unit;
    amount.extra = count * part;
    amount.number.decimals = part < 0.01 ? 3 : part < 0.1 ? 2 : 1;
    amount.end = sub.end;
    amount.last = sub.last;
}

}  // namespace kassavero

namespace kassavero {

int EverydayScanner::Reader::TrailingCents(std::size_t pos) const {
    // One or two digits right after the currency's name, which nothing else claims.
    if (pos >= tokens_.size() || !SameLine(pos - 1, pos) || tokens_[pos].gapBefore != 1)
        return -1;
    const std::u32string_view cents = WithoutClosingPunctuation(Tok(pos));
    if (cents.empty() || cents.size() > 2 || !std::all_of(cents.begin(), cents.end(), IsDigit))
        return -1;
    const bool clauseEnds =
        cents.size() < Tok(pos).size() || pos + 1 >= tokens_.size() || !SameLine(pos, pos + 1);
    if (!clauseEnds) {
        // "3 DM 50 Stück", "2 DM 20 Pfennig": the word after belongs to the small number.
        const Symbol after = MatchAfter(pos + 1, {});
        if (after.found || FindMagnitude(Tok(pos + 1), s_.region_) != nullptr)
            return -1;
    }
    return cents.size() == 2 ? (cents[0] - U'0') * 10 + (cents[1] - U'0') : (cents[0] - U'0') * 10;
}

bool EverydayScanner::Reader::SignEndsClause(const Symbol& sign) const {
    // "1990 L. 1.000", "2 лв. и 50 ст.": the full stop of an abbreviation ends no clause.
    const std::u32string_view word = Tok(sign.last);
    return !word.empty() && IsClosingPunctuation(word.back()) &&
           !(word.back() == U'.' && sign.end == tokens_[sign.last].end);
}

bool EverydayScanner::Reader::SignBetween(const Amount& amount) const {
    const Symbol& sign = amount.symbol;
    if (!sign.found || sign.kind == FormKind::Unit || sign.last == kNone ||
        sign.last + 1 >= tokens_.size() || Tok(sign.last).empty() || SignEndsClause(sign))
        return false;
    const std::u32string_view next = Tok(sign.last + 1);
    if (next.empty() || !IsDigit(next[0]) || !SameLine(sign.last, sign.last + 1))
        return false;
    std::u32string text(Tok(sign.first));
    for (std::size_t t = sign.first + 1; t <= sign.last; ++t)
        text += U' ' + std::u32string(Tok(t));
    return Lookup(text, true, false, false).found && SignIsNext(sign.first, sign.last);
}

}  // namespace kassavero

namespace kassavero {

bool EverydayScanner::Reader::SentenceStartsAt(std::size_t token) const {
    if (token == 0 || tokens_[token].lineBefore)
        return true;
    const std::u32string_view before = Tok(token - 1);
    const std::u32string_view word = Tok(token);
    const char32_t end = before.empty() ? 0 : before.back();
    return (end == U'.' || end == U'!' || end == U'?') && !word.empty() &&
           UpperCase(word[0]) == word[0] && LowerCase(word[0]) != word[0];
}

int EverydayScanner::Reader::LanguageAt(std::size_t token) const {
    int language = SentenceLanguage(token);
    if (language < 0)
        language = TextLanguage();
    // "The budget rose by 3 billion DM.": two words of one language still tell it.
    return language >= 0 ? language : SentenceLeaning(token);
}

int EverydayScanner::Reader::SentenceLanguage(std::size_t token) const {
    // The sentence's own words: a release may say the same thing in two languages.
    // Counted once per sentence, for both the language it is in and the one it leans to.
    constexpr int kLeaningWords = 2;
    std::vector<int>& cache = text_.TextFacts().localLanguage;
    std::vector<int>& leaning = text_.TextFacts().localLeaning;
    if (cache.empty()) {
        cache.assign(tokens_.size(), -2);
        leaning.assign(tokens_.size(), -1);
    }
    if (token >= cache.size())
        return -1;
    if (cache[token] != -2)
        return cache[token];
    const auto [first, last] = SentenceAround(token);
    LanguageCount count;
    for (std::size_t k = first; k <= last; ++k)
        count.Add(Tok(k));
    const int language = count.Language();
    const auto from = static_cast<std::ptrdiff_t>(first);
    const auto to = static_cast<std::ptrdiff_t>(last) + 1;
    std::fill(cache.begin() + from, cache.begin() + to, language);
    std::fill(leaning.begin() + from, leaning.begin() + to, count.Language(kLeaningWords));
    return language;
}

std::pair<std::size_t, std::size_t> EverydayScanner::Reader::SentenceAround(
    std::size_t token) const {
    std::size_t first = token;
    while (first > 0 && token - first < 40 && !SentenceStartsAt(first))
        --first;
    std::size_t last = token;
    while (last + 1 < tokens_.size() && last - token < 40 && !SentenceStartsAt(last + 1))
        ++last;
    return {first, last};
}

int EverydayScanner::Reader::SentenceLeaning(std::size_t token) const {
    // Too few common words to tell a language, but all of one ("The price was 4,500
    // marks."): enough to read a number's marks, which the desktop would misread.
    SentenceLanguage(token);
    const std::vector<int>& leaning = text_.TextFacts().localLeaning;
    return token < leaning.size() ? leaning[token] : -1;
}

bool everyday::MarksDisputed(std::u32string_view word) {
    // Only "10,000" or "1.234,56" read differently by language; "3,50" or "1.5" do not.
    const bool stop = word.find(U'.') != std::u32string_view::npos;
    const bool comma = word.find(U',') != std::u32string_view::npos;
    if (stop && comma)
        return true;
    for (std::size_t k = 0; k + 3 < word.size(); ++k) {
        if ((word[k] == U'.' || word[k] == U',') && IsDigit(word[k + 1]) && IsDigit(word[k + 2]) &&
            IsDigit(word[k + 3]) && (k + 4 == word.size() || !IsDigit(word[k + 4])))
            return true;
    }
    return false;
}

namespace {

// The longest run of digits and marks of a word: "CYP200,000" is "200,000".
std::u32string_view NumberRun(std::u32string_view word) {
    std::size_t start = 0;
    while (start < word.size() && !IsDigit(word[start]))
        ++start;
    std::size_t end = start;
    while (end < word.size() && (IsDigit(word[end]) || word[end] == U'.' || word[end] == U','))
        ++end;
    while (end > start && !IsDigit(word[end - 1]))
        --end;
    return word.substr(start, end - start);
}

}  // namespace

void everyday::ApostropheMarks(std::u32string& number, char32_t decimal) {
    const auto apostrophe = [](char32_t c) { return c == U'\'' || c == U'\u2019'; };
    const std::size_t first = number.find_first_of(U"'\u2019");
    if (first == std::u32string::npos || first == 0 || !IsDigit(number[first - 1]))
        return;
    // "1'011'000": groups of three after each; "1'40 pesetas", "0'96 euros": one, with the
    // cents after it, as Spanish hands write the decimal mark.
    std::size_t marks = 0;
    bool groups = true;
    for (std::size_t k = first; k < number.size(); ++k) {
        if (!apostrophe(number[k]))
            continue;
        ++marks;
        std::size_t digits = 0;
        while (k + 1 + digits < number.size() && IsDigit(number[k + 1 + digits]))
            ++digits;
        groups = groups && digits == 3;
    }
    const std::size_t last = number.size() - first - 1;
    if (groups) {
        std::erase_if(number, apostrophe);
    } else if (marks == 1 && (last == 1 || last == 2) &&
               std::all_of(number.begin() + static_cast<std::ptrdiff_t>(first) + 1, number.end(),
                           IsDigit)) {
        number[first] = decimal;
    }
}

void everyday::MillionsByComma(std::u32string& number, bool withCents) {
    const std::size_t comma = number.find(U',');
    if (comma == 0 || comma > 3 || comma == std::u32string::npos ||
        !std::all_of(number.begin(), number.begin() + static_cast<std::ptrdiff_t>(comma), IsDigit))
        return;
    // Groups of three after the comma, each but the first after a full stop, and perhaps
    // the cents after a last comma.
    std::size_t k = comma;
    int stops = 0;
    while (k < number.size() && (number[k] == (k == comma ? U',' : U'.')) &&
           k + 4 <= number.size() && IsDigit(number[k + 1]) && IsDigit(number[k + 2]) &&
           IsDigit(number[k + 3])) {
        stops += number[k] == U'.' ? 1 : 0;
        k += 4;
    }
    const bool cents = k + 3 == number.size() && number[k] == U',' && IsDigit(number[k + 1]) &&
                       IsDigit(number[k + 2]);
    // ",-", ",--" and ".--" all stand for no cents.
    const bool dash =
        k + 2 <= number.size() && k + 3 >= number.size() &&
        (number[k] == U',' || number[k] == U'.') &&
        std::all_of(number.begin() + static_cast<std::ptrdiff_t>(k) + 1, number.end(), IsDash);
    if (stops >= 1 && ((k == number.size() && !withCents) || cents || dash))
        number[comma] = U'.';
}

char32_t everyday::PlainDecimal(std::u32string_view word) {
    const std::u32string_view run = NumberRun(word);
    const std::size_t mark = run.find_first_of(U".,");
    if (mark == std::u32string_view::npos || mark == 0 ||
        run.find_first_of(U".,", mark + 1) != std::u32string_view::npos)
        return 0;
    return run.size() - mark - 1 >= 4 || (mark == 1 && run[0] == U'0') ? run[mark] : 0;
}

bool everyday::GroupsThousands(std::u32string_view word, char32_t decimal) {
    const std::u32string_view run = NumberRun(word);
    const std::size_t mark = run.find_first_of(U".,");
    if (mark == std::u32string_view::npos || mark == 0 || run[mark] != decimal ||
        run.find_first_of(U".,", mark + 1) != std::u32string_view::npos ||
        run.size() - mark - 1 != 3 || run[0] == U'0')
        return false;
    return decimal == U'.' || run.substr(mark + 1) == U"000" || mark >= 2;
}

char32_t everyday::DecimalShown(std::u32string_view word) {
    const std::u32string_view run = NumberRun(word);
    const std::size_t last = run.find_last_of(U".,");
    if (last == std::u32string_view::npos)
        return 0;
    const char32_t mark = run[last];
    const char32_t other = mark == U'.' ? U',' : U'.';
    const std::size_t after = run.size() - last - 1;
    if (run.find(other) != std::u32string_view::npos)
        return after == 3 ? 0 : mark;  // "1.234,56", "1,234.56"; "1,896.828" tells nothing
    if (std::count(run.begin(), run.end(), mark) > 1)
        return other;              // "1.000.000"
    return after == 3 ? 0 : mark;  // "1.000" tells nothing
}

char32_t everyday::RateMark(std::u32string_view word) {
    std::size_t start = 0;
    while (start < word.size() && !IsDigit(word[start]))
        ++start;
    double whole = 0;
    double part = 0;
    double scale = 1;
    char32_t mark = 0;
    for (std::size_t k = start; k < word.size(); ++k) {
        const char32_t c = word[k];
        if (IsDigit(c)) {
            if (mark == 0) {
                whole = whole * 10 + (c - U'0');
            } else {
                scale /= 10;
                part += (c - U'0') * scale;
            }
        } else if ((c == U'.' || c == U',') && mark == 0 && k + 1 < word.size() &&
                   IsDigit(word[k + 1])) {
            mark = c;
        } else {
            break;
        }
    }
    if (mark == 0)
        return 0;
    static const std::vector<double> kRates = [] {
        std::vector<double> rates;
        for (CurrencyIndex c = 0; c < kFixedCurrencyCount; ++c) {
            if (c != kEUR)
                rates.push_back(FixedCurrencyRate(c));
        }
        for (const LaterCurrency& later : LaterCurrencies())
            rates.push_back(ParseDecimalStrict(later.Rate, U'.').value_or(0));
        return rates;
    }();
    const double value = whole + part;
    return std::any_of(kRates.begin(), kRates.end(),
                       [&](double rate) { return std::abs(value - rate) < 1e-9 * rate; })
               ? mark
               : 0;
}

const CharSet& EverydayScanner::Reader::ThousandsAt(std::size_t offset) const {
    // "10,000 marks" in an English sentence, "1.234,56 DM" in a German one: the language
    // of the sentence around a number decides which of its marks groups thousands; else
    // the way the text's other amounts are written ("1 EUR = 239.640 SIT, 100 SIT =
    // 0.41729 EUR"), else the text's language.
    const std::size_t token = text_.TokenAt(offset);
    if (!MarksDisputed(Tok(token)))
        return s_.thousands_;
    // "1 € = 239,640 SIT" in an English text: a fixed euro rate is read as one.
    if (const char32_t mark = RateMark(Tok(token)); mark != 0)
        return mark == U',' ? s_.thousandsAfterComma_ : s_.thousandsAfterStop_;
    // How the writer marks decimals elsewhere ("£7,361 billion ... 0,32 %") tells more than
    // the language of the sentence.
    char32_t decimal = gathering_ ? 0 : Facts().decimalShown;
    if (decimal == 0) {
        // The language only tells the usual mark; the number's shape may tell otherwise.
        decimal = LanguageCount::DecimalOf(SentenceLanguage(token));
        if (decimal == 0)
            decimal = LanguageCount::DecimalOf(TextLanguage());
        if (decimal == 0)
            decimal = LanguageCount::DecimalOf(SentenceLeaning(token));
        // Nothing tells: the desktop's mark, which the shape may still overrule ("10,000
        // δρχ" is ten thousand drachmas on a Greek desktop too).
        if (decimal == 0 &&
            (s_.region_.decimalSeparator == U',' || s_.region_.decimalSeparator == U'.'))
            decimal = s_.region_.decimalSeparator;
        const bool shownElsewhere =
            !gathering_ && (decimal == U'.' ? Facts().stopIsDecimal : Facts().commaIsDecimal);
        // "SKK 1.579 billion": before a magnitude word three decimals are common.
        const auto magnitude = [&](std::u32string_view word) {
            return FindMagnitudeLazily(word, s_.region_, [&] { return LanguageAt(token); });
        };
        const bool scaled = token + 1 < tokens_.size() && SameLine(token, token + 1) &&
                            (magnitude(Tok(token + 1)) != nullptr ||
                             magnitude(WithoutClosingPunctuation(Tok(token + 1))) != nullptr);
        if (decimal != 0 && !shownElsewhere && !scaled && GroupsThousands(Tok(token), decimal))
            decimal = decimal == U',' ? U'.' : U',';
    }
    if (decimal == U',')
        return s_.thousandsAfterComma_;
    if (decimal == U'.')
        return s_.thousandsAfterStop_;
    return s_.thousands_;
}

}  // namespace kassavero
