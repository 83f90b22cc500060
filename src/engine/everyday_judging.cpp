// SPDX-License-Identifier: GPL-3.0-or-later
// Which amounts read are amounts to convert: what stands around them decides.

#include <algorithm>
#include <bitset>
#include <cmath>

#include "core/later_currencies.h"
#include "core/number_text.h"
#include "core/unicode_text.h"
#include "engine/everyday_reader.h"
#include "settings/profile_settings.h"

namespace kassavero {

using namespace everyday;

namespace {

// The year the euro's cash came to the country of this money.
int EuroYearOf(std::u32string_view code) {
    const LaterCurrency* later = FindLaterCurrency(code);
    return later == nullptr ? static_cast<int>(kFirstEuroYear)
                            : static_cast<int>(later->Changeover.year());
}

// The year a word names: four digits, or a date that ends in them ("1-5-1966",
// "12.03.1999"); -1 for any other word.
int YearOfWord(std::u32string_view word) {
    const auto ascii = [](char32_t c) { return c >= U'0' && c <= U'9'; };
    if (word.size() > 4) {
        const std::u32string_view day = word.substr(0, word.size() - 4);
        const char32_t mark = day.back();
        if ((mark != U'-' && mark != U'.' && mark != U'/') || !ascii(day.front()) ||
            !std::all_of(day.begin(), day.end(), [&](char32_t c) { return ascii(c) || c == mark; }))
            return -1;
        word.remove_prefix(day.size());
    }
    if (word.size() != 4 || !std::all_of(word.begin(), word.end(), ascii))
        return -1;
    int value = 0;
    for (const char32_t c : word)
        value = value * 10 + static_cast<int>(c - U'0');
    return value;
}

}  // namespace

bool EverydayScanner::Reader::BareAllowed(const Amount& amount) const {
    const Number& n = amount.number;
    if (!settings_.InputNumbersWithoutSymbols || n.glued.found || amount.family >= 0 ||
        amount.magnitudeLast != kNone)
        return false;
    if (!IsCurrency(ListPositionToIndex(settings_.InputDefaultCurrency)))
        return false;
    // A dash stands for the decimals: "25,-" is written with them.
    if (settings_.InputCheckForDecimalsActive && n.decimals != settings_.InputCheckForDecimals &&
        !n.centsDash)
        return false;
    // A whole number without a symbol is a count, a year or a page far more often than
    // money; only a number written with its cents, or a dash for them, may be a price.
    if (n.decimals == 0 && !n.centsDash)
        return false;
    // "7.-(1)" numbers a clause, and so does "4.- Las modificaciones" opening a line.
    if (n.centsDash && n.last + 1 < tokens_.size() && tokens_[n.last + 1].gapBefore == 0)
        return false;
    if (n.centsDash && Tok(n.last).ends_with(U".-") &&
        (n.first == 0 || tokens_[n.first].lineBefore) && n.last + 1 < tokens_.size() &&
        IsLetter(Tok(n.last + 1).front()) &&
        LowerCase(Tok(n.last + 1).front()) != Tok(n.last + 1).front())
        return false;
    // Decimals written the way the desktop writes them: "14.30" in German is a time.
    if (n.decimals > 0 && n.decimalChar != s_.region_.decimalSeparator)
        return false;
    // A year, a reference, a time, a date or a ratio.
    if (IsYear(n) || AfterApostrophe(n) || InRatio(n))
        return false;
    if (n.first > 0) {
        const std::u32string_view before = Tok(n.first - 1);
        if (IsReferenceWord(before) || IsTimeWord(before))
            return false;
    }
    if (n.last + 1 < tokens_.size() && IsMonthName(Tok(n.last + 1)))
        return false;
    // "3,03 s/kWh": a price per unit, in money the word before the slash names.
    if (n.last + 2 < tokens_.size() && Tok(n.last + 2) == U"/" &&
        tokens_[n.last + 2].gapBefore == 0 && SameLine(n.last, n.last + 2))
        return false;
    // "3,27 milijardi kuna, od toga 1,79 u 2014.": where the text writes its sums of the
    // home money only with a magnitude word, a bare number is one of them without it.
    const CurrencyIndex home = ListPositionToIndex(settings_.InputDefaultCurrency);
    if (Facts().scaled.test(home) && !Facts().unscaled.test(home))
        return false;
    // "von 2,46 auf 2,36 Millionen": the first of two joined numbers shares the second's
    // magnitude, and that one names no money.
    if (n.last + 2 < tokens_.size() && SameLine(n.last, n.last + 2)) {
        const std::u32string_view joiner = Tok(n.last + 1);
        if (IsToWord(joiner) || IsAndWord(joiner) || IsOrWord(joiner) || IsLeadsToWord(joiner) ||
            (joiner.size() == 1 && IsDash(joiner[0]))) {
            const Amount next = ReadAmountAt(n.last + 2, tokens_[n.last + 2].start);
            if (next.ok && next.magnitudeLast != kNone &&
                !(next.symbol.found && next.symbol.kind == FormKind::Currency))
                return false;
        }
    }
    return OnlyDefaultMarked();
}

const EverydayText::Facts& EverydayScanner::Reader::Facts() const {
    // A glance at the word on either side of each number tells how the text marks its
    // amounts; its commonest short words tell its language.
    EverydayText::Facts& facts = text_.TextFacts();
    if (facts.known)
        return facts;
    TextLanguage();
    facts.known = true;
    Reader(s_, text_, floor_, Purpose::GatheringFacts).GatherFacts(facts);
    return facts;
}

void EverydayScanner::Reader::GatherFacts(EverydayText::Facts& facts) const {
    // `large`: a sum with a magnitude word or of many digits ("2.610.000.000 lire").
    const auto note = [&](const Symbol& symbol, bool large) {
        if (!symbol.found || symbol.kind == FormKind::Unit)
            return false;
        if (symbol.kind == FormKind::Foreign) {
            facts.otherMoney = true;
            facts.otherInFull = facts.otherInFull || symbol.text.find(U' ') != std::u32string::npos;
            facts.otherNamed = facts.otherNamed || static_cast<std::size_t>(std::count_if(
                                                       symbol.text.begin(), symbol.text.end(),
                                                       IsLetter)) >= kNameLetters;
            if (symbol.shares != nullptr)
                facts.unsure.insert(facts.unsure.end(), symbol.shares->begin(),
                                    symbol.shares->end());
        } else if (IsCurrency(symbol.currency)) {
            facts.marked.set(symbol.currency);
            (large ? facts.scaled : facts.unscaled).set(symbol.currency);
            const std::size_t custom = static_cast<std::size_t>(symbol.currency - kCUS1);
            const std::u32string_view code =
                symbol.currency < kFixedCurrencyCount ? CurrencyCode(symbol.currency)
                : custom < settings_.CustomCurrencySymbol.size()
                    ? std::u32string_view(settings_.CustomCurrencySymbol[custom])
                    : std::u32string_view();
            const bool byCode = !code.empty() && EqualsIgnoringCase(symbol.text, code);
            if (!symbol.ambiguous && byCode)
                facts.markedByCode.set(symbol.currency);
            if (!symbol.ambiguous && !byCode && symbol.text.find(U' ') != std::u32string::npos)
                facts.namedInFull.set(symbol.currency);
        }
        return true;
    };
    int commas = 0;
    int stops = 0;
    const auto wordAt = [&](std::size_t k) { return WithoutClosingPunctuation(Tok(k)); };
    for (std::size_t i = 0; i < tokens_.size(); ++i) {
        const std::u32string_view word = Tok(i);
        if (std::none_of(word.begin(), word.end(), IsDigit))
            continue;
        const char32_t plain = PlainDecimal(word);
        facts.stopIsDecimal = facts.stopIsDecimal || plain == U'.';
        facts.commaIsDecimal = facts.commaIsDecimal || plain == U',';
        std::size_t after = i + 1;
        const bool scaled = after < tokens_.size() &&
                            FindMagnitude(wordAt(after), s_.region_, facts.language) != nullptr;
        const Number glued = !IsDigit(word[0]) || !IsDigit(word.back())
                                 ? ReadNumberAt(i, tokens_[i].start)
                                 : Number{};
        // "93mila lire": a magnitude glued to the number.
        const bool large = scaled || (glued.ok && glued.family >= 0) ||
                           (std::count_if(word.begin(), word.end(), IsDigit) >= kLargeDigits &&
                            ReadNumberText(word, tokens_[i].start).value >= kLargeSum);
        bool money = false;
        if (glued.ok)
            money = note(glued.glued, large);
        if (i > 0)
            money = note(Lookup(wordAt(i - 1), true, false, true), large) || money;
        if (scaled)
            ++after;
        if (after < tokens_.size() && IsMagnitudeLink(Tok(after)))
            ++after;
        if (after < tokens_.size()) {
            const Symbol symbol = MatchAfter(after, WithoutElision(Tok(after)));
            // "0,32 %", "2.5 kg": the way a measure is written shows the decimal mark too.
            money = money || (symbol.found && symbol.kind == FormKind::Unit);
            money = note(symbol, large) || money;
        }
        if (money) {
            const char32_t shown = DecimalShown(word);
            commas += shown == U',' ? 1 : 0;
            stops += shown == U'.' ? 1 : 0;
        }
    }
    facts.decimalShown = commas > 0 && stops == 0 ? U',' : stops > 0 && commas == 0 ? U'.' : 0;
}

int EverydayScanner::Reader::TextLanguage() const {
    EverydayText::Facts& facts = text_.TextFacts();
    if (!facts.languageKnown) {
        facts.languageKnown = true;
        LanguageCount language;
        for (std::size_t i = 0; i < tokens_.size() && !language.Settled(); ++i)
            language.Add(Tok(i));
        facts.language = language.Language();
    }
    return facts.language;
}

bool EverydayScanner::Reader::EuroNamed() const {
    // "100 pesetas (los 60 céntimos de hoy) ... cuando el euro empezó": a text that names
    // the euro anywhere may mean euro cents.
    EverydayText::Facts& facts = text_.TextFacts();
    if (facts.euroNamed < 0) {
        facts.euroNamed = 0;
        for (std::size_t i = 0; i < tokens_.size() && facts.euroNamed == 0; ++i) {
            if (!MayNameTheEuro(Tok(i)))
                continue;
            const EverydayForm* form = FindEverydayForm(Tok(i), s_.region_, TextLanguage());
            facts.euroNamed = form != nullptr && form->kind == FormKind::Currency &&
                                      form->currency == kEUR && form->factor == 1.0 &&
                                      !form->touching
                                  ? 1
                                  : 0;
        }
    }
    return facts.euroNamed == 1;
}

bool EverydayScanner::Reader::NamesCurrency(CurrencyIndex currency) const {
    // "12,00 —- und zwar DM", "the Maltese Lira ... 50c": the money named anywhere, beside
    // a number or not, by one word or two ("belgische Franken"). One look at the whole
    // text tells it for every currency.
    EverydayText::Facts& facts = text_.TextFacts();
    if (!facts.namedKnown) {
        facts.namedKnown = true;
        const auto note = [&](std::u32string_view text) {
            const LowerCaseWord lowered(text);
            const SymbolMatch own = s_.FindUserSymbol(text, lowered.View());
            if (own.Entry != nullptr && IsCurrency(own.List))
                facts.named.set(own.List);
            const EverydayForm* form = FindEverydayForm(text, s_.region_, TextLanguage());
            if (form == nullptr || form->kind != FormKind::Currency)
                return;
            facts.milsNamed = facts.milsNamed || form->factor < 0.01;
            const CurrencyIndex named =
                form->laterCode.empty() ? form->currency : s_.CustomCurrencyOfCode(form->laterCode);
            if (IsCurrency(named))
                facts.named.set(named);
        };
        std::u32string pair;
        for (std::size_t i = 0; i < tokens_.size(); ++i) {
            const std::u32string_view word = WithoutClosingPunctuation(Tok(i));
            if (word.empty() || IsDigit(word[0]))
                continue;
            note(word);
            if (i + 1 < tokens_.size() && SameLine(i, i + 1) && word.size() == Tok(i).size()) {
                pair.assign(word);
                pair += U' ';
                pair += WithoutClosingPunctuation(Tok(i + 1));
                note(pair);
            }
        }
    }
    return IsCurrency(currency) && facts.named.test(currency);
}

std::bitset<kCurrencyCount> EverydayScanner::Reader::OldMoneyNamed() const {
    NamesCurrency(kEUR);
    std::bitset<kCurrencyCount> named = Facts().named;
    named.reset(kEUR);
    return named;
}

bool EverydayScanner::Reader::SignSharedByNamedMoney(std::u32string_view sign) const {
    // "one offers to take sterling, with £1 equalling €2": a sign that money named
    // anywhere in the text also uses cannot be told from it. Looked for only once a
    // shared sign is met, so long texts without one pay nothing for it.
    EverydayText::Facts& facts = text_.TextFacts();
    if (!facts.sharedNamesKnown) {
        facts.sharedNamesKnown = true;
        // Names of one word or more ("Ostmark", "East German marks").
        std::u32string name;
        for (std::size_t i = 0; i < tokens_.size(); ++i) {
            name.clear();
            for (std::size_t k = i; k < tokens_.size() && k < i + 3 && SameLine(i, k); ++k) {
                const std::u32string_view word = WithoutClosingPunctuation(Tok(k));
                if (word.size() < 2 || !std::all_of(word.begin(), word.end(), IsLetter))
                    break;
                if (k > i)
                    name += U' ';
                name += word;
                const EverydayForm* form = FindEverydayForm(name, s_.region_, TextLanguage());
                if (form != nullptr && form->kind == FormKind::Foreign && form->shares != nullptr)
                    facts.sharedByNamed.insert(facts.sharedByNamed.end(), form->shares->begin(),
                                               form->shares->end());
                if (word.size() != Tok(k).size())
                    break;
            }
        }
    }
    return std::find(facts.sharedByNamed.begin(), facts.sharedByNamed.end(), sign) !=
           facts.sharedByNamed.end();
}

bool EverydayScanner::Reader::OnlyDefaultMarked() const {
    // A bare number is in the default currency only in a text that marks no amount in
    // another currency, and that is written in the desktop's language: beside euros or
    // francs, or in a Spanish article on a German desktop, a careful reader could not tell
    // which money it is.
    const CurrencyIndex home = ListPositionToIndex(settings_.InputDefaultCurrency);
    const EverydayText::Facts& facts = Facts();
    std::bitset<kCurrencyCount> others = facts.marked;
    others.reset(home);
    if (others.any() || facts.otherMoney)
        return false;
    // "a euro amount of 4.184 would be rounded down to 4.18": a text that names the euro
    // and neither marks an amount in the old money nor names it means euros as likely.
    if (!facts.marked.test(home) && EuroNamed() && !NamesCurrency(home))
        return false;
    const bool told = LanguageCount::Knows(s_.region_.language);
    return facts.language < 0 || !told || facts.language == s_.region_.language;
}

bool EverydayScanner::Reader::LinkToNext(const Amount& amount, Amount& linked) const {
    // "2,40 bis 4,40 DM", "zwischen 20 und 100 Mark", "5.000, 10.000 en 50.000 gulden":
    // a number without a symbol takes the symbol of the next one it is joined to.
    const Number& n = amount.number;
    const std::u32string_view opener = n.first > 0 ? Tok(n.first - 1) : std::u32string_view();
    // "entre os 500 e os 5.000 escudos": an article after the words of a range.
    const std::u32string_view openerBefore =
        n.first > 1 && IsMagnitudeLink(opener) ? Tok(n.first - 2) : std::u32string_view();
    const bool inList = !opener.empty() && opener.back() == U',';
    if ((IsYear(n) && !inList) || IsReferenceWord(opener) || AfterApostrophe(n))
        return false;
    if (n.last + 1 < tokens_.size() && SplitByStrayBlank(ReadNumberAt(n.last + 1, 0)))
        return false;
    const bool lineStart = n.first == 0 || tokens_[n.first].lineBefore;
    std::size_t last = n.last;
    double previous = n.value;
    int previousDecimals = n.decimals;
    bool commas = inList;
    for (int step = 0; step < 8; ++step) {
        std::size_t next = last + 1;
        if (next >= tokens_.size() || tokens_[next].lineBefore)
            return false;
        const char32_t end = text_.Text()[tokens_[last].end - 1];
        const bool comma = end == U',';
        // A sentence or clause ends here: "in fascia 0. E 21 milioni ... lira".
        if (!comma && IsClosingPunctuation(end))
            return false;
        std::u32string_view joiner;
        if (comma) {
            commas = true;
            // "1, 2, 5, 10, 20, and 50 santims"
            if (IsAndWord(Tok(next)) || IsOrWord(Tok(next)))
                ++next;
        } else {
            joiner = Tok(next);
            ++next;
            if (!openerBefore.empty() && next + 1 < tokens_.size() && IsMagnitudeLink(Tok(next)))
                ++next;
        }
        if (next >= tokens_.size() || tokens_[next].lineBefore)
            return false;
        const Amount following = ReadAmountAt(next, tokens_[next].start);
        if (!following.ok)
            return false;
        const bool marked = following.symbol.found && following.symbol.kind != FormKind::Unit;
        const double value = following.number.value;
        const bool upward = previous < value;
        const bool alike = previousDecimals == following.number.decimals;
        // "za 1.000 in 500 tolarjev": notes and large sums are listed downwards too.
        const bool notes = previous >= kListedDownFrom && previousDecimals == 0;
        // A list of bare numbers goes on to its last one; "10.000, 15.000 Schilling" ends in
        // a marked one of the same kind.
        bool joined = comma && (!marked || (alike && upward));
        if (!comma) {
            const bool andWord = IsAndWord(joiner);
            const bool orWord = IsOrWord(joiner);
            const bool toWord = IsToWord(joiner);
            const bool dash = joiner.size() == 1 && IsDash(joiner[0]);
            // "Bilancio 1842 – 9.400 £": a range writes its thousands alike at both ends.
            const bool groupedAlike = !(n.plain && n.value >= 1000 && !following.number.plain &&
                                        following.number.decimals == 0);
            joined = IsRangeOpener(opener, joiner) || IsRangeOpener(openerBefore, joiner) ||
                     orWord || IsInsteadWord(joiner) ||
                     (andWord && (commas || (alike && (upward || notes)))) || (toWord && upward) ||
                     (dash && !lineStart && alike && upward && groupedAlike);
        }
        if (!joined)
            return false;
        if (marked) {
            linked = following;
            return true;
        }
        if (following.symbol.found)
            return false;
        last = following.number.last;
        previous = value;
        previousDecimals = following.number.decimals;
    }
    return false;
}

bool EverydayScanner::Reader::CarriedOn(const Amount& amount, Amount& previous) const {
    // "von 30 auf 40 Pfennig, 1974 auf 50, 1979 auf 60": a bare number a change leads to
    // is in the money of the amount just before it, when it ends the clause.
    const Number& n = amount.number;
    if (n.first < 2 || n.glued.found || IsYear(n) || AfterApostrophe(n))
        return false;
    const auto leadsTo = [&](std::size_t token) { return IsLeadsToWord(Tok(token)); };
    if (!leadsTo(n.first - 1))
        return false;
    const std::u32string_view number = Tok(n.last);
    const bool clauseEnds = n.last + 1 >= tokens_.size() || tokens_[n.last + 1].lineBefore ||
                            IsClosingPunctuation(number.back()) ||
                            IsClosingPunctuation(Tok(n.last + 1)[0]) || Tok(n.last + 1) == U")" ||
                            IsDash(Tok(n.last + 1)[0]) || Tok(n.last + 1) == U"(";
    // "da Lit. 1.500 a 2.000 per numero": or a short word that names no thing.
    const bool wordAfter =
        !clauseEnds && (IsCommonWord(Tok(n.last + 1)) || IsAfterSumWord(Tok(n.last + 1)));
    if (!clauseEnds && !wordAfter)
        return false;
    const std::size_t reach = n.first >= 10 ? n.first - 10 : 0;
    for (std::size_t k = n.first - 1; k-- > reach;) {
        if (tokens_[k + 1].lineBefore)
            return false;
        const std::u32string_view word = Tok(k);
        if (std::none_of(word.begin(), word.end(), IsDigit))
            continue;
        const Amount before = ReadAmountAt(k, tokens_[k].start);
        if (!before.ok || before.end > tokens_[n.first].start)
            continue;
        // A year on the way ("1974 auf 50") or a number carried on itself ("auf 50, 1979
        // auf 60") is passed over.
        if (!before.symbol.found && (IsYear(before.number) ||
                                     (before.number.first > 0 && leadsTo(before.number.first - 1))))
            continue;
        if (!before.symbol.found || before.symbol.kind != FormKind::Currency ||
            before.number.decimals != n.decimals)
            return false;
        previous = before;
        return true;
    }
    return false;
}

bool EverydayScanner::Reader::SentenceEndsAfter(std::size_t token) const {
    // "Pfennige. Super" ends a sentence; "ptas. para" and "Nr. 5" do not.
    const std::u32string_view word = Tok(token);
    const char32_t end = word.back();
    if (token + 1 >= tokens_.size() || tokens_[token + 1].lineBefore)
        return true;
    if (end == U'!' || end == U'?')
        return true;
    const char32_t next = Tok(token + 1)[0];
    return end == U'.' && (IsDigit(next) || next != LowerCase(next));
}

bool EverydayScanner::Reader::ClauseEndsAfter(std::size_t token) const {
    if (token + 1 >= tokens_.size() || tokens_[token + 1].lineBefore ||
        IsClosingPunctuation(Tok(token).back()))
        return true;
    const std::u32string_view next = Tok(token + 1);
    return (next.size() == 1 && (IsOwnWord(next[0]) || IsDash(next[0]))) ||
           IsClosingPunctuation(next[0]);
}

bool EverydayScanner::Reader::InParallel(const Amount& amount, Amount& model) const {
    // "für 45 Pfennige zu haben, Super für 52 und Diesel für 43 Pfennig", "auf den Bahamas
    // (101 DM), in Jordanien (98)", "de 50 pesetas para los de cuarta, de 90 para": a bare
    // number after the same word as an amount in old money earlier in the sentence, and
    // followed as that one is (or ending its clause), repeats its pattern and its money.
    const Number& n = amount.number;
    if (n.first == 0 || n.glued.found || IsYear(n) || AfterApostrophe(n) || InRatio(n) ||
        !SameLine(n.first - 1, n.first))
        return false;
    // Digits alone: "2m" may be mils or millions.
    if (n.magnitude != 1.0 || n.first != n.last ||
        n.end - tokens_[n.first].start != WithoutClosingPunctuation(Tok(n.first)).size())
        return false;
    // "лев и 93 стотинки, … лев и 99": after "and" a number may be a compound's cents.
    const std::u32string_view lead = Tok(n.first - 1);
    if (std::any_of(lead.begin(), lead.end(), IsDigit) || IsReferenceWord(lead) ||
        IsTimeWord(lead) || IsAndWord(lead) || IsOrWord(lead) || IsClosingPunctuation(lead.back()))
        return false;
    const auto wordAfter = [&](std::size_t token) {
        return token + 1 < tokens_.size() && !tokens_[token + 1].lineBefore
                   ? WithoutClosingPunctuation(Tok(token + 1))
                   : std::u32string_view();
    };
    const auto leads = [&](std::size_t token) {
        return token > 0 && SameLine(token - 1, token) && EqualsIgnoringCase(Tok(token - 1), lead);
    };
    const std::size_t reach = n.first > kParallelReach ? n.first - kParallelReach : 0;
    for (std::size_t k = n.first - 1; k-- > reach;) {
        if (SentenceEndsAfter(k))
            return false;
        const std::u32string_view word = Tok(k);
        // Only a number after the same word, or after a sign after it, may be the model.
        if (std::none_of(word.begin(), word.end(), IsDigit) ||
            !(leads(k) || (k > 0 && leads(k - 1))))
            continue;
        const Amount before = ReadAmountAt(k, tokens_[k].start);
        if (!before.ok || before.end > tokens_[n.first].start || !before.symbol.found)
            continue;
        const Symbol& symbol = before.symbol;
        const std::size_t first = before.symbolBefore && !before.number.glued.found
                                      ? std::min(symbol.first, before.number.first)
                                      : before.number.first;
        if (symbol.kind != FormKind::Currency || !IsCurrency(symbol.currency) ||
            symbol.currency == kEUR || symbol.ambiguous || before.magnitudeLast != kNone ||
            symbol.family >= 0 || before.number.decimals != n.decimals || !leads(first))
            return false;
        // Followed as the model is, or ending a clause as it does: "für 52 und Diesel" too,
        // but not "für 2 und 3 Personen".
        const std::u32string_view follower = wordAfter(n.last);
        const bool ends = ClauseEndsAfter(n.last);
        const bool joined = !ends && (IsAndWord(follower) || IsOrWord(follower)) &&
                            n.last + 2 < tokens_.size() &&
                            std::none_of(Tok(n.last + 2).begin(), Tok(n.last + 2).end(), IsDigit);
        if (!joined && !(ends && ClauseEndsAfter(before.last)) &&
            (follower.empty() || !EqualsIgnoringCase(wordAfter(before.last), follower)))
            return false;
        // Euros or other money named between them break the pattern.
        for (std::size_t j = before.last + 1; j < n.first; ++j) {
            const Symbol other = Lookup(WithoutClosingPunctuation(Tok(j)), false, false, false);
            if (other.found && other.kind != FormKind::Unit && other.currency != symbol.currency)
                return false;
        }
        model = before;
        return true;
    }
    return false;
}

bool EverydayScanner::Reader::EndsListItem(std::size_t token) const {
    // "kroasan 6," "1.700 (prezzo attuale 1.500);": a price ends its item at a comma, a
    // semicolon or a bracket, not at a full stop ("Zimmer 12.").
    const std::u32string_view word = Tok(token);
    if (word.back() == U',' || word.back() == U';' || word.ends_with(U"..."))
        return true;
    if (token + 1 >= tokens_.size() || !SameLine(token, token + 1))
        return false;
    const std::u32string_view next = Tok(token + 1);
    return next == U"(" || next == U")" || next == U";" || next == U"..." || next == U"\u2026";
}

bool EverydayScanner::Reader::InPriceList(const Amount& amount, Amount& model) const {
    // "Mala kifla 2 kune, kroasan 6, litra mlijeka 10": in a list of things and their
    // prices, where the first price names old money, the others are in it too.
    const Number& n = amount.number;
    if (n.first == 0 || n.first != n.last || n.glued.found || n.magnitude != 1.0 || IsYear(n) ||
        AfterApostrophe(n) || InRatio(n) || !SameLine(n.first - 1, n.first) ||
        !EndsListItem(n.last))
        return false;
    const auto itemName = [&](std::size_t token) {
        const std::u32string_view word = Tok(token);
        return !word.empty() && IsLetter(word[0]) && IsLetter(word.back()) &&
               !IsReferenceWord(word) && !IsTimeWord(word) && !IsAndWord(word) && !IsOrWord(word) &&
               !IsLeadsToWord(word) && !IsToWord(word) && !IsMagnitudeLink(word) &&
               !Lookup(word, true, false, false).found;
    };
    if (!itemName(n.first - 1))
        return false;
    int depth = 0;  // brackets passed, walking back
    const std::size_t reach = n.first > kPriceListReach ? n.first - kPriceListReach : 0;
    for (std::size_t k = n.first - 1; k-- > reach;) {
        if (!SameLine(k, k + 1) || SentenceEndsAfter(k))
            return false;
        const std::u32string_view word = Tok(k);
        depth += word == U")" ? 1 : word == U"(" ? -1 : 0;
        if (std::none_of(word.begin(), word.end(), IsDigit))
            continue;
        const Amount before = ReadAmountAt(k, tokens_[k].start);
        if (!before.ok || before.end > tokens_[n.first].start)
            continue;
        const bool lead = before.number.first > 0 && (itemName(before.number.first - 1) ||
                                                      Tok(before.number.first - 1).ends_with(U","));
        if (!before.symbol.found) {
            // Another price of the list, or one in brackets beside one.
            if (depth > 0 || (lead && EndsListItem(before.number.last)))
                continue;
            return false;
        }
        const Symbol& symbol = before.symbol;
        if (symbol.kind != FormKind::Currency || !IsCurrency(symbol.currency) ||
            symbol.currency == kEUR || symbol.ambiguous || symbol.factor != 1.0 ||
            before.symbolBefore || before.magnitudeLast != kNone ||
            before.number.decimals != n.decimals || !lead || !EndsListItem(before.last))
            return false;
        model = before;
        return true;
    }
    return false;
}

bool EverydayScanner::Reader::IsYear(const Number& n) const {
    return n.plain && n.decimals == 0 && n.value >= kFirstYear && n.value <= kLastYear &&
           n.end - n.start == 4;
}

bool EverydayScanner::Reader::AfterApostrophe(const Number& n) const {
    // "’79", "'98": a year; "82/83", "14/498": a season or a paper's number.
    const bool slashAfter = n.last + 1 < tokens_.size() && tokens_[n.last + 1].gapBefore == 0 &&
                            Tok(n.last + 1) == U"/";
    if (slashAfter)
        return true;
    if (n.first == 0 || tokens_[n.first].gapBefore != 0)
        return false;
    const std::u32string_view before = Tok(n.first - 1);
    return before.size() == 1 && (IsEdgeQuote(before[0]) || before[0] == U'/');
}

bool EverydayScanner::Reader::InRatio(const Number& n) const {
    // "razmerje 1:1,45", "2,5:1": a ratio, a score or a time.
    const auto digitEnds = [&](std::size_t k) {
        const std::u32string_view word = Tok(k);
        return !word.empty() && IsDigit(word.back());
    };
    const auto colonAt = [&](std::size_t k) {
        return k < tokens_.size() && Tok(k) == U":" && tokens_[k].gapBefore == 0;
    };
    const bool before = n.first >= 2 && tokens_[n.first].gapBefore == 0 && colonAt(n.first - 1) &&
                        digitEnds(n.first - 2);
    const bool after = colonAt(n.last + 1) && n.last + 2 < tokens_.size() &&
                       tokens_[n.last + 2].gapBefore == 0 && IsDigit(Tok(n.last + 2)[0]);
    return before || after;
}

bool EverydayScanner::Reader::Target(const Amount& amount) const {
    return amount.symbol.found && amount.symbol.kind == FormKind::Currency &&
           amount.symbol.currency == ListPositionToIndex(settings_.OutputDefaultCurrency);
}

bool EverydayScanner::Reader::MayBeTarget(const Amount& amount) const {
    // "150 lire (8 centesimi)": in brackets beside an amount, a subunit the euro shares is
    // the euro's, whatever the text's other amounts are in.
    return Target(amount) || (amount.symbol.found && amount.symbol.olders != nullptr &&
                              ListPositionToIndex(settings_.OutputDefaultCurrency) == kEUR);
}

bool EverydayScanner::Reader::EndsTargetAmount(std::size_t end) const {
    const std::size_t last = text_.TokenAt(end) == 0 ? kNone : text_.TokenAt(end) - 1;
    if (last == kNone || tokens_[last].end != end)
        return false;
    // Read as if nothing had been found before: the amount's symbol lies behind us.
    const Reader whole(s_, text_, 0);
    for (std::size_t back = 0; back < 4 && back <= last; ++back) {
        const Amount amount = whole.ReadAmountAt(last - back, tokens_[last - back].start);
        if (amount.ok && amount.end == end && MayBeTarget(amount))
            return true;
    }
    return false;
}

bool EverydayScanner::Reader::EndsBareConverted(std::size_t end) const {
    // "2008. gadā – 227,66 eiro (160 lati), 2009. gadā – 256,12 (180 lati)": in a text
    // that names the euro, a bare number with cents before old money in brackets is its
    // new value.
    const std::size_t next = text_.TokenAt(end);
    if (next == 0 || tokens_[next - 1].end != end || !EuroNamed())
        return false;
    const std::size_t last = next - 1;
    const Number n = ReadNumberText(Tok(last), tokens_[last].start);
    return n.ok && n.decimals > 0 && n.end == end && !IsYear(n);
}

bool EverydayScanner::Reader::StartsTargetAmount(std::size_t start, std::size_t& after) const {
    const std::size_t first = text_.TokenAt(start);
    for (std::size_t k = first; k < first + 3 && k < tokens_.size(); ++k) {
        const Amount amount = ReadAmountAt(k, tokens_[k].start);
        if (!amount.ok)
            continue;
        if (amount.start != start || !MayBeTarget(amount))
            return false;
        after = amount.end;
        return true;
    }
    return false;
}

bool EverydayScanner::Reader::PairedWithTarget(const Amount& amount) const {
    // "€ 6,39 (12,50 DM)" or "12,50 DM (€ 6,39)": written beside its converted value.
    const std::u32string_view text = text_.Text();
    const auto isOpen = [&](std::size_t at) {
        return at < text.size() && (text[at] == U'(' || text[at] == U'[' ||
                                    text.substr(at).rfind(settings_.OutputLeftBracket, 0) == 0);
    };
    const auto isClose = [&](std::size_t at) {
        return at < text.size() && (text[at] == U')' || text[at] == U']' ||
                                    text.substr(at).rfind(settings_.OutputRightBracket, 0) == 0);
    };
    const auto skipBack = [&](std::size_t at) {
        while (at > 0 && IsBlank(text[at - 1]))
            --at;
        return at;
    };
    const auto skip = [&](std::size_t at) {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
        return at;
    };
    std::size_t open = skipBack(amount.start);
    if (open > 0 && isOpen(open - 1) && isClose(skip(amount.end)) &&
        (EndsTargetAmount(skipBack(open - 1)) || EndsBareConverted(skipBack(open - 1))))
        return true;
    std::size_t after = skip(amount.end);
    if (isOpen(after)) {
        const std::size_t inner = skip(after + 1);
        std::size_t end = 0;
        if (StartsTargetAmount(inner, end) && isClose(skip(end)))
            return true;
        // "1200 escudos (seis euros)", "1.400 millones (7,32 millones en euros)": the euro
        // value in words, or in a number with words between it and the euro's name.
        std::size_t k = text_.TokenAt(after) + 1;
        const std::size_t first = k;
        // One value only: "(0,7 и 1 евро)" gives the values of two amounts.
        const auto wordOrNumber = [&](std::u32string_view word) {
            return !word.empty() && (std::all_of(word.begin(), word.end(), IsLetter) ||
                                     (IsDigit(word.front()) && k == first));
        };
        // The value comes first: "(environ 7 euros)" only tells what it is worth now.
        const bool valueFirst = first < tokens_.size() && !Tok(first).empty() &&
                                (IsDigit(Tok(first).front()) || IsNumberWord(Tok(first)) ||
                                 FindMagnitude(Tok(first), s_.region_, TextLanguage()) != nullptr);
        while (valueFirst && k < tokens_.size() && k < first + kLongestSumInWords &&
               wordOrNumber(Tok(k)))
            ++k;
        if (k > first + 1 && k < tokens_.size() && isClose(tokens_[k].start)) {
            const EverydayForm* euro = FindEverydayForm(Tok(k - 1), s_.region_, TextLanguage());
            return euro != nullptr && euro->kind == FormKind::Currency && euro->currency == kEUR;
        }
    }
    return false;
}

void EverydayScanner::Reader::Fill(const Amount& amount, bool hasSymbol,
                                   EverydayResult& result) const {
    TGeplanteAenderung& p = result.proposal;
    p = TGeplanteAenderung{};
    const double factor = amount.symbol.factor;
    double magnitude = amount.magnitude;
    int family = amount.family;
    if (family < 0 && amount.symbol.family >= 0) {
        // "920 MF": the sign stands for millions of francs.
        family = amount.symbol.family;
        magnitude = factor;
    }
    p.Currency = amount.symbol.currency;
    p.Amount = (amount.number.value * amount.magnitude + amount.extra) * factor;
    p.HasSymbol = hasSymbol;
    int decimals = amount.number.decimals;
    decimals -= static_cast<int>(std::lround(std::log10(amount.magnitude * factor)));
    p.Decimals = std::max(0, decimals);
    p.Start = amount.start;
    p.End = amount.end;
    p.OldText = std::u32string(text_.Text().substr(p.Start, p.End - p.Start));
    p.WordsBefore = amount.symbolBefore && !amount.number.glued.found
                        ? static_cast<int>(amount.number.first - amount.symbol.first)
                        : 0;
    p.WordsAfter = static_cast<int>(amount.last - amount.number.last);
    p.Magnitude = family >= 0 ? magnitude : 1.0;
    p.MagnitudeFamily = family;
}

EverydayScanner::Number EverydayScanner::Reader::RangeStart(std::size_t i, std::size_t dash,
                                                            Symbol& before) const {
    const auto& token = tokens_[i];
    const std::u32string_view headText = text_.Text().substr(token.start, dash - token.start);
    // "1 500—2 000 mk": the head is the whole number set off by blanks, never its last
    // group; "000" ends such a number, it begins none.
    Number first = GroupedHead(i, dash);
    if (first.ok) {
        before = SignBeforeRange(first.first);
        return first;
    }
    if (headText.size() >= 2 && headText[0] == U'0' && IsDigit(headText[1]))
        return Number{};
    first = ReadNumberText(headText, token.start);
    // "C£6-9", "£5-10": the sign touches the first number; "6$60-11$20" sets it as the
    // decimal mark.
    if (!first.ok && !ReadGlued(headText, token.start, first) &&
        !ReadSignAsMark(headText, token.start, first))
        return Number{};
    // "1998-2001" is a span of years; "2000-3000 krooni" is money.
    const Number until = ReadNumberText(Tok(i).substr(dash + 1 - token.start), dash + 1);
    const bool year = IsYear(first) && dash - token.start == 4 &&
                      (!until.ok || (until.end - until.start == 4 && until.plain &&
                                     until.value >= kFirstYear && until.value <= kLastYear));
    if (!first.ok || first.end != dash || year)
        return Number{};
    if (first.glued.found && first.gluedBefore) {
        std::size_t digit = 0;
        while (digit < headText.size() && !IsDigit(headText[digit]))
            ++digit;
        before = first.glued;
        before.first = before.last = i;
        before.start = token.start;
        before.end = token.start + digit;
    } else {
        before = SignBeforeRange(i);
    }
    first.first = first.last = i;
    return first;
}

EverydayScanner::Symbol EverydayScanner::Reader::SignBeforeRange(std::size_t i) const {
    Symbol before = MatchBefore(i);
    // "DM 2-3 Mio.": read again for the second number, after the first was converted, the
    // sign before the first is still the range's, unless it closed an amount before it
    // ("10 DM 2-3").
    if (!before.found && floor_ > tokens_[i].start) {
        before = MatchBefore(i, 0);
        if (before.found && !SignIsNext(before.first, before.last))
            before = Symbol{};
    }
    return before;
}

bool EverydayScanner::Reader::GroupsRunIntoDash(std::size_t i) const {
    // A quick look before the number is read: groups of three digits set off by single
    // blanks, the last with a dash and a digit after its group.
    for (std::size_t k = i + 1; k < tokens_.size() && k <= i + 4; ++k) {
        const std::u32string_view group = Tok(k);
        if (tokens_[k].lineBefore || tokens_[k].gapBefore != 1 || group.size() < 3 ||
            !IsDigit(group[0]) || !IsDigit(group[1]) || !IsDigit(group[2]))
            return false;
        if (group.size() > 4 && IsDash(group[3]) && IsDigit(group[4]))
            return true;
        if (group.size() != 3)
            return false;
    }
    return false;
}

EverydayScanner::Number EverydayScanner::Reader::GroupedHead(std::size_t i,
                                                             std::size_t dash) const {
    // A number set off by blanks has at most four groups after its lead; "12 345 678"
    // is read from its first group, not from "345".
    Number head;
    for (std::size_t j = i; j > 0 && j + 5 > i;) {
        --j;
        if (!tokens_[j + 1].gapBefore)
            break;
        const Number lead = ReadNumberAt(j, tokens_[j].start);
        if (lead.ok && lead.last == i && lead.end == dash)
            head = lead;
    }
    return head;
}

void EverydayScanner::Reader::FillRangeHead(std::size_t i, std::size_t dash, const Number& first,
                                            const Symbol& before, const Amount& second,
                                            const Symbol& symbol, EverydayResult& result) const {
    Amount head;
    head.ok = true;
    head.number = first;
    head.symbol = symbol;
    head.symbolBefore = before.found && before.kind != FormKind::Unit;
    head.magnitude = second.magnitude;
    head.family = second.family;
    head.start = head.symbolBefore ? before.start : tokens_[first.first].start;
    head.end = dash;
    head.last = i;
    Fill(head, true, result);
    // "6$60-11$20": a first number that carries its sign shares none.
    if (!head.symbolBefore && !first.glued.found) {
        result.proposal.HasSymbol = false;
        ShareSymbol(second, result.proposal);
    }
    result.convert = !Target(head) && symbol.kind == FormKind::Currency;
    result.resume = dash + 1;
}

void EverydayScanner::Reader::FillRangeTail(std::size_t dash, const Symbol& before,
                                            const Amount& second, const Symbol& symbol,
                                            EverydayResult& result) const {
    Amount tail = second;
    tail.symbol = symbol;
    Fill(tail, true, result);
    // "DM 5-10": the sign before the first is written beside the second.
    if (!second.symbol.found && before.found) {
        Amount owner;
        owner.symbol = before;
        owner.symbolBefore = true;
        result.proposal.HasSymbol = false;
        ShareSymbol(owner, result.proposal);
    }
    result.convert = !Target(tail) && symbol.kind == FormKind::Currency && !PairedWithTarget(tail);
    result.resume = std::max(tail.end, dash + 2);
}

EverydayScanner::Reader::RangeRead EverydayScanner::Reader::ReadWordRange(
    std::size_t i, std::size_t start, EverydayResult& result) const {
    const auto& token = tokens_[i];
    const std::u32string_view word = Tok(i);
    // A range inside one word: "2,40-4,40 DM", "35-40€".
    std::size_t dash = kNone;
    for (std::size_t k = 1; k + 1 < word.size(); ++k) {
        if (IsDash(word[k]) && IsDigit(word[k - 1]) && IsDigit(word[k + 1])) {
            dash = token.start + k;
            break;
        }
    }
    // "5 000—10 000 mk": a number set off by blanks runs up to the dash of a later word.
    if (dash == kNone && start <= token.start && GroupsRunIntoDash(i)) {
        const Number grouped = ReadNumberAt(i, start);
        const std::u32string_view text = text_.Text();
        if (grouped.ok && grouped.last > i && grouped.end + 1 < tokens_[grouped.last].end &&
            IsDash(text[grouped.end]) && IsDigit(text[grouped.end + 1]))
            dash = grouped.end;
    }
    if (dash == kNone)
        return RangeRead::kNotRange;
    const std::size_t last = text_.TokenAt(dash);
    Symbol before;
    const Number first = RangeStart(last, dash, before);
    if (!first.ok)
        return RangeRead::kNotRange;
    const Amount second = ReadAmountAt(last, dash + 1);
    if (!second.ok || second.number.end <= dash + 1)
        return RangeRead::kSkip;
    const Symbol& symbol = before.found && before.kind != FormKind::Unit ? before : second.symbol;
    if (!symbol.found || symbol.kind == FormKind::Unit)
        return RangeRead::kSkip;
    if (start <= token.start) {
        FillRangeHead(last, dash, first, before, second, symbol, result);
        // "800-850.000 lire": eight hundred, or eight hundred thousand like the second? A
        // reader takes the thousands, the program leaves the first number alone.
        const Number& until = second.number;
        if (first.plain && first.value < 1000 && !until.plain && until.decimals == 0 &&
            until.value >= 1000 && first.value * 1000 * 10 >= until.value &&
            second.magnitudeLast == kNone)
            result.convert = false;
        return RangeRead::kFound;
    }
    if (start == dash + 1) {
        FillRangeTail(dash, before, second, symbol, result);
        return RangeRead::kFound;
    }
    return RangeRead::kSkip;
}

bool EverydayScanner::Reader::ReadTokenAmount(std::size_t i, std::size_t from,
                                              EverydayResult& result) const {
    const auto& token = tokens_[i];
    Amount amount = ReadAmountAt(i, from);
    if (!amount.ok)
        return false;
    OlderBeside(amount);
    bool hasSymbol = amount.symbol.found && amount.symbol.kind != FormKind::Unit;
    if (!hasSymbol && ScaledLikeTheText(amount, amount.symbol)) {
        Fill(amount, false, result);
        result.convert = !Target(amount) && !PairedWithTarget(amount);
        result.resume = std::max<std::size_t>(amount.end, token.start + 1);
        return true;
    }
    if (!hasSymbol) {
        if (amount.symbol.found || amount.magnitudeLast != kNone || DatedInEuroYears(amount) ||
            ListWithoutBlank(amount.number) || AfterMonth(amount.number) || Ordinal(amount.number))
            return false;  // a unit beside it, "2,5 Millionen Einwohner", "2003 4,90"
        Amount linked;
        if (LinkToNext(amount, linked) || CarriedOn(amount, linked) || InParallel(amount, linked) ||
            InPriceList(amount, linked)) {
            OlderBeside(linked);
            amount.symbol = linked.symbol;
            if (amount.magnitudeLast == kNone && linked.magnitudeLast != kNone) {
                amount.magnitude = linked.magnitude;
                amount.family = linked.family;
            }
            Fill(amount, false, result);
            ShareSymbol(linked, result.proposal);
            // "the 1, 2, 5 and 50 lipa coins": the values of a list of coins name coins.
            result.convert = amount.symbol.kind == FormKind::Currency && !Target(amount) &&
                             !PairedWithTarget(amount) && !NamesACoin(linked);
            result.resume = std::max<std::size_t>(amount.end, token.start + 1);
            return true;
        } else if (const CurrencyIndex column = UnderHeading(amount.number);
                   column != kNoCurrency) {
            amount.symbol.found = true;
            amount.symbol.kind = FormKind::Currency;
            amount.symbol.currency = column;
        } else if (BareAllowed(amount)) {
            amount.symbol.found = true;
            amount.symbol.kind = FormKind::Currency;
            amount.symbol.currency = ListPositionToIndex(settings_.InputDefaultCurrency);
        } else {
            return false;
        }
    }
    if (hasSymbol)
        ReadNameAgain(amount);
    Fill(amount, hasSymbol, result);
    // "20 kr" in a text about Norwegian kroner: the sign may be either money.
    const std::vector<std::u32string>& shared = Facts().unsure;
    const bool unsure =
        (amount.symbol.ambiguous &&
         ((Facts().otherMoney && !SharedWordIsOurs(amount.symbol)) ||
          (Facts().markedByCode.test(amount.symbol.currency) &&
           std::none_of(amount.symbol.text.begin(), amount.symbol.text.end(), IsLetter)))) ||
        std::find(shared.begin(), shared.end(), amount.symbol.text) != shared.end() ||
        ((amount.symbol.ambiguous || IsSharedByOtherMoney(amount.symbol.text)) &&
         SignSharedByNamedMoney(amount.symbol.text)) ||
        SplitByStrayBlank(amount.number) || TailOfALargerSum(amount) || BeforeItsMoney(amount) ||
        DisagreesWithEuroAfter(amount) || CentavosSetOff(amount.number) || NamesACoin(amount) ||
        NamedYear(amount.number) || (IsYear(amount.number) && AfterMonth(amount.number)) ||
        CentsOfWords(amount) || ThreeDecimalsOfWholeMoney(amount) ||
        MayShareNextMagnitude(amount) || YearAfterName(amount) || AfterReference(amount) ||
        CentsInWordsAfter(amount) || MilsOrThousands(amount) || SterlingNearby(amount) ||
        ThousandsOfALargeWord(amount) || FootnoteAfterCode(amount) ||
        AfterDigitLikeLetter(amount) || CentsAfterStop(amount);
    result.convert = amount.symbol.kind == FormKind::Currency && !Target(amount) &&
                     !PairedWithTarget(amount) && !unsure;
    result.resume = std::max<std::size_t>(amount.end, token.start + 1);
    return true;
}

bool EverydayScanner::Reader::Next(std::size_t from, EverydayResult& result) const {
    for (std::size_t i = text_.TokenAt(from); i < tokens_.size(); ++i) {
        const auto& token = tokens_[i];
        const std::u32string_view word = Tok(i);
        if (std::none_of(word.begin(), word.end(), IsDigit))
            continue;
        const std::size_t start = std::max<std::size_t>(token.start, from);
        const RangeRead range = ReadWordRange(i, start, result);
        if (range == RangeRead::kFound)
            return true;
        if (range == RangeRead::kSkip || start > token.start)
            continue;
        if (ReadTokenAmount(i, from, result))
            return true;
    }
    return false;
}

}  // namespace kassavero

namespace kassavero {

bool EverydayScanner::Reader::NamesACoin(const Amount& amount) const {
    // "die erste 5 DM Gedenkmünze", "25 kroon bills": the value names a coin or a note.
    // "£5 notes" too, and each value of "the £5, £10, £20 and £50 notes".
    // The word must follow a value: in "500 Kronen und Münzen zu 5 Senti" it starts anew.
    // "ATS 1, ATS 2 and ATS 20 coins": the sign before each value is passed over, and a
    // line broken in the middle of the list goes on.
    bool listed = !Tok(amount.last).empty() && Tok(amount.last).back() == U',';
    bool afterValue = true;
    for (std::size_t k = amount.last + 1; k < tokens_.size() && k <= amount.last + kLongestCoinList;
         ++k) {
        // "... en 10.000 frank. Munten en briefjes": not past the end of the sentence.
        const char32_t end = Tok(k - 1).empty() ? U' ' : Tok(k - 1).back();
        if (end == U'.' || end == U';' || end == U'!' || end == U'?' ||
            (!SameLine(k - 1, k) && (end == U',' || !listed)))
            return false;
        const std::u32string_view word = WithoutClosingPunctuation(Tok(k));
        if (IsCoinWord(word))
            return afterValue;
        if (listed && k + 1 < tokens_.size() && !Tok(k + 1).empty() && IsDigit(Tok(k + 1)[0])) {
            const Symbol sign = Lookup(word, true, false, false);
            if (sign.found && sign.kind == FormKind::Currency)
                continue;
        }
        const bool joins = IsAndWord(word) || IsOrWord(word);
        afterValue = std::any_of(word.begin(), word.end(), IsDigit);
        if (!((listed || joins) && (joins || afterValue)))
            return false;
        listed = listed || joins;
    }
    return false;
}

bool EverydayScanner::Reader::SharedWordIsOurs(const Symbol& symbol) const {
    // A word other money shares ("pounds", "krooni") in a text that also names other money:
    // ours where the text names ours in full ("Cyprus pounds") and no other money so, or
    // where the other money is written only by signs and codes ("$116 million").
    const std::size_t letters =
        static_cast<std::size_t>(std::count_if(symbol.text.begin(), symbol.text.end(), IsLetter));
    const EverydayText::Facts& facts = Facts();
    return letters > 0 && ((facts.namedInFull.test(symbol.currency) && !facts.otherInFull) ||
                           (letters >= kNameLetters && !facts.otherNamed));
}

bool EverydayScanner::Reader::CentsAfterStop(const Amount& amount) const {
    // "7 fr. 50 (an IX)": seven francs fifty, or seven francs and a sentence that begins
    // with 50? A reader hesitates, and seven francs alone would be a wrong value.
    const std::u32string_view word = Tok(amount.last);
    return amount.symbol.found && !amount.symbolBefore && amount.number.decimals == 0 &&
           amount.number.plain && amount.magnitudeLast == kNone && !word.empty() &&
           word.back() == U'.' && amount.symbol.last == amount.last &&
           amount.symbol.factor == 1.0 && SmallestCoin(amount.symbol.currency) < 1 &&
           TrailingCents(amount.last + 1) >= 0;
}

bool EverydayScanner::Reader::SterlingNearby(const Amount& amount) const {
    // "a broom cupboard in Knightsbridge made £60,000 ... London": a shared sign in a
    // sentence that speaks of Britain may be sterling; so may its pence ("250p").
    if (amount.symbol.text != U"£" && amount.symbol.text != U"p")
        return false;
    // The sentence before counts too: "we caught a plane from B'ham. I paid an extra £60".
    std::size_t first = amount.number.first;
    for (int sentence = 0; sentence < 2 && first > 0; ++sentence) {
        if (sentence > 0)
            --first;
        const std::size_t end = first;
        while (first > 0 && end - first < kSentenceReach && !SentenceEndsAfter(first - 1))
            --first;
    }
    for (std::size_t k = first; k < tokens_.size() && k - first < 3 * kSentenceReach &&
                                (k <= amount.number.first || !SentenceEndsAfter(k - 1));
         ++k) {
        if (IsSterlingPlace(WithoutClosingPunctuation(Tok(k))))
            return true;
    }
    return false;
}

bool EverydayScanner::Reader::MilsOrThousands(const Amount& amount) const {
    // "£52.500" where the text speaks of mils: fifty-two pounds and five hundred mils, or
    // fifty-two thousand pounds? A reader of the day knew; the program leaves it. "1.000
    // mils" counts the mils themselves.
    const Number& n = amount.number;
    const std::u32string_view word = Tok(n.first);
    if (amount.symbol.factor < 1.0 || n.first != n.last || !MarksDisputed(word) ||
        DecimalShown(word) != 0)
        return false;
    NamesCurrency(kEUR);
    return Facts().milsNamed;
}

bool EverydayScanner::Reader::CentsInWordsAfter(const Amount& amount) const {
    // "32 francs, eighty centimes": the amount goes on in words a reader adds to it.
    if (!amount.symbol.found || amount.symbol.factor != 1.0 || amount.symbolBefore)
        return false;
    for (std::size_t k = amount.last + 1; k <= amount.last + 2 && k + 1 < tokens_.size(); ++k) {
        const std::u32string_view word = Tok(k);
        if (!SameLine(k - 1, k) || SentenceEndsAfter(k - 1) ||
            std::any_of(word.begin(), word.end(), IsDigit) || !IsLetter(word[0]) ||
            IsClosingPunctuation(word.back()))
            return false;
        const Symbol sub = MatchAfter(k + 1, {});
        if (sub.found && sub.kind == FormKind::Currency && sub.factor < 1.0)
            return true;
    }
    return false;
}

bool EverydayScanner::Reader::AfterReference(const Amount& amount) const {
    // "im Punkt 19 lit a": a number after "Punkt", "Nr." or "Art." refers to a part of a
    // text, whatever letters follow it; so does one after "l'art.".
    const Number& n = amount.number;
    if (amount.symbolBefore || n.first == 0 || !SameLine(n.first - 1, n.first))
        return false;
    std::u32string_view word = Tok(n.first - 1);
    if (word.size() > 2 && IsLetter(word[0]) && (word[1] == U'\'' || word[1] == U'\u2019'))
        word.remove_prefix(2);
    return IsReferenceWord(word);
}

bool EverydayScanner::Reader::FootnoteAfterCode(const Amount& amount) const {
    // "for the total of 353,194,951 EEK1.": the code is the number's before it, and the
    // digit glued to it a footnote's.
    const Number& n = amount.number;
    if (!n.glued.found || !n.gluedBefore || n.first == 0 || n.end - n.start < 2 ||
        !SameLine(n.first - 1, n.first))
        return false;
    const std::u32string_view digits = text_.Text().substr(n.end - 1, 1);
    const std::u32string_view before = Tok(n.first - 1);
    return n.value < 10 && n.decimals == 0 && IsDigit(digits[0]) && !before.empty() &&
           IsDigit(before.back()) && IsDigit(before.front());
}

bool EverydayScanner::Reader::ThousandsOfALargeWord(const Amount& amount) const {
    // "1.664 млрд. лв.": a thousand billions would be written with the word for a
    // trillion, so the stop is more likely a decimal mark; either reading may be meant.
    // Where the language has no larger word ("1.500 miliardi di lire") it groups.
    if (amount.magnitude < 1e9 || amount.family < 0 || amount.number.decimals != 0 ||
        amount.number.value < 1000 || amount.number.value >= 1e6)
        return false;
    const std::u32string_view word = Tok(amount.number.last);
    if (std::count_if(word.begin(), word.end(),
                      [](char32_t c) { return c == U'.' || c == U','; }) != 1)
        return false;
    const double larger = amount.magnitude * 1000;
    return ChooseMagnitude(amount.family, larger, larger).factor == larger;
}

bool EverydayScanner::Reader::CentsOfWords(const Amount& amount) const {
    // "viens lats un 69 santīmi", "kunu i 31 lipu": the cents of an amount whose main unit
    // is written in words; converted alone they would be a wrong value.
    if (!amount.symbol.found || amount.symbol.kind != FormKind::Currency ||
        amount.symbol.factor >= 1.0 || amount.symbolBefore)
        return false;
    std::size_t k = amount.number.first;
    while (k > 0 && SameLine(k - 1, k) && IsAndWord(Tok(k - 1)))
        --k;
    if (k == amount.number.first || k == 0 || !SameLine(k - 1, k))
        return false;
    const Symbol name = MatchAfter(k - 1, {});
    if (!name.found || name.kind != FormKind::Currency || name.factor != 1.0 ||
        name.currency != amount.symbol.currency || name.last + 1 != k)
        return false;
    // Not where the name follows a figure ("2,9 Mio. DM und 20 Pfennig").
    if (name.first == 0 || !SameLine(name.first - 1, name.first))
        return true;
    const std::u32string_view before = Tok(name.first - 1);
    return std::none_of(before.begin(), before.end(), IsDigit) &&
           FindMagnitude(before, s_.region_) == nullptr;
}

bool EverydayScanner::Reader::ThreeDecimalsOfWholeMoney(const Amount& amount) const {
    // "170,375 δρχ." in a text that writes decimal commas: lire and drachmas had no
    // decimals in use, so the comma may group thousands, unless the figure is a rate
    // ("968,135 Lire" for a mark). A reader cannot tell.
    const Number& n = amount.number;
    const CurrencyIndex c = amount.symbol.currency;
    return n.decimals == 3 && amount.extra == 0 && amount.magnitudeLast == kNone && n.family < 0 &&
           (c == kITL || c == s_.CurrencyOfCode(U"GRD")) && RateMark(Tok(n.first)) == 0;
}

bool EverydayScanner::Reader::MayShareNextMagnitude(const Amount& amount) const {
    // "tussen de f 45 en f60 mille": a sum joined to a like one with a magnitude word may
    // share the word; a reader cannot tell whether it is meant.
    const std::size_t at = amount.last + 2;
    if (amount.magnitudeLast != kNone || amount.family >= 0 || at >= tokens_.size() ||
        !SameLine(amount.last, at))
        return false;
    const std::u32string_view joiner = Tok(amount.last + 1);
    const bool dash = joiner.size() == 1 && IsDash(joiner[0]);
    if (!(IsAndWord(joiner) || IsOrWord(joiner) || IsToWord(joiner) || dash))
        return false;
    const std::size_t digit = std::u32string_view(Tok(at)).find_first_of(U"0123456789");
    if (digit == std::u32string_view::npos || digit > 3)
        return false;
    const Amount next = ReadAmountAt(at, tokens_[at].start);
    const double first = amount.number.value;
    const double second = next.number.value;
    return next.ok && (next.magnitudeLast != kNone || next.number.family >= 0) && first > 0 &&
           second > 0 && first < second * 10 && second < first * 10;
}

bool EverydayScanner::Reader::Ordinal(const Number& n) const {
    // "na 10. sjednici", "am 3. und 4. Mai": a full stop the sentence goes on after in
    // lower case makes a whole number an ordinal. Before a capital it may end the sentence.
    const std::u32string_view word = Tok(n.last);
    if (n.decimals > 0 || word.size() < 2 || word.back() != U'.' ||
        !IsDigit(word[word.size() - 2]) || n.last + 1 >= tokens_.size() ||
        !SameLine(n.last, n.last + 1))
        return false;
    const char32_t next = Tok(n.last + 1).front();
    return IsLetter(next) && LowerCase(next) == next;
}

bool EverydayScanner::Reader::BesideInBrackets(const Amount& amount) const {
    // "3,5 milhões de contos (cerca de 17 milhões)": a sum in brackets right after one in
    // named money is that one in other money.
    std::size_t k = amount.number.first;
    while (k > 0 && amount.number.first - k < kLongestSumInWords && SameLine(k - 1, k) &&
           Tok(k - 1) != U"(" && std::all_of(Tok(k - 1).begin(), Tok(k - 1).end(), IsLetter))
        --k;
    if (k < 2 || Tok(k - 1) != U"(")
        return false;
    const Symbol name = Lookup(WithoutClosingPunctuation(Tok(k - 2)), false, false, false);
    return name.found && name.kind == FormKind::Currency;
}

bool EverydayScanner::Reader::AfterDigitLikeLetter(const Amount& amount) const {
    // "ESP l 200 million": a lone letter that looks like a digit may be the number's first
    // group, misprinted.
    const std::size_t first = amount.number.first;
    if (first == 0 || !SameLine(first - 1, first))
        return false;
    const std::u32string_view before = Tok(first - 1);
    return before == U"l" || before == U"I" || before == U"O";
}

bool EverydayScanner::Reader::AfterMonth(const Number& n) const {
    // "on August 4, 1999": a day after its month.
    return n.first > 0 && SameLine(n.first - 1, n.first) &&
           IsMonthName(WithoutClosingPunctuation(Tok(n.first - 1)));
}

bool EverydayScanner::Reader::NamedYear(const Number& n) const {
    // "leta 2007 tolarje nadomestil evro": the year, then the money it speaks of.
    return IsYear(n) && n.first > 0 && SameLine(n.first - 1, n.first) &&
           IsYearWord(WithoutClosingPunctuation(Tok(n.first - 1)));
}

bool EverydayScanner::Reader::YearAfterName(const Amount& amount) const {
    // "dem Schilling 1999 den Todesstoß versetzt": a currency's name before a year speaks
    // of the money, not of an amount; signs and codes ("DM 1999,-") are written so.
    const Symbol& symbol = amount.symbol;
    return IsYear(amount.number) && symbol.found && symbol.last < amount.number.first &&
           symbol.text.size() >= 4 && std::all_of(symbol.text.begin(), symbol.text.end(), IsLetter);
}

bool EverydayScanner::Reader::SplitByStrayBlank(const Number& n) const {
    // "6, 50 Francs": a stray blank after a decimal comma, or a list of six and fifty? A
    // reader cannot tell, so neither number is changed. ("2024, 10 contos" can be told.)
    if (!n.ok || n.first == 0 || n.first != n.last || tokens_[n.first].gapBefore != 1 ||
        !SameLine(n.first - 1, n.first))
        return false;
    const std::u32string_view word = Tok(n.first);
    const std::u32string_view before = Tok(n.first - 1);
    const auto digits = [](std::u32string_view s) {
        return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), IsDigit));
    };
    // "16, 8 млн. лв." too; and "5. 995 kuna", a group of thousands set off by a stray
    // blank, or an ordinal and a number?
    const bool shortNumberBefore =
        before.size() >= 2 && digits(before) + 1 == before.size() && digits(before) <= 3;
    // "1, 116 млн. лв.": three decimals of a sum with a magnitude word.
    std::size_t at = n.last + 1;
    const bool scaled = at < tokens_.size() && FindMagnitudeLazily(Tok(at), s_.region_, [&] {
                                                   return LanguageAt(at);
                                               }) != nullptr;
    const bool pair = n.plain && shortNumberBefore && digits(word) == word.size() &&
                      ((before.back() == U',' && (word.size() <= 2 || scaled)) ||
                       (before.back() == U'.' && word.size() == 3));
    // "6,559 57 F": decimals set off in groups, as rates are printed.
    const std::size_t mark = before.find_last_of(U".,");
    if (n.plain && word.size() <= 3 && mark != std::u32string_view::npos &&
        before.size() - mark - 1 == 3 && digits(before) + 1 == before.size())
        return true;
    // Not inside a list ("5, 10, 20 und 50 santīmu"), and the money named right after.
    if (!pair ||
        (n.first >= 2 && SameLine(n.first - 2, n.first - 1) && Tok(n.first - 2).ends_with(U",")))
        return false;
    if (scaled)
        ++at;
    const Symbol after = at < tokens_.size() ? MatchAfter(at, {}) : Symbol{};
    return after.found && after.kind == FormKind::Currency;
}

bool EverydayScanner::Reader::DisagreesWithEuroAfter(const Amount& amount) const {
    // Only for digits grouped by blanks, whose last group alone agrees: other pairs may
    // give a price of another year or a market rate ("Sk9,916/€253").
    const Number& n = amount.number;
    if (n.first == n.last || n.last >= tokens_.size())
        return false;
    const std::u32string_view text = text_.Text();
    std::size_t at = amount.end;
    while (at < text.size() && (IsBlank(text[at]) || text[at] == U'.'))
        ++at;
    if (at >= text.size() || text[at] != U'/' ||
        ListPositionToIndex(settings_.OutputDefaultCurrency) != kEUR)
        return false;
    ++at;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    const std::size_t k = text_.TokenAt(at);
    if (at >= text.size() || k >= tokens_.size())
        return false;
    const Amount euro = ReadAmountAt(k, at);
    const CurrencyIndex c = amount.symbol.currency;
    const std::size_t custom = static_cast<std::size_t>(c - kCUS1);
    const double rate =
        c < kFixedCurrencyCount ? FixedCurrencyRate(c)
        : IsCustomCurrency(c) && custom < settings_.CustomCurrencyRate.size()
            ? ParseStoredDecimal(settings_.CustomCurrencyRate[custom], U'.').value_or(0)
            : 0;
    if (!euro.ok || !Target(euro) || rate <= 0)
        return false;
    const double given = (euro.number.value * euro.magnitude + euro.extra) * euro.symbol.factor;
    const auto agrees = [&](double old) {
        return std::abs(old * amount.symbol.factor / rate - given) <= std::max(0.01, given * 0.02);
    };
    const Number tail = ReadNumberText(Tok(n.last), tokens_[n.last].start);
    return !agrees(n.value * amount.magnitude + amount.extra) && tail.ok &&
           agrees(tail.value * amount.magnitude + amount.extra);
}

bool EverydayScanner::Reader::CentavosSetOff(const Number& n) const {
    if (!n.ok || n.last + 1 >= tokens_.size() || !SameLine(n.last, n.last + 1) ||
        tokens_[n.last + 1].gapBefore != 1 ||
        !WithoutClosingPunctuation(Tok(n.last)).ends_with(U'$'))
        return false;
    const std::u32string_view next = WithoutClosingPunctuation(Tok(n.last + 1));
    return next.size() == 2 && IsDigit(next[0]) && IsDigit(next[1]);
}

bool EverydayScanner::Reader::TailOfALargerSum(const Amount& amount) const {
    // A sum with a magnitude word after "and" and a larger magnitude word with no number
    // of its own: read alone it would be far too small. ("dois mil, mil e 500 escudos"
    // lists notes.)
    const std::size_t first = amount.number.first;
    if (amount.magnitudeLast == kNone || first < 2 || !SameLine(first - 2, first) ||
        !IsAndWord(Tok(first - 1)))
        return false;
    const std::u32string_view word = Tok(first - 2);
    if (IsClosingPunctuation(word.back()) && word.back() != U'.')
        return false;
    const MagnitudeWord* larger =
        FindMagnitudeLazily(word, s_.region_, [&] { return LanguageAt(first); });
    return larger != nullptr && larger->factor > amount.magnitude;
}

bool EverydayScanner::Reader::ListWithoutBlank(const Number& n) const {
    // "in Scheinen zu 20,10, 50, 100": read as 20,10 the first would be a wrong value. A
    // bare number of two whole parts ("0,50, 1, 2" has cents), a comma straight after it
    // and a whole number next is left alone.
    const std::u32string_view text = text_.Text();
    const double cents = std::round(n.value * 100) - std::floor(n.value) * 100;
    if (!n.ok || n.decimals != 2 || n.value < 1 || cents < 10 || n.end >= text.size() ||
        text[n.end] != U',' || n.last + 1 >= tokens_.size() || !SameLine(n.last, n.last + 1))
        return false;
    const std::u32string_view next = WithoutClosingPunctuation(Tok(n.last + 1));
    return !next.empty() && std::all_of(next.begin(), next.end(), IsDigit);
}

bool EverydayScanner::Reader::ScaledLikeTheText(const Amount& amount, Symbol& symbol) const {
    // "2.086 millones de pesetas ... un gasto de 756 millones.": where the text writes its
    // large sums in one money with a magnitude word and names no other, a sum with only
    // the word is in that money, unless a noun follows ("3 millones de personas").
    if (amount.magnitudeLast == kNone || amount.symbol.found || amount.number.glued.found ||
        IsYear(amount.number) || AfterDigitLikeLetter(amount) || BesideInBrackets(amount))
        return false;
    const EverydayText::Facts& facts = Facts();
    CurrencyIndex currency = kNoCurrency;
    bool listed = false;  // one of a list of thousands after an amount of thousands
    if (facts.scaled.count() == 1 && facts.marked == facts.scaled && !facts.otherMoney &&
        !EuroNamed()) {
        currency = OnlyCurrency(facts.scaled);
    } else if (amount.magnitude == 1e3) {
        currency = InThousandsAfter(amount);
        listed = true;
    }
    if (currency == kNoCurrency)
        currency = SameWordBefore(amount);
    if (currency == kNoCurrency)
        return false;
    const std::size_t next = amount.magnitudeLast + 1;
    // The full stop of "mln." is the word's own.
    const std::u32string_view word = Tok(amount.magnitudeLast);
    const bool closed = IsClosingPunctuation(word.back()) &&
                        FindMagnitude(word, s_.region_, TextLanguage()) == nullptr;
    const bool clauseEnds = closed || next >= tokens_.size() ||
                            !SameLine(amount.magnitudeLast, next) ||
                            (Tok(next).size() == 1 && IsOwnWord(Tok(next)[0]));
    const std::u32string_view follower = WithoutClosingPunctuation(Tok(next));
    // "100 millones a la recuperación", and in a list "24 mila e l’abbonamento": "to", or
    // "and" with no number after it, adds no smaller part; elsewhere "and" may add a half
    // in words ("2 milioni e mezzo").
    const bool wordAfter = next + 1 < tokens_.size() && !IsDigit(Tok(next + 1).front()) &&
                           !IsNumberWord(Tok(next + 1));
    const bool joinsNoPart = wordAfter && (IsToWord(follower) || (listed && IsAndWord(follower)));
    if (!clauseEnds && (IsMagnitudeLink(Tok(next)) ||
                        !(IsCommonWord(follower) || IsAfterSumWord(follower) || joinsNoPart)))
        return false;
    symbol = Symbol{};
    symbol.found = true;
    symbol.kind = FormKind::Currency;
    symbol.currency = currency;
    return true;
}

CurrencyIndex EverydayScanner::Reader::SameWordBefore(const Amount& amount) const {
    // "spending at 3.8 billion pounds ($8.17 billion) on revenue of 3.19 billion": the
    // money of the sum before it in the sentence with the same word, past what stands in
    // brackets beside that one.
    const std::u32string_view word = WithoutClosingPunctuation(Tok(amount.magnitudeLast));
    const std::size_t first = SentenceAround(amount.number.first).first;
    int depth = 0;
    for (std::size_t k = amount.number.first; k-- > first + 1;) {
        const std::u32string_view token = Tok(k);
        if (token == U")" || token == U"(") {
            depth = std::max(0, depth + (token == U")" ? 1 : -1));
            continue;
        }
        if (depth > 0 || !EqualsIgnoringCase(WithoutClosingPunctuation(token), word))
            continue;
        if (Tok(k - 1).empty() || !IsDigit(Tok(k - 1).back()))
            return kNoCurrency;
        const Amount before = ReadAmountAt(k - 1, tokens_[k - 1].start);
        const Symbol& money = before.symbol;
        return before.ok && before.magnitudeLast == k && money.found &&
                       money.kind == FormKind::Currency && IsCurrency(money.currency) &&
                       money.currency != kEUR
                   ? money.currency
                   : kNoCurrency;
    }
    return kNoCurrency;
}

CurrencyIndex EverydayScanner::Reader::InThousandsAfter(const Amount& amount) const {
    // "il biglietto costava 1500 lire, la carta settimanale 24 mila": thousands after an
    // amount of thousands of old money in the same sentence are that money.
    const std::size_t first = amount.number.first;
    const std::size_t reach = first > kPriceListReach ? first - kPriceListReach : 0;
    for (std::size_t k = first; k-- > reach;) {
        if (SentenceEndsAfter(k))
            return kNoCurrency;
        const std::u32string_view word = Tok(k);
        if (std::none_of(word.begin(), word.end(), IsDigit))
            continue;
        const Amount before = ReadAmountAt(k, tokens_[k].start);
        if (!before.ok || before.end > tokens_[first].start)
            continue;
        const Symbol& symbol = before.symbol;
        if (!symbol.found)
            continue;  // another sum of the list ("… 24 mila e l’abbonamento 360 mila")
        if (symbol.kind != FormKind::Currency || !IsCurrency(symbol.currency) ||
            symbol.currency == kEUR || symbol.ambiguous ||
            before.number.value * before.magnitude * symbol.factor < 1e3)
            return kNoCurrency;
        return symbol.currency;
    }
    return kNoCurrency;
}

void EverydayScanner::Reader::OlderBeside(Amount& amount) const {
    if (amount.symbol.olders == nullptr || amount.symbol.currency != kEUR)
        return;
    const auto adopt = [&](const Amount& other) {
        for (const std::u32string& code : *amount.symbol.olders) {
            const CurrencyIndex older = OlderCurrency(code);
            if (IsCurrency(older) && older == other.symbol.currency)
                amount.symbol.currency = older;
        }
    };
    // "envoyée le 5 février 1993, bénéficait d'un tarif à 28 centimes": a sentence dated
    // before the euro came speaks of the home money's subunit.
    for (const std::u32string& code : *amount.symbol.olders) {
        const CurrencyIndex older = OlderCurrency(code);
        const bool home = older == s_.region_.home || code == s_.region_.laterHome;
        if (IsCurrency(older) && home && !Facts().marked.test(kEUR) && !EuroNamed() &&
            DatedBefore(amount.number.first, EuroYearOf(code))) {
            amount.symbol.currency = older;
            return;
        }
    }
    const std::size_t first = amount.number.first;
    const std::size_t reach = first >= kOlderWordsBack ? first - kOlderWordsBack : 0;
    for (std::size_t k = first; k-- > reach;) {
        if (!SameLine(k, first) || IsClosingPunctuation(Tok(k).back()))
            break;
        const std::u32string_view word = Tok(k);
        if (std::none_of(word.begin(), word.end(), IsDigit))
            continue;
        const Amount before = ReadAmountAt(k, tokens_[k].start);
        if (!before.ok || !before.symbol.found || before.symbol.kind != FormKind::Currency ||
            before.end > tokens_[first].start)
            continue;
        adopt(before);
        return;
    }
    // "zu 1, 2, 5, 10, 25 und 50 Cent, sowie 1 Lira": else the amount that follows in the
    // sentence.
    for (std::size_t k = amount.last + 1;
         k < tokens_.size() && k <= amount.last + kOlderWordsBack && SameLine(k - 1, k) &&
         !SentenceEndsAfter(k - 1);
         ++k) {
        const std::u32string_view word = Tok(k);
        if (std::none_of(word.begin(), word.end(), IsDigit))
            continue;
        const Amount after = ReadAmountAt(k, tokens_[k].start);
        if (after.ok && after.symbol.found && after.symbol.kind == FormKind::Currency)
            adopt(after);
        return;
    }
}

EverydayScanner::Reader::LineEnd EverydayScanner::Reader::ReadLineEnd(std::size_t first,
                                                                      std::size_t last) const {
    LineEnd end;
    const std::u32string_view word = Tok(last);
    const bool digits = std::any_of(word.begin(), word.end(), IsDigit);
    const auto money = [](const Symbol& symbol) {
        return symbol.found && symbol.kind == FormKind::Currency && IsCurrency(symbol.currency) &&
               symbol.factor == 1.0;
    };
    if (first == last && !digits) {
        const std::u32string_view sign = WithoutClosingPunctuation(word);
        Symbol symbol = Lookup(sign, true, false, false);
        if (!symbol.found)
            symbol = Lookup(sign, false, false, false);
        end.kind = money(symbol) ? LineEnd::Heading : LineEnd::Other;
        end.currency = symbol.currency;
    } else if (digits && ReadNumberText(word, tokens_[last].start).end ==
                             tokens_[last].start + WithoutClosingPunctuation(word).size()) {
        // "Lit. 60": the number may carry its sign before it.
        const Symbol before = last > first ? MatchBefore(last) : Symbol{};
        end.kind = money(before) ? LineEnd::Marked : LineEnd::Number;
        end.currency = before.currency;
    } else if (last > first && std::any_of(Tok(last - 1).begin(), Tok(last - 1).end(), IsDigit)) {
        // "640.000 lire"
        const Symbol after = Lookup(WithoutClosingPunctuation(word), false, false, false);
        end.kind = money(after) ? LineEnd::Marked : LineEnd::Other;
        end.currency = after.currency;
    }
    return end;
}

void EverydayScanner::Reader::GatherColumns(EverydayText::Facts& facts) const {
    std::vector<std::size_t> bare;
    std::bitset<kCurrencyCount> currencies;
    int marked = 0;
    const auto close = [&] {
        if (const CurrencyIndex c = OnlyCurrency(currencies);
            marked >= kMarkedInAList && c != kNoCurrency) {
            for (const std::size_t token : bare)
                facts.column.emplace_back(token, c);
        }
        bare.clear();
        currencies.reset();
        marked = 0;
    };
    for (std::size_t first = 0; first < tokens_.size();) {
        std::size_t last = first;
        while (last + 1 < tokens_.size() && !tokens_[last + 1].lineBefore)
            ++last;
        const LineEnd end = ReadLineEnd(first, last);
        if (end.kind == LineEnd::Heading || end.kind == LineEnd::Other)
            close();
        if (end.kind == LineEnd::Heading || end.kind == LineEnd::Marked) {
            currencies.set(end.currency);
            marked += end.kind == LineEnd::Heading ? kMarkedInAList : 1;
        } else if (end.kind == LineEnd::Number) {
            bare.push_back(last);
        }
        first = last + 1;
    }
    close();
}

CurrencyIndex EverydayScanner::Reader::UnderHeading(const Number& n) const {
    // Lines that each end in an amount form a list or a table column: under a line that
    // holds only a currency's sign ("Lm"), or where at least two of them are marked with
    // one currency and none with another, the bare numbers that end the others are in
    // that money ("Tazzina Caffè Lit. 60" ... "Un televisore 150.000"). The list ends at
    // the first line that ends otherwise.
    const bool endsLine = n.last + 1 >= tokens_.size() || tokens_[n.last + 1].lineBefore;
    if (!endsLine || n.first != n.last || IsYear(n) || AfterApostrophe(n))
        return kNoCurrency;
    EverydayText::Facts& facts = text_.TextFacts();
    if (!facts.columnsKnown) {
        facts.columnsKnown = true;
        // Seen whole, whatever part of the text this reader may look at.
        Reader(s_, text_, 0).GatherColumns(facts);
    }
    const auto it = std::lower_bound(facts.column.begin(), facts.column.end(), n.last,
                                     [](const std::pair<std::size_t, CurrencyIndex>& entry,
                                        std::size_t token) { return entry.first < token; });
    return it != facts.column.end() && it->first == n.last ? it->second : kNoCurrency;
}

bool EverydayScanner::Reader::DatedBefore(std::size_t first, int euroYear,
                                          bool sentenceBeforeToo) const {
    // A year before the euro's earlier in the sentence (or the one before it, where this
    // one has none), and none after it.
    bool before = false;
    bool crossed = !sentenceBeforeToo;  // no sentence end left to pass
    const std::size_t reach = sentenceBeforeToo ? 2 * kSentenceWordsBack : kSentenceWordsBack;
    for (std::size_t k = first; k-- > 0 && first - k <= reach;) {
        if (!SameLine(k, first))
            break;
        if (SentenceEndsAfter(k)) {
            if (before || crossed)
                break;
            crossed = true;
        }
        const std::u32string_view word = WithoutClosingPunctuation(Tok(k));
        const int year = YearOfWord(word);
        if (year < 0)
            continue;
        if (year >= euroYear)
            return false;
        before = before || year >= kFirstYear;
    }
    return before;
}

bool EverydayScanner::Reader::BeforeItsMoney(const Amount& amount) const {
    // Before these years "koruny" were Czechoslovak and "kuna" that of 1941-45. (Leva
    // before 1999 are read at their face value, as the texts about them are.)
    constexpr std::pair<std::u32string_view, int> kNamedSince[] = {{U"SKK", 1993}, {U"HRK", 1994}};
    const CurrencyIndex c = amount.symbol.currency;
    for (const auto& [named, since] : kNamedSince) {
        if (IsCurrency(c) && c == s_.CurrencyOfCode(named))
            return DatedBefore(amount.number.first, since, true);
    }
    return false;
}

bool EverydayScanner::Reader::DatedInEuroYears(const Amount& amount) const {
    // "1999 3,50 DM, 2003 4,90 und 2007 stolze 5,40": a price dated after the euro came is
    // in euros, whatever the prices before it were in.
    const std::size_t first = amount.number.first;
    for (std::size_t back = 1; back <= kYearWordsBack && back <= first; ++back) {
        const std::size_t k = first - back;
        if (!SameLine(k, first))
            return false;
        const std::u32string_view word = WithoutClosingPunctuation(Tok(k));
        const int year = YearOfWord(word);
        if (year >= kFirstEuroYear && year <= kLastYear)
            return true;
    }
    return false;
}

void EverydayScanner::Reader::ShareSymbol(const Amount& owner, TGeplanteAenderung& p) const {
    const Symbol& symbol = owner.symbol;
    if (!symbol.found || symbol.last == kNone || symbol.end <= symbol.start)
        return;
    p.SharedSymbol = std::u32string(text_.Text().substr(symbol.start, symbol.end - symbol.start));
    p.SharedSymbolBefore = owner.symbolBefore;
}

}  // namespace kassavero
