// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The inside of the everyday scanner, shared by its three files: everyday_scanner.cpp
// (the text and the scanner), everyday_reading.cpp (numbers, symbols and amounts as
// written) and everyday_judging.cpp (which of them are amounts to convert, in context).

#include <algorithm>
#include <array>
#include <bitset>
#include <cstddef>
#include <string_view>
#include <vector>

#include "core/unicode_text.h"
#include "engine/everyday_scanner.h"

namespace kassavero {
namespace everyday {

inline constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// A bare number of four digits in this window is read as a year; from the first euro year
// on, the prices dated by it are in euros.
inline constexpr double kFirstYear = 1900;
inline constexpr double kLastYear = 2099;
inline constexpr double kFirstEuroYear = 2002;
// How many words back a year may date the amount after it ("1999 3,50 DM, 2003 4,90").
inline constexpr std::size_t kYearWordsBack = 3;
// How many words back an amount may name the money of a shared subunit after it
// ("1 kroon = 100 cents").
inline constexpr std::size_t kOlderWordsBack = 4;
// How far back in its sentence a year may date an amount.
inline constexpr std::size_t kSentenceWordsBack = 40;
// How many lines of a list must mark their amounts with one currency before the bare
// numbers that end its other lines are taken as that money.
inline constexpr int kMarkedInAList = 2;
// Words read on after a value for the coin or note a list of values names ("the £5, £10,
// £20 and £50 notes").
inline constexpr std::size_t kLongestCoinList = 16;
// The least whole number that "and" may join to a smaller amount after it ("1.000 und 500
// DM"); below it, "3 und 50 Pfennig" could be marks and pfennigs.
inline constexpr double kListedDownFrom = 100;
// A sum written in digits from this much on counts as one a text writes in large numbers.
inline constexpr double kLargeSum = 1e6;
inline constexpr std::ptrdiff_t kLargeDigits = 7;
// How many words a sentence is looked through each way from an amount.
inline constexpr std::size_t kSentenceReach = 40;
// Letters from which a symbol is a name, not a sign or code ("kr", "Lm", "USD").
inline constexpr std::size_t kNameLetters = 4;
// Words of a sum written out in brackets beside an amount ("(cerca de mil euros)").
inline constexpr std::size_t kLongestSumInWords = 6;
// How many words back a bare number may find the amount whose pattern it repeats.
inline constexpr std::size_t kParallelReach = 48;
// How many words back a price in a list may find its first, through the prices between.
inline constexpr std::size_t kPriceListReach = 200;

inline bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// Blanks, the no-break space and the wider blanks some texts use between digit groups.
inline bool IsBlank(char32_t c) {
    return c <= 32 || c == 0xA0 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

// The hyphen-minus and the dashes and minus signs of Unicode.
inline bool IsDash(char32_t c) {
    return c == U'-' || (c >= 0x2010 && c <= 0x2015) || c == 0x2212;
}

// Marks that are words of their own: brackets, quotes, section and degree signs, the
// guillemets and the ellipsis.
inline bool IsOwnWord(char32_t c) {
    // A table for ASCII: the text is split character by character.
    static constexpr auto kAscii = [] {
        std::array<bool, 128> marks{};
        for (const char m : std::string_view("!\"%()+/:;<=>?[]{}*~"))
            marks[static_cast<unsigned char>(m)] = true;
        return marks;
    }();
    if (c < 0x80)
        return kAscii[c];
    switch (c) {
        case 0x00A7:
        case 0x00B0:
        case 0x201E:
        case 0x201C:
        case 0x201D:
        case 0x00AB:
        case 0x00BB:
        case 0x2039:
        case 0x203A:
        case 0x2026:
        case 0x2248:  // "≈90 000 DM"
            return true;
        default:
            return false;
    }
}

// Quotes that are apostrophes inside a word ("d'euros") but marks of their own at its ends.
inline bool IsEdgeQuote(char32_t c) {
    return c == U'\'' || c == U'\u201A' || c == U'\u2018' || c == U'\u2019';
}

// Punctuation that ends a sentence or clause right after a number or symbol.
inline bool IsClosingPunctuation(char32_t c) {
    return c == U'.' || c == U',' || c == U';' || c == U':' || c == U'!' || c == U'?' ||
           c == U'\u2019' || c == U'\'';
}

// The one currency of a set that holds exactly one, else kNoCurrency.
inline CurrencyIndex OnlyCurrency(const std::bitset<kCurrencyCount>& currencies) {
    if (currencies.count() != 1)
        return kNoCurrency;
    CurrencyIndex c = 0;
    while (!currencies.test(c))
        ++c;
    return c;
}

// A word without the punctuation that ends a clause after it ("Mark," "50.").
inline std::u32string_view WithoutClosingPunctuation(std::u32string_view word) {
    while (!word.empty() && IsClosingPunctuation(word.back()))
        word.remove_suffix(1);
    return word;
}

inline bool IsLowerAscii(std::u32string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char32_t c) { return c >= U'a' && c <= U'z'; });
}

inline bool IsCodeShaped(std::u32string_view s) {
    return s.size() >= 2 && s.size() <= 3 &&
           std::all_of(s.begin(), s.end(), [](char32_t c) { return c >= U'A' && c <= U'Z'; });
}

// Whether the marks of a number read differently by language ("10,000", "1.234,56").
bool MarksDisputed(std::u32string_view word);

// The one mark of a number that can only be a decimal mark: four digits or more after
// it, or a lone zero before it ("0.787564", "1,95583", "0,125"); else 0.
char32_t PlainDecimal(std::u32string_view word);
// "4,000.000" and "997,710.422,13" as "4.000.000" and "997.710.422,13": a comma before
// the millions and full stops before the thousands; any other number stays as it is.
// `withCents`: only where the cents or a dash for them follow ("2,000.000,-"), as
// "1,896.828" may as well be English.
void MillionsByComma(std::u32string& number, bool withCents = false);
// "1'011'000" groups thousands by apostrophes; "1'40" has one for its decimal mark, which
// becomes `decimal`.
void ApostropheMarks(std::u32string& number, char32_t decimal);

// Whether the one mark of a number, though the language's decimal mark, groups thousands
// by the number's shape: three digits after a stop, as money in English has two
// ("3.500 francs a month"); or after a comma, three zeros or a whole part of two digits
// or more ("42,000 Mark"), as a price with three decimals is a litre of fuel ("1,659 DM").
bool GroupsThousands(std::u32string_view word, char32_t decimal);

// The mark of a number that reads as a fixed euro rate with it as the decimal mark
// ("239,640", "1.95583"), or 0.
char32_t RateMark(std::u32string_view word);

// The decimal mark a number shows where it cannot be a thousands mark ("0.41729",
// "1.234,56"), or 0.
char32_t DecimalShown(std::u32string_view word);

}  // namespace everyday

using everyday::kNone;

struct EverydayScanner::Symbol {
    bool found = false;
    FormKind kind = FormKind::Unit;
    CurrencyIndex currency = kNoCurrency;
    double factor = 1.0;
    int family = -1;
    bool ambiguous = false;  // also the sign of other money ("kr", "£")
    std::u32string text;     // as found, lower-cased
    const std::vector<std::u32string>* shares = nullptr;  // other money: see EverydayForm
    const std::vector<std::u32string>* olders = nullptr;  // a subunit shared with the euro
    std::size_t first = kNone;                            // tokens it spans
    std::size_t last = kNone;
    std::size_t start = 0;  // characters it spans
    std::size_t end = 0;
};

struct EverydayScanner::Number {
    bool ok = false;
    double value = 0;
    int decimals = 0;
    std::size_t first = 0;  // tokens
    std::size_t last = 0;
    std::size_t start = 0;  // characters of the number (a glued symbol included)
    std::size_t end = 0;
    char32_t decimalChar = 0;  // the decimal symbol written, 0 for none
    bool plain = false;        // digits only
    bool centsDash = false;    // whole money with a dash for its cents ("25,-")
    Symbol glued;              // a symbol touching the number
    bool gluedBefore = false;
    double magnitude = 1.0;  // a magnitude word glued to it ("400mila")
    int family = -1;
};

struct EverydayScanner::Amount {
    bool ok = false;
    Number number;
    Symbol symbol;  // the currency (or other money, or unit) that marks it
    bool symbolBefore = false;
    double magnitude = 1.0;  // written magnitude word
    int family = -1;
    std::size_t magnitudeEnd = 0;  // characters, 0 for none
    std::size_t magnitudeLast = kNone;
    double extra = 0;  // the smaller part of "1 milione e 700 mila"
    std::size_t start = 0;
    std::size_t end = 0;
    std::size_t last = 0;  // last token used
};

class EverydayScanner::Reader {
  public:
    enum class Purpose { Reading, GatheringFacts };

    Reader(const EverydayScanner& scanner, const EverydayText& text, std::size_t floor,
           Purpose purpose = Purpose::Reading)
        : s_(scanner),
          settings_(scanner.settings_),
          text_(text),
          tokens_(text.Tokens()),
          floor_(floor),
          gathering_(purpose == Purpose::GatheringFacts) {}

    bool Next(std::size_t from, EverydayResult& result) const;

  private:
    std::u32string_view Tok(std::size_t i) const { return text_.TokenText(i); }
    bool SameLine(std::size_t first, std::size_t last) const;

    Symbol Lookup(std::u32string_view text, bool before, bool glued, bool dotFollows) const;
    // The old currency a subunit's `older` code names on this desktop.
    CurrencyIndex OlderCurrency(std::u32string_view code) const;
    Symbol LookupForm(std::u32string_view text, bool before, bool glued, bool dotFollows) const;
    Symbol MatchBefore(std::size_t numberToken) const;
    bool GluedMagnitudeAndName(std::size_t pos, Amount& amount) const;
    // The same, looking back as far as `floor` instead of where the search started.
    Symbol MatchBefore(std::size_t numberToken, std::size_t floor) const;
    bool ReadGluedBefore(std::u32string_view text, std::size_t offset, Number& number) const;
    const MagnitudeWord* MagnitudeAfterSign(std::u32string_view tail, std::size_t offset) const;
    std::size_t SplitCentsDash(const Number& number) const;
    // The sign or name of money before or after the number, and a magnitude word after it.
    void ReadSymbolAround(std::size_t i, std::size_t from, Amount& amount) const;
    Symbol BrokenWordAfter(std::size_t pos) const;
    Symbol MatchAfter(std::size_t pos, std::u32string_view elided) const;

    Number ReadNumberText(std::u32string_view text, std::size_t offset) const;
    Number ReadNumberAt(std::size_t i, std::size_t from) const;
    // Groups of digits after a number's first ("27 000", "10 000лв").
    void ExtendGroups(std::size_t i, std::u32string_view lead, Number& number) const;
    // Where the number ends before a hyphen and a grammatical ending ("5-те"), or before a
    // comma run into the next word ("800.000,terwijl"), or kNone.
    std::size_t EndingAt(std::u32string_view text) const;
    bool ReadSignAsMark(std::u32string_view text, std::size_t offset, Number& number) const;
    bool ReadCentsAndMils(std::u32string_view text, std::size_t offset, Number& number) const;
    bool ReadGlued(std::u32string_view text, std::size_t offset, Number& number) const;

    Amount ReadAmountAt(std::size_t i, std::size_t from) const;
    void ReadMagnitudeAndSymbolAfter(std::size_t pos, Amount& amount, bool symbolToo) const;
    void ReadSmallerPart(std::size_t& pos, Amount& amount) const;

    void ReadCentsAfter(Amount& amount) const;
    void ReadNameAgain(Amount& amount) const;
    Symbol NameAfterWords(std::size_t pos) const;
    Symbol NameAfterFormer(std::size_t pos) const;
    // Cents written right after a currency's name ("3 Mark 50"), or -1.
    int TrailingCents(std::size_t pos) const;
    // The sign after an amount's number stands before the next number, which it marks.
    bool SignEndsClause(const Symbol& sign) const;
    bool SignBetween(const Amount& amount) const;
    // A sign right after a number and before another one marks the second.
    bool SignIsNext(std::size_t signFirst, std::size_t signLast) const;
    bool SignOfItsOwnAfter(std::size_t numberToken, const Number& number) const;
    bool InRatio(const Number& n) const;
    bool YearAfterName(const Amount& amount) const;
    bool BareAllowed(const Amount& amount) const;
    bool OnlyDefaultMarked() const;
    const EverydayText::Facts& Facts() const;
    void GatherFacts(EverydayText::Facts& facts) const;
    // The language the text is written in (a primary language number), -1 if not told.
    int TextLanguage() const;
    // The language of the sentence around a word, else the text's.
    int LanguageAt(std::size_t token) const;
    // The language the sentence's own words tell, or -1.
    int SentenceLanguage(std::size_t token) const;
    int SentenceLeaning(std::size_t token) const;
    std::pair<std::size_t, std::size_t> SentenceAround(std::size_t token) const;
    bool SentenceStartsAt(std::size_t token) const;
    // The marks that group thousands in a number at this offset.
    const CharSet& ThousandsAt(std::size_t offset) const;
    bool EuroNamed() const;
    bool NamesCurrency(CurrencyIndex currency) const;
    // The currencies but the euro named anywhere in the text.
    std::bitset<kCurrencyCount> OldMoneyNamed() const;
    bool LinkToNext(const Amount& amount, Amount& linked) const;
    bool IsYear(const Number& n) const;
    bool CarriedOn(const Amount& amount, Amount& previous) const;
    // A bare number written as an amount in old money before it in the sentence is.
    bool InParallel(const Amount& amount, Amount& model) const;
    // A bare number in a list of things and prices whose first price names old money.
    bool InPriceList(const Amount& amount, Amount& model) const;
    bool EndsListItem(std::size_t token) const;
    // Where a clause or sentence ends right after a token.
    bool ClauseEndsAfter(std::size_t token) const;
    bool SentenceEndsAfter(std::size_t token) const;
    bool DatedBefore(std::size_t first, int euroYear, bool sentenceBeforeToo = false) const;
    // "Vtedy mali mäsiari asi 1 600 korún" after "pred novembrom 1989": a text dated before
    // the home money had its name speaks of the money that had it then.
    bool BeforeItsMoney(const Amount& amount) const;
    bool AfterApostrophe(const Number& n) const;
    bool PairedWithTarget(const Amount& amount) const;
    bool EndsTargetAmount(std::size_t end) const;
    bool EndsBareConverted(std::size_t end) const;
    bool StartsTargetAmount(std::size_t start, std::size_t& after) const;
    bool Target(const Amount& amount) const;
    bool MayBeTarget(const Amount& amount) const;

    // What a token read as a range inside one word gave.
    enum class RangeRead { kFound, kSkip, kNotRange };
    RangeRead ReadWordRange(std::size_t i, std::size_t start, EverydayResult& result) const;
    // The first number of a range in one word and the sign before it (or touching it), not
    // ok where there is none or the word is a span of years.
    Number RangeStart(std::size_t i, std::size_t dash, Symbol& before) const;
    Number GroupedHead(std::size_t i, std::size_t dash) const;
    bool GroupsRunIntoDash(std::size_t i) const;
    Symbol SignBeforeRange(std::size_t i) const;
    void FillRangeHead(std::size_t i, std::size_t dash, const Number& first, const Symbol& before,
                       const Amount& second, const Symbol& symbol, EverydayResult& result) const;
    void FillRangeTail(std::size_t dash, const Symbol& before, const Amount& second,
                       const Symbol& symbol, EverydayResult& result) const;
    // The amount starting at token i, if it is one to propose.
    bool ReadTokenAmount(std::size_t i, std::size_t from, EverydayResult& result) const;

    void Fill(const Amount& amount, bool hasSymbol, EverydayResult& result) const;
    // The amount is the value of a coin or note named after it.
    bool NamesACoin(const Amount& amount) const;
    // A word shared with other money means ours, whatever other money the text names.
    bool SharedWordIsOurs(const Symbol& symbol) const;
    // "£" in a sentence that names a place where it is sterling.
    bool SterlingNearby(const Amount& amount) const;
    bool CentsAfterStop(const Amount& amount) const;
    // "£52.500" in a text that names mils: the mark may part pounds and mils.
    bool MilsOrThousands(const Amount& amount) const;
    // Subunits in words after the amount ("32 francs, eighty centimes").
    bool CentsInWordsAfter(const Amount& amount) const;
    // A number after a word that refers to a part of a text.
    bool AfterReference(const Amount& amount) const;
    // A year's number after the word for year.
    bool NamedYear(const Number& n) const;
    bool AfterMonth(const Number& n) const;
    bool MayShareNextMagnitude(const Amount& amount) const;
    CurrencyIndex SameWordBefore(const Amount& amount) const;
    bool ThreeDecimalsOfWholeMoney(const Amount& amount) const;
    bool CentsOfWords(const Amount& amount) const;
    bool ThousandsOfALargeWord(const Amount& amount) const;
    bool FootnoteAfterCode(const Amount& amount) const;
    bool AfterDigitLikeLetter(const Amount& amount) const;
    bool BesideInBrackets(const Amount& amount) const;
    bool Ordinal(const Number& n) const;
    // Two digits after "6, ": the cents of a price with a stray blank, or a list.
    bool SplitByStrayBlank(const Number& n) const;
    // "iki 25 345,28 Lt./100 Eur.": the euro value the text gives after a slash shows the
    // number was read wrong ("25" counts documents).
    bool DisagreesWithEuroAfter(const Amount& amount) const;
    // "Esc. 33$ 21": centavos set off from the escudo sign by a stray blank.
    bool CentavosSetOff(const Number& n) const;
    // "milijardu i 215 milijuna kuna": the last part of a larger sum begun in words.
    bool TailOfALargerSum(const Amount& amount) const;
    // Other money named anywhere in the text shares the sign ("take sterling ... £1").
    bool SignSharedByNamedMoney(std::u32string_view sign) const;
    // "20,10, 50, 100": whole numbers listed, the blank after the first comma lost.
    bool ListWithoutBlank(const Number& n) const;
    // A sum with a magnitude word only, in the one money the text writes its sums in.
    CurrencyIndex InThousandsAfter(const Amount& amount) const;
    bool ScaledLikeTheText(const Amount& amount, Symbol& symbol) const;
    // "1 kroon = 100 cents": a subunit the euro shares, right after an amount in an older
    // money that has it (or right before one), is that money's. Changes the amount's
    // currency where so.
    void OlderBeside(Amount& amount) const;
    // How a line ends, for lists of amounts one a line.
    struct LineEnd {
        enum Kind { Other, Heading, Number, Marked } kind = Other;
        CurrencyIndex currency = kNoCurrency;
    };
    LineEnd ReadLineEnd(std::size_t first, std::size_t last) const;
    // The currency of the list or column a bare number that ends its line stands in, or
    // kNoCurrency.
    CurrencyIndex UnderHeading(const Number& n) const;
    void GatherColumns(EverydayText::Facts& facts) const;
    // A bare number just after a year since the euro came.
    bool DatedInEuroYears(const Amount& amount) const;
    // The sign of the amount a bare one is joined to, to write beside the bare one.
    void ShareSymbol(const Amount& owner, TGeplanteAenderung& p) const;

    const EverydayScanner& s_;
    const ProfileSettings& settings_;
    const EverydayText& text_;
    const std::vector<EverydayText::Token>& tokens_;
    std::size_t floor_;
    // The reader that gathers the text's facts: to it, a subunit that depends on them is
    // no symbol.
    const bool gathering_;
};

}  // namespace kassavero
