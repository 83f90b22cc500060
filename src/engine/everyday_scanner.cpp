#include "engine/everyday_scanner.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/win1252.h"
#include "settings/profile_settings.h"

namespace kassavero {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32 || c == '\xA0';
}

bool IsDash(char c) {
    return c == '-' || c == '\x96' || c == '\x97';
}

constexpr std::array<bool, 256> MakeOwnWordTable() {
    std::array<bool, 256> table{};
    for (unsigned char c : std::string_view("!\"%()+/:;<=>?[]{}*"))
        table[c] = true;
    for (unsigned char c : {0xA7, 0xB0, 0x84, 0x93, 0x94, 0xAB, 0xBB, 0x8B, 0x9B, 0x85})
        table[c] = true;  // section, degree, quotes, guillemets, ellipsis
    return table;
}
constexpr std::array<bool, 256> kOwnWord = MakeOwnWordTable();

bool IsOwnWord(char c) {
    return kOwnWord[static_cast<unsigned char>(c)];
}

// Quotes that are apostrophes inside a word ("d'euros") but marks of their own at its ends.
bool IsEdgeQuote(char c) {
    return c == '\'' || c == '\x82' || c == '\x91' || c == '\x92';
}

// Punctuation that ends a sentence or clause right after a number or symbol.
bool IsClosingPunctuation(char c) {
    return c == '.' || c == ',' || c == ';' || c == ':' || c == '!' || c == '?' || c == '\x92' ||
           c == '\'';
}

bool IsLowerAscii(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

bool IsCodeShaped(std::string_view s) {
    return s.size() >= 2 && s.size() <= 3 &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool IsLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
           (u >= 0xC0 && u != 0xD7 && u != 0xF7);
}

}  // namespace

// ---- The text ----

EverydayText::EverydayText(std::string_view text) : text_(text) {
    const std::size_t zero = text.find('\0');
    const std::size_t n = zero == std::string_view::npos ? text.size() : zero;
    tokens_.reserve(n / 6 + 1);
    bool line = false;
    std::size_t gap = 0;
    const auto push = [&](std::size_t start, std::size_t end) {
        tokens_.push_back({start, end, line, gap});
        line = false;
        gap = 0;
    };
    const char* data = text.data();
    std::size_t i = 0;
    while (i < n) {
        // A run of blanks, and whether a line ends in it.
        const std::size_t blanks = i;
        while (i < n && IsBlank(data[i])) {
            line = line || (data[i] >= '\n' && data[i] <= '\r');
            ++i;
        }
        gap += i - blanks;
        if (i >= n)
            break;
        if (IsOwnWord(data[i])) {
            push(i, i + 1);
            ++i;
            continue;
        }
        std::size_t start = i;
        while (i < n && !IsBlank(data[i]) && !IsOwnWord(data[i]))
            ++i;
        const std::size_t end = i;
        while (start < end && IsEdgeQuote(data[start])) {
            push(start, start + 1);
            ++start;
        }
        std::size_t inner = end;
        while (inner > start && IsEdgeQuote(data[inner - 1]))
            --inner;
        if (start < inner)
            push(start, inner);
        for (std::size_t k = inner; k < end; ++k)
            push(k, k + 1);
    }
}

std::string_view EverydayText::TokenText(std::size_t index) const {
    if (index >= tokens_.size())
        return {};
    return text_.substr(tokens_[index].start, tokens_[index].end - tokens_[index].start);
}

std::size_t EverydayText::TokenAt(std::size_t offset) const {
    const auto it = std::upper_bound(tokens_.begin(), tokens_.end(), offset,
                                     [](std::size_t o, const Token& t) { return o < t.end; });
    return static_cast<std::size_t>(it - tokens_.begin());
}

// ---- Reading ----

struct EverydayScanner::Symbol {
    bool found = false;
    FormKind kind = FormKind::Unit;
    CurrencyIndex currency = kNoCurrency;
    double factor = 1.0;
    int family = -1;
    std::size_t first = kNone;  // tokens it spans
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
    char decimalChar = 0;  // the decimal symbol written, 0 for none
    bool plain = false;    // digits only
    Symbol glued;          // a symbol touching the number
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
    Reader(const EverydayScanner& scanner, const EverydayText& text, std::size_t floor)
        : s_(scanner),
          settings_(scanner.settings_),
          text_(text),
          tokens_(text.Tokens()),
          floor_(floor) {}

    bool Next(std::size_t from, EverydayResult& result) const;

  private:
    std::string_view Tok(std::size_t i) const { return text_.TokenText(i); }
    bool SameLine(std::size_t first, std::size_t last) const;

    Symbol Lookup(std::string_view text, bool before, bool glued, bool dotFollows) const;
    Symbol MatchBefore(std::size_t numberToken) const;
    Symbol MatchAfter(std::size_t pos, std::string_view elided) const;

    Number ReadNumberText(std::string_view text, std::size_t offset) const;
    Number ReadNumberAt(std::size_t i, std::size_t from) const;
    bool ReadEscudo(std::string_view text, std::size_t offset, Number& number) const;
    bool ReadGlued(std::string_view text, std::size_t offset, Number& number) const;

    Amount ReadAmountAt(std::size_t i, std::size_t from) const;
    void ReadMagnitudeAndSymbolAfter(std::size_t pos, Amount& amount, bool symbolToo) const;
    void ReadSmallerPart(std::size_t& pos, Amount& amount) const;

    void ReadCentsAfter(Amount& amount) const;
    bool BareAllowed(const Amount& amount) const;
    bool OnlyDefaultMarked() const;
    const EverydayText::Facts& Facts() const;
    bool EuroNamed() const;
    bool LinkToNext(const Amount& amount, Amount& linked) const;
    bool IsYear(const Number& n) const;
    bool CarriedOn(const Amount& amount, Amount& previous) const;
    bool AfterApostrophe(const Number& n) const;
    bool PairedWithTarget(const Amount& amount) const;
    bool EndsTargetAmount(std::size_t end) const;
    bool StartsTargetAmount(std::size_t start, std::size_t& after) const;
    bool Target(const Amount& amount) const;

    void Fill(const Amount& amount, bool hasSymbol, EverydayResult& result) const;

    const EverydayScanner& s_;
    const ProfileSettings& settings_;
    const EverydayText& text_;
    const std::vector<EverydayText::Token>& tokens_;
    std::size_t floor_;
    // While the text's facts are gathered, a subunit that depends on them is no symbol.
    mutable bool gathering_ = false;
};

bool EverydayScanner::Reader::SameLine(std::size_t first, std::size_t last) const {
    for (std::size_t k = first + 1; k <= last && k < tokens_.size(); ++k) {
        if (tokens_[k].lineBefore)
            return false;
    }
    return true;
}

EverydayScanner::Symbol EverydayScanner::Reader::Lookup(std::string_view text, bool before,
                                                        bool glued, bool dotFollows) const {
    Symbol symbol;
    const std::string lowered = LowerCaseLatin1(text);
    const SymbolMatch match = s_.FindUserSymbol(text, lowered);
    if (match.Entry != nullptr) {
        const TCurrencySymbol& entry = *match.Entry;
        // "dem" is an article and "ff." means "and the following" in lower case; the
        // codes are written in capitals.
        if (IsCodeShaped(entry.Symbol) && IsLowerAscii(text))
            return symbol;
        if (!IsCurrency(match.List)) {
            symbol.found = !glued;
            return symbol;
        }
        bool allowed = before ? entry.BeforeAmount : entry.AfterAmount;
        if (glued)
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
    const EverydayForm* form = FindEverydayForm(text, lowered, s_.region_);
    if (form == nullptr || !(before ? form->before : form->after))
        return symbol;
    if (glued) {
        // A lone letter touching a number is a model or a flat ("F2", "T3"), not money;
        // after the number only where the sign is used that way ("50F").
        const bool sign = text.size() >= 2 || !IsLetter(text[0]);
        if (!(form->glued && (sign || !before)) && !(!before && text.size() >= 4))
            return symbol;
    }
    symbol.found = true;
    symbol.kind = form->kind;
    symbol.currency = form->currency;
    symbol.factor = form->factor;
    symbol.family = form->magnitudeFamily;
    if (form->older != kNoCurrency) {
        // "15 centimes" after francs are francs; after euros, or alone, euro cents.
        if (gathering_)
            return Symbol{};
        const CurrencyIndex older =
            form->older == kFRF && s_.region_.home == kBEF ? kBEF : form->older;
        if (Facts().marked.test(older) && !Facts().marked.test(kEUR) && !EuroNamed())
            symbol.currency = older;
    }
    return symbol;
}

EverydayScanner::Symbol EverydayScanner::Reader::MatchBefore(std::size_t numberToken) const {
    for (std::size_t k = 3; k >= 1; --k) {
        if (numberToken < k)
            continue;
        const std::size_t first = numberToken - k;
        if (tokens_[first].start < floor_ || !SameLine(first, numberToken))
            continue;
        std::string joined(Tok(first));
        for (std::size_t t = first + 1; t < numberToken; ++t) {
            joined += ' ';
            joined += Tok(t);
        }
        // The text itself, then without the full stops at its end.
        std::string_view variant = joined;
        while (!variant.empty()) {
            const bool dot = variant.size() < joined.size();
            Symbol symbol = Lookup(variant, true, false, dot);
            if (symbol.found) {
                symbol.first = first;
                symbol.last = numberToken - 1;
                symbol.start = tokens_[first].start;
                symbol.end = tokens_[numberToken - 1].end;
                return symbol;
            }
            if (variant.back() != '.')
                break;
            variant.remove_suffix(1);
        }
    }
    return {};
}

EverydayScanner::Symbol EverydayScanner::Reader::MatchAfter(std::size_t pos,
                                                            std::string_view elided) const {
    for (std::size_t k = 3; k >= 1; --k) {
        const std::size_t last = pos + k - 1;
        if (last >= tokens_.size() || (pos > 0 && !SameLine(pos - 1, last)))
            continue;
        std::string joined(elided.empty() ? Tok(pos) : elided);
        for (std::size_t t = pos + 1; t <= last; ++t) {
            joined += ' ';
            joined += Tok(t);
        }
        // Without the punctuation at its end first, so that a sentence's full stop or comma
        // stays out of the amount where the symbol reads without it.
        std::size_t cut = 0;
        while (cut < joined.size() && IsClosingPunctuation(joined[joined.size() - 1 - cut]))
            ++cut;
        for (std::size_t drop = cut + 1; drop-- > 0;) {
            const std::string_view variant =
                std::string_view(joined).substr(0, joined.size() - drop);
            if (variant.empty())
                continue;
            const bool dotFollows = drop > 0 && joined[variant.size()] == '.';
            Symbol symbol = Lookup(variant, false, false, dotFollows);
            if (symbol.found) {
                symbol.first = pos;
                symbol.last = last;
                symbol.start = tokens_[pos].start;
                symbol.end = tokens_[last].end - drop;
                return symbol;
            }
        }
    }
    return {};
}

EverydayScanner::Number EverydayScanner::Reader::ReadNumberText(std::string_view text,
                                                                std::size_t offset) const {
    Number number;
    std::size_t length = text.size();
    while (length > 0 && IsClosingPunctuation(text[length - 1]))
        --length;
    if (length == 0)
        return number;
    std::string t(text.substr(0, length));
    const bool negative = t[0] == '-' && settings_.InputAcceptNegatives;
    const std::size_t digitAt = negative ? 1 : 0;
    const bool zeroStart =
        settings_.InputAcceptZero && digitAt < t.size() && Contains(s_.sets_.Decimals, t[digitAt]);
    if (digitAt >= t.size() || !(IsDigit(t[digitAt]) || zeroStart))
        return number;
    // "50,–" with a typographic dash for the cents reads like "50,-".
    for (std::size_t k = t.size() >= 2 ? t.size() - 2 : 0; k < t.size(); ++k) {
        if (IsDash(t[k]) && k > 0 && (IsDash(t[k - 1]) || Contains(s_.sets_.Decimals, t[k - 1])))
            t[k] = '-';
    }
    const bool never = !settings_.InputThousandsAlways && !settings_.InputThousandsSometimes;
    const ParsedNumber parsed =
        ParseNumber(t, s_.thousands_, s_.sets_.Decimals, settings_.InputThousandsAlways, never,
                    settings_.InputAcceptNegatives);
    if (!parsed.Ok)
        return number;
    number.ok = true;
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

bool EverydayScanner::Reader::ReadEscudo(std::string_view text, std::size_t offset,
                                         Number& number) const {
    std::size_t length = text.size();
    while (length > 0 && IsClosingPunctuation(text[length - 1]))
        --length;
    const std::size_t sign = text.substr(0, length).find('$');
    if (sign == std::string_view::npos || sign + 3 != length)
        return false;
    const std::string_view whole = text.substr(0, sign);
    const std::string_view cents = text.substr(sign + 1, 2);
    const auto centDigit = [](char c) { return IsDigit(c) || c == 'O'; };
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
        for (std::size_t k = 0; k < whole.size(); ++k) {
            const char c = whole[k];
            if (IsDigit(c)) {
                value = value * 10 + (c - '0');
                ++group;
            } else if (c == '.' && group >= 1 && (grouped ? group == 3 : group <= 3)) {
                grouped = true;
                group = 0;
            } else {
                return false;
            }
        }
        if (group == 0 || (grouped && group != 3))
            return false;
    }
    const auto digit = [](char c) { return c == 'O' ? 0 : c - '0'; };
    number.ok = true;
    number.value = value + (digit(cents[0]) * 10 + digit(cents[1])) / 100.0;
    number.decimals = 2;
    number.start = offset;
    number.end = offset + length;
    number.glued.found = true;
    number.glued.kind = FormKind::Currency;
    number.glued.currency = kPTE;
    return true;
}

bool EverydayScanner::Reader::ReadGlued(std::string_view text, std::size_t offset,
                                        Number& number) const {
    // A symbol before: everything up to the first digit.
    std::size_t firstDigit = 0;
    while (firstDigit < text.size() && !IsDigit(text[firstDigit]))
        ++firstDigit;
    if (firstDigit > 0 && firstDigit < text.size()) {
        const std::string_view sign = text.substr(0, firstDigit);
        Number rest = ReadNumberText(text.substr(firstDigit), offset + firstDigit);
        const std::string_view tail = rest.ok ? text.substr(rest.end - offset) : text;
        if (rest.ok && std::all_of(tail.begin(), tail.end(), IsClosingPunctuation)) {
            std::string_view symbolText = sign;
            bool dot = false;
            Symbol symbol = Lookup(symbolText, true, true, false);
            if (!symbol.found && symbolText.back() == '.') {
                symbolText.remove_suffix(1);
                dot = true;
                symbol = Lookup(symbolText, true, true, dot);
            }
            if (symbol.found && symbol.kind != FormKind::Unit) {
                number = rest;
                number.start = offset;
                number.glued = symbol;
                number.gluedBefore = true;
                return true;
            }
        }
    }
    // A number first, then the symbol (or a magnitude word: "400mila").
    if (!IsDigit(text[0]) && !(text[0] == '-' && text.size() > 1 && IsDigit(text[1])))
        return false;
    std::size_t numberLength = 1;
    while (numberLength < text.size() &&
           (IsDigit(text[numberLength]) || Contains(s_.sets_.Thousands, text[numberLength]) ||
            Contains(s_.sets_.Decimals, text[numberLength]) || text[numberLength] == '-'))
        ++numberLength;
    if (numberLength >= text.size())
        return false;
    Number front = ReadNumberText(text.substr(0, numberLength), offset);
    std::size_t symbolAt = front.ok ? front.end - offset : 0;
    if (!front.ok || symbolAt == 0)
        return false;
    std::string_view rest = text.substr(symbolAt);
    if (rest.empty() || IsDash(rest[0]))
        return false;
    if (const MagnitudeWord* magnitude = FindMagnitude(rest)) {
        number = front;
        number.end = offset + text.size();
        number.magnitude = magnitude->factor;
        number.family = magnitude->family;
        return true;
    }
    std::size_t cut = 0;
    while (cut < rest.size() && IsClosingPunctuation(rest[rest.size() - 1 - cut]))
        ++cut;
    for (std::size_t drop = cut + 1; drop-- > 0;) {
        const std::string_view variant = rest.substr(0, rest.size() - drop);
        if (variant.empty())
            continue;
        const Symbol symbol = Lookup(variant, false, true, drop > 0 && rest[variant.size()] == '.');
        if (symbol.found && symbol.kind != FormKind::Unit) {
            number = front;
            number.end = offset + symbolAt + variant.size();
            number.glued = symbol;
            return true;
        }
    }
    return false;
}

EverydayScanner::Number EverydayScanner::Reader::ReadNumberAt(std::size_t i,
                                                              std::size_t from) const {
    const auto& token = tokens_[i];
    const std::size_t start = std::max(token.start, from);
    const std::string_view text = text_.Text().substr(start, token.end - start);
    Number number = ReadNumberText(text, start);
    if (number.ok && number.end != start + text.size()) {
        // Only closing punctuation may follow a number inside its word.
        const std::string_view tail = text.substr(number.end - start);
        if (!std::all_of(tail.begin(), tail.end(), IsClosingPunctuation))
            number.ok = false;
    }
    if (!number.ok) {
        number = Number{};
        if (!ReadEscudo(text, start, number) && !ReadGlued(text, start, number))
            return Number{};
        number.first = number.last = i;
        return number;
    }
    number.first = number.last = i;
    // "6, 50 Francs": the cents set off by a blank after the decimal comma.
    if (number.plain && number.end + 1 == token.end &&
        text_.Text()[number.end] == s_.region_.decimalSeparator && i + 2 < tokens_.size() &&
        Contains(s_.sets_.Decimals, s_.region_.decimalSeparator)) {
        const std::string_view cents = Tok(i + 1);
        const bool inList = i > 0 && !Tok(i - 1).empty() && Tok(i - 1).back() == ',';
        if (!inList && cents.size() == 2 && IsDigit(cents[0]) && IsDigit(cents[1]) &&
            tokens_[i + 1].gapBefore == 1 && SameLine(i, i + 2)) {
            const Symbol symbol = MatchAfter(i + 2, {});
            if (symbol.found && symbol.kind == FormKind::Currency) {
                number.value += ((cents[0] - '0') * 10 + (cents[1] - '0')) / 100.0;
                number.decimals = 2;
                number.decimalChar = s_.region_.decimalSeparator;
                number.plain = false;
                number.last = i + 1;
                number.end = tokens_[i + 1].end;
                return number;
            }
        }
    }
    // Digits grouped by single blanks: "27 000", "1 250,00", "279 400 000"; also a group
    // set off after its full stop, as official print sometimes has it ("1.405. 100").
    const std::string_view digits = text.substr(0, number.end - start);
    const bool dotted = !number.plain && number.decimals == 0 && number.end + 1 == token.end &&
                        text_.Text()[number.end] == '.' &&
                        digits.find('.') != std::string_view::npos;
    const bool lead =
        ((number.plain && digits.size() <= 3 && digits[0] != '0' && number.end == token.end) ||
         dotted) &&
        start == token.start;
    if (!lead || (i > 0 && IsReferenceWord(Tok(i - 1))))
        return number;
    double value = number.value;
    std::size_t last = i;
    Number grouped;
    while (last + 1 < tokens_.size()) {
        const auto& next = tokens_[last + 1];
        const std::string_view group = Tok(last + 1);
        if (next.lineBefore || next.gapBefore != 1 || group.size() < 3 || !IsDigit(group[0]) ||
            !IsDigit(group[1]) || !IsDigit(group[2]) || (group.size() > 3 && IsDigit(group[3])))
            break;
        Number part = ReadNumberText(group, next.start);
        if (!part.ok || part.end - next.start < 3)
            break;
        const std::string_view tail = group.substr(part.end - next.start);
        if (!std::all_of(tail.begin(), tail.end(), IsClosingPunctuation))
            break;
        const double wholeGroup = std::floor(part.value + 1e-9);
        value = value * 1000 + wholeGroup + (part.value - wholeGroup);
        grouped = part;
        ++last;
        if (part.end - next.start > 3 || !part.plain)
            break;  // a fraction ends the number
    }
    if (last == i)
        return number;
    number.value = value;
    number.decimals = grouped.decimals;
    number.decimalChar = grouped.decimalChar;
    number.plain = false;
    number.last = last;
    number.end = grouped.end;
    return number;
}

void EverydayScanner::Reader::ReadSmallerPart(std::size_t& pos, Amount& amount) const {
    // "1 milione e 700 mila lire", "2 millones y 300 mil pesetas": one amount.
    if (pos + 2 >= tokens_.size() || !SameLine(pos - 1, pos + 2))
        return;
    const std::string_view joiner = Tok(pos);
    if (joiner != "e" && joiner != "y" && joiner != "und" && joiner != "et" && joiner != "and")
        return;
    const Number part = ReadNumberText(Tok(pos + 1), tokens_[pos + 1].start);
    const MagnitudeWord* word = FindMagnitude(Tok(pos + 2));
    if (!part.ok || part.end != tokens_[pos + 1].end || word == nullptr ||
        word->factor >= amount.magnitude)
        return;
    amount.extra = part.value * word->factor;
    amount.magnitudeLast = pos + 2;
    amount.magnitudeEnd = tokens_[pos + 2].end;
    pos += 3;
}

void EverydayScanner::Reader::ReadMagnitudeAndSymbolAfter(std::size_t pos, Amount& amount,
                                                          bool symbolToo) const {
    if (amount.number.family < 0) {
        for (std::size_t k = 2; k >= 1; --k) {
            const std::size_t last = pos + k - 1;
            if (last >= tokens_.size() || !SameLine(pos - 1, last))
                continue;
            std::string joined(Tok(pos));
            if (k == 2) {
                joined += ' ';
                joined += Tok(pos + 1);
            }
            // "Mio." keeps its dot; "milioni." and "millions," leave theirs to the sentence.
            std::size_t drop = 0;
            const MagnitudeWord* word = FindMagnitude(joined);
            while (word == nullptr && drop < joined.size() &&
                   IsClosingPunctuation(joined[joined.size() - 1 - drop])) {
                ++drop;
                word = FindMagnitude(std::string_view(joined).substr(0, joined.size() - drop));
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
    if (!symbolToo)
        return;
    const bool magnitude = amount.magnitudeLast != kNone || amount.number.family >= 0;
    if (magnitude && pos < tokens_.size() && SameLine(pos - 1, pos)) {
        // "1,5 million de francs", "2 milioni di lire", "2 milliards d'euros"
        const std::string_view word = Tok(pos);
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
}

EverydayScanner::Amount EverydayScanner::Reader::ReadAmountAt(std::size_t i,
                                                              std::size_t from) const {
    Amount amount;
    amount.number = ReadNumberAt(i, from);
    if (!amount.number.ok)
        return amount;
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
        if (pos < tokens_.size())
            ReadMagnitudeAndSymbolAfter(pos, amount, true);
        const Symbol after = amount.symbol;
        if (before.found && before.kind != FormKind::Unit) {
            amount.symbol = before;
            amount.symbolBefore = true;
        } else if (after.found && after.kind != FormKind::Unit) {
            amount.symbol = after;
        } else if (before.found || after.found) {
            amount.symbol = before.found ? before : after;
            amount.symbolBefore = before.found;
        } else {
            amount.symbol = Symbol{};
        }
    }
    if (number.family >= 0) {
        amount.magnitude = number.magnitude;
        amount.family = number.family;
    }
    amount.start = amount.symbolBefore && !number.glued.found ? amount.symbol.start : number.start;
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
    amount.ok = true;
    ReadCentsAfter(amount);
    return amount;
}

void EverydayScanner::Reader::ReadCentsAfter(Amount& amount) const {
    // "3 Mark 50 Pfennig", "119 pesetas y 25 céntimos": one amount.
    if (!amount.symbol.found || amount.symbol.kind != FormKind::Currency || amount.symbolBefore ||
        amount.symbol.factor != 1.0 || amount.magnitudeLast != kNone || amount.number.glued.found)
        return;
    std::size_t pos = amount.last + 1;
    if (pos < tokens_.size() && SameLine(amount.last, pos)) {
        const std::string_view joiner = Tok(pos);
        if (joiner == "und" || joiner == "y" || joiner == "e" || joiner == "et" || joiner == "and")
            ++pos;
    }
    if (pos + 1 >= tokens_.size() || !SameLine(amount.last, pos + 1))
        return;
    const std::string_view cents = Tok(pos);
    if (cents.size() > 2 || !std::all_of(cents.begin(), cents.end(), IsDigit))
        return;
    const Symbol sub = MatchAfter(pos + 1, {});
    if (!sub.found || sub.kind != FormKind::Currency || sub.factor != 0.01)
        return;
    amount.extra =
        (cents[0] - '0') * (cents.size() == 2 ? 10 : 1) + (cents.size() == 2 ? cents[1] - '0' : 0);
    amount.extra /= 100.0;
    amount.number.decimals = 2;
    amount.end = sub.end;
    amount.last = sub.last;
}

bool EverydayScanner::Reader::BareAllowed(const Amount& amount) const {
    const Number& n = amount.number;
    if (!settings_.InputNumbersWithoutSymbols || n.glued.found || amount.family >= 0 ||
        amount.magnitudeLast != kNone)
        return false;
    if (!IsCurrency(ListPositionToIndex(settings_.InputDefaultCurrency)))
        return false;
    if (settings_.InputCheckForDecimalsActive && n.decimals != settings_.InputCheckForDecimals)
        return false;
    // A whole number without a symbol is a count, a year or a page far more often than
    // money; only a number written with its cents may be a price.
    if (n.decimals == 0)
        return false;
    // Decimals written the way the desktop writes them: "14.30" in German is a time.
    if (n.decimals > 0 && n.decimalChar != s_.region_.decimalSeparator)
        return false;
    // A year, a reference, a time or a date.
    if (IsYear(n) || AfterApostrophe(n))
        return false;
    if (n.first > 0) {
        const std::string_view before = Tok(n.first - 1);
        if (IsReferenceWord(before) || IsTimeWord(before))
            return false;
    }
    if (n.last + 1 < tokens_.size() && IsMonthName(Tok(n.last + 1)))
        return false;
    return OnlyDefaultMarked();
}

const EverydayText::Facts& EverydayScanner::Reader::Facts() const {
    // A glance at the word on either side of each number tells how the text marks its
    // amounts; its commonest short words tell its language.
    EverydayText::Facts& facts = text_.TextFacts();
    if (facts.known)
        return facts;
    facts.known = true;
    gathering_ = true;
    const auto note = [&](const Symbol& symbol) {
        if (!symbol.found || symbol.kind == FormKind::Unit)
            return;
        if (symbol.kind == FormKind::Foreign)
            facts.otherMoney = true;
        else if (IsCurrency(symbol.currency))
            facts.marked.set(symbol.currency);
    };
    const auto wordAt = [&](std::size_t k) {
        std::string_view word = Tok(k);
        while (!word.empty() && IsClosingPunctuation(word.back()))
            word.remove_suffix(1);
        return word;
    };
    LanguageCount language;
    for (std::size_t i = 0; i < tokens_.size(); ++i) {
        const std::string_view word = Tok(i);
        language.Add(word);
        if (std::none_of(word.begin(), word.end(), IsDigit))
            continue;
        if (!IsDigit(word[0]) || !IsDigit(word.back())) {
            const Number number = ReadNumberAt(i, tokens_[i].start);
            if (number.ok)
                note(number.glued);
        }
        if (i > 0)
            note(Lookup(wordAt(i - 1), true, false, true));
        std::size_t after = i + 1;
        if (after < tokens_.size() && FindMagnitude(wordAt(after)) != nullptr)
            ++after;
        if (after < tokens_.size() && IsMagnitudeLink(Tok(after)))
            ++after;
        if (after < tokens_.size())
            note(MatchAfter(after, WithoutElision(Tok(after))));
    }
    facts.language = language.Language();
    gathering_ = false;
    return facts;
}

bool EverydayScanner::Reader::EuroNamed() const {
    // "100 pesetas (los 60 céntimos de hoy) ... cuando el euro empezó": a text that names
    // the euro anywhere may mean euro cents.
    EverydayText::Facts& facts = text_.TextFacts();
    if (facts.euroNamed < 0) {
        facts.euroNamed = 0;
        for (std::size_t i = 0; i < tokens_.size() && facts.euroNamed == 0; ++i) {
            const EverydayForm* form = FindEverydayForm(Tok(i), s_.region_);
            facts.euroNamed = form != nullptr && form->kind == FormKind::Currency &&
                                      form->currency == kEUR && form->factor == 1.0
                                  ? 1
                                  : 0;
        }
    }
    return facts.euroNamed == 1;
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
    constexpr std::array<int, 7> kKnown = {0x07, 0x0C, 0x10, 0x0A, 0x13, 0x16, 0x09};
    const bool told = std::find(kKnown.begin(), kKnown.end(), s_.region_.language) != kKnown.end();
    return facts.language < 0 || !told || facts.language == s_.region_.language;
}

bool EverydayScanner::Reader::LinkToNext(const Amount& amount, Amount& linked) const {
    // "2,40 bis 4,40 DM", "zwischen 20 und 100 Mark", "5.000, 10.000 en 50.000 gulden":
    // a number without a symbol takes the symbol of the next one it is joined to.
    const Number& n = amount.number;
    const std::string_view opener = n.first > 0 ? Tok(n.first - 1) : std::string_view();
    const bool inList = !opener.empty() && opener.back() == ',';
    if ((IsYear(n) && !inList) || IsReferenceWord(opener) || AfterApostrophe(n))
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
        const bool comma = text_.Text()[tokens_[last].end - 1] == ',';
        std::string_view joiner;
        if (comma) {
            commas = true;
        } else {
            joiner = Tok(next);
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
        // A list of bare numbers goes on to its last one; "10.000, 15.000 Schilling" ends in
        // a marked one of the same kind.
        bool joined = comma && (!marked || (alike && upward));
        if (!comma) {
            const bool andWord = joiner == "und" || joiner == "and" || joiner == "et" ||
                                 joiner == "e" || joiner == "y" || joiner == "en";
            const bool orWord = joiner == "oder" || joiner == "ou" || joiner == "o" ||
                                joiner == "of" || joiner == "or";
            const bool toWord = joiner == "bis" || joiner == "\xE0" || joiner == "tot" ||
                                joiner == "to" || joiner == "a";
            const bool dash = joiner.size() == 1 && IsDash(joiner[0]);
            joined = IsRangeOpener(opener, joiner) || orWord || joiner == "statt" ||
                     (andWord && (commas || (alike && upward))) || (toWord && upward) ||
                     (dash && !lineStart && alike && upward);
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
    const auto leadsTo = [&](std::size_t token) {
        const std::string_view joiner = Tok(token);
        return joiner == "auf" || joiner == "a" || joiner == "\xE0" || joiner == "naar" ||
               joiner == "to" || joiner == "bis";
    };
    if (!leadsTo(n.first - 1))
        return false;
    const std::string_view number = Tok(n.last);
    const bool clauseEnds = n.last + 1 >= tokens_.size() || tokens_[n.last + 1].lineBefore ||
                            IsClosingPunctuation(number.back()) || Tok(n.last + 1) == ")" ||
                            IsDash(Tok(n.last + 1)[0]) || Tok(n.last + 1) == "(";
    if (!clauseEnds)
        return false;
    const std::size_t reach = n.first >= 10 ? n.first - 10 : 0;
    for (std::size_t k = n.first - 1; k-- > reach;) {
        if (tokens_[k + 1].lineBefore)
            return false;
        const std::string_view word = Tok(k);
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

bool EverydayScanner::Reader::IsYear(const Number& n) const {
    return n.plain && n.decimals == 0 && n.value >= 1900 && n.value <= 2099 && n.end - n.start == 4;
}

bool EverydayScanner::Reader::AfterApostrophe(const Number& n) const {
    // "’79", "'98": a year; "82/83", "14/498": a season or a paper's number.
    const bool slashAfter =
        n.last + 1 < tokens_.size() && tokens_[n.last + 1].gapBefore == 0 && Tok(n.last + 1) == "/";
    if (slashAfter)
        return true;
    if (n.first == 0 || tokens_[n.first].gapBefore != 0)
        return false;
    const std::string_view before = Tok(n.first - 1);
    return before.size() == 1 && (IsEdgeQuote(before[0]) || before[0] == '/');
}

bool EverydayScanner::Reader::Target(const Amount& amount) const {
    return amount.symbol.found && amount.symbol.kind == FormKind::Currency &&
           amount.symbol.currency == ListPositionToIndex(settings_.OutputDefaultCurrency);
}

bool EverydayScanner::Reader::EndsTargetAmount(std::size_t end) const {
    const std::size_t last = text_.TokenAt(end) == 0 ? kNone : text_.TokenAt(end) - 1;
    if (last == kNone || tokens_[last].end != end)
        return false;
    // Read as if nothing had been found before: the amount's symbol lies behind us.
    const Reader whole(s_, text_, 0);
    for (std::size_t back = 0; back < 4 && back <= last; ++back) {
        const Amount amount = whole.ReadAmountAt(last - back, tokens_[last - back].start);
        if (amount.ok && amount.end == end && Target(amount))
            return true;
    }
    return false;
}

bool EverydayScanner::Reader::StartsTargetAmount(std::size_t start, std::size_t& after) const {
    const std::size_t first = text_.TokenAt(start);
    for (std::size_t k = first; k < first + 3 && k < tokens_.size(); ++k) {
        const Amount amount = ReadAmountAt(k, tokens_[k].start);
        if (!amount.ok)
            continue;
        if (amount.start != start || !Target(amount))
            return false;
        after = amount.end;
        return true;
    }
    return false;
}

bool EverydayScanner::Reader::PairedWithTarget(const Amount& amount) const {
    // "€ 6,39 (12,50 DM)" or "12,50 DM (€ 6,39)": written beside its converted value.
    const std::string_view text = text_.Text();
    const auto isOpen = [&](std::size_t at) {
        return at < text.size() && (text[at] == '(' || text[at] == '[' ||
                                    text.substr(at).rfind(settings_.OutputLeftBracket, 0) == 0);
    };
    const auto isClose = [&](std::size_t at) {
        return at < text.size() && (text[at] == ')' || text[at] == ']' ||
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
        EndsTargetAmount(skipBack(open - 1)))
        return true;
    std::size_t after = skip(amount.end);
    if (isOpen(after)) {
        const std::size_t inner = skip(after + 1);
        std::size_t end = 0;
        if (StartsTargetAmount(inner, end) && isClose(skip(end)))
            return true;
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
    p.OldText = std::string(text_.Text().substr(p.Start, p.End - p.Start));
    p.WordsBefore = amount.symbolBefore && !amount.number.glued.found
                        ? static_cast<int>(amount.number.first - amount.symbol.first)
                        : 0;
    p.WordsAfter = static_cast<int>(amount.last - amount.number.last);
    p.Magnitude = family >= 0 ? magnitude : 1.0;
    p.MagnitudeFamily = family;
}

bool EverydayScanner::Reader::Next(std::size_t from, EverydayResult& result) const {
    for (std::size_t i = text_.TokenAt(from); i < tokens_.size(); ++i) {
        const auto& token = tokens_[i];
        const std::string_view word = Tok(i);
        if (std::none_of(word.begin(), word.end(), IsDigit))
            continue;
        const std::size_t start = std::max(token.start, from);

        // A range inside one word: "2,40-4,40 DM", "35-40€".
        std::size_t dash = kNone;
        for (std::size_t k = 1; k + 1 < word.size(); ++k) {
            if (IsDash(word[k]) && IsDigit(word[k - 1]) && IsDigit(word[k + 1])) {
                dash = token.start + k;
                break;
            }
        }
        if (dash != kNone) {
            const Number first =
                ReadNumberText(text_.Text().substr(token.start, dash - token.start), token.start);
            const bool year = first.plain && dash - token.start == 4 && first.value >= 1900 &&
                              first.value <= 2099;
            if (first.ok && first.end == dash && !year) {
                const Amount second = ReadAmountAt(i, dash + 1);
                Amount head;
                head.number = first;
                head.number.first = head.number.last = i;
                const Symbol before = MatchBefore(i);
                if (second.ok && second.number.end > dash + 1) {
                    Symbol symbol =
                        before.found && before.kind != FormKind::Unit ? before : second.symbol;
                    if (symbol.found && symbol.kind != FormKind::Unit) {
                        if (start <= token.start) {
                            head.ok = true;
                            head.symbol = symbol;
                            head.symbolBefore = before.found && before.kind != FormKind::Unit;
                            head.magnitude = second.magnitude;
                            head.family = second.family;
                            head.start = head.symbolBefore ? before.start : token.start;
                            head.end = dash;
                            head.last = i;
                            Fill(head, true, result);
                            result.convert = !Target(head) && symbol.kind == FormKind::Currency;
                            result.resume = dash + 1;
                            return true;
                        }
                        if (start == dash + 1) {
                            Amount tail = second;
                            tail.symbol = symbol;
                            Fill(tail, true, result);
                            result.convert = !Target(tail) && symbol.kind == FormKind::Currency &&
                                             !PairedWithTarget(tail);
                            result.resume = std::max(tail.end, dash + 2);
                            return true;
                        }
                    }
                }
                continue;
            }
        }
        if (start > token.start)
            continue;

        Amount amount = ReadAmountAt(i, from);
        if (!amount.ok)
            continue;
        bool hasSymbol = amount.symbol.found && amount.symbol.kind != FormKind::Unit;
        if (!hasSymbol) {
            if (amount.symbol.found || amount.magnitudeLast != kNone)
                continue;  // a unit beside it, or "2,5 Millionen Einwohner"
            Amount linked;
            if (LinkToNext(amount, linked) || CarriedOn(amount, linked)) {
                amount.symbol = linked.symbol;
                if (amount.magnitudeLast == kNone && linked.magnitudeLast != kNone) {
                    amount.magnitude = linked.magnitude;
                    amount.family = linked.family;
                }
                hasSymbol = true;
            } else if (BareAllowed(amount)) {
                amount.symbol.found = true;
                amount.symbol.kind = FormKind::Currency;
                amount.symbol.currency = ListPositionToIndex(settings_.InputDefaultCurrency);
            } else {
                continue;
            }
        }
        Fill(amount, hasSymbol, result);
        result.convert = amount.symbol.kind == FormKind::Currency && !Target(amount) &&
                         !PairedWithTarget(amount);
        result.resume = std::max(amount.end, token.start + 1);
        return true;
    }
    return false;
}

// ---- The scanner ----

SymbolMatch EverydayScanner::FindUserSymbol(std::string_view text,
                                            const std::string& lowered) const {
    if (text.empty())
        return {};
    const UserSymbol* best = nullptr;
    if (!exactSymbols_.empty()) {
        if (const auto it = exactSymbols_.find(std::string(text)); it != exactSymbols_.end())
            best = &it->second;
    }
    if (const auto it = foldedSymbols_.find(lowered); it != foldedSymbols_.end()) {
        if (best == nullptr || it->second.order < best->order)
            best = &it->second;
    }
    return best == nullptr ? SymbolMatch{} : SymbolMatch{best->entry, best->list};
}

EverydayScanner::EverydayScanner(const ProfileSettings& settings, const DesktopRegion& region)
    : settings_(settings),
      region_(region),
      sets_(BuildCharSets(settings)),
      thousands_(sets_.Thousands) {
    std::size_t order = 0;
    for (CurrencyIndex list = 0; list <= kNoCurrency; ++list) {
        for (const TCurrencySymbol& entry : settings.SymbolListOf(list)) {
            if (entry.Symbol.empty())
                continue;
            const UserSymbol symbol{&entry, list, order++};
            if (entry.CaseSensitive)
                exactSymbols_.try_emplace(entry.Symbol, symbol);
            else
                foldedSymbols_.try_emplace(LowerCaseLatin1(entry.Symbol), symbol);
        }
    }
    // The desktop's decimal separator is never a thousands separator: "3,166 DM" in a
    // German text is three marks and a bit, not three thousand.
    if (Contains(sets_.Decimals, region.decimalSeparator))
        thousands_.reset(static_cast<unsigned char>(region.decimalSeparator));
}

bool EverydayScanner::Next(const EverydayText& text, std::size_t from,
                           EverydayResult& result) const {
    return Reader(*this, text, from).Next(from, result);
}

}  // namespace kassavero
