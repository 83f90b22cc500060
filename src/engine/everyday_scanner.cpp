// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/everyday_scanner.h"

#include <algorithm>
#include <cmath>

#include "core/unicode_text.h"
#include "engine/everyday_reader.h"
#include "settings/profile_settings.h"

namespace kassavero {

using namespace everyday;

// ---- The text ----

EverydayText::EverydayText(std::u32string_view text) : text_(text) {
    // Positions are kept in 32 bits; no text the program is given comes near that. The
    // text ends at its first NUL, found on the way rather than by a pass of its own.
    const std::size_t n = std::min<std::size_t>(text.size(), UINT32_MAX);
    // Most texts have a word every five or six characters: one allocation, seldom two.
    tokens_.reserve(n / 5 + 1);
    bool line = false;
    std::size_t gap = 0;
    const auto push = [&](std::size_t start, std::size_t end) {
        tokens_.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end),
                           static_cast<std::uint32_t>(std::min<std::size_t>(gap, UINT32_MAX)),
                           line});
        line = false;
        gap = 0;
    };
    const char32_t* data = text.data();
    std::size_t i = 0;
    while (i < n) {
        // A run of blanks, and whether a line ends in it (kept in registers: the loop
        // runs for every character).
        const std::size_t blanks = i;
        bool lineEnds = false;
        while (i < n && IsBlank(data[i]) && data[i] != U'\0') {
            lineEnds |= data[i] >= U'\n' && data[i] <= U'\r';
            ++i;
        }
        line = line || lineEnds;
        gap += i - blanks;
        if (i >= n || data[i] == U'\0')
            break;
        if (IsOwnWord(data[i])) {
            push(i, i + 1);
            ++i;
            continue;
        }
        std::size_t start = i;
        // "500:000 contos", "85:000$00": old Portuguese print sets off thousands by a colon.
        const auto colonGroup = [&](std::size_t k) {
            return data[k] == U':' && k > start && IsDigit(data[k - 1]) && k + 3 < n &&
                   IsDigit(data[k + 1]) && IsDigit(data[k + 2]) && IsDigit(data[k + 3]) &&
                   (k + 4 == n || !IsDigit(data[k + 4]));
        };
        while (i < n && !IsBlank(data[i]) && (!IsOwnWord(data[i]) || colonGroup(i)))
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

std::u32string_view EverydayText::TokenText(std::size_t index) const {
    if (index >= tokens_.size())
        return {};
    return text_.substr(tokens_[index].start, tokens_[index].end - tokens_[index].start);
}

std::size_t EverydayText::TokenAt(std::size_t offset) const {
    const auto it = std::upper_bound(tokens_.begin(), tokens_.end(), offset,
                                     [](std::size_t o, const Token& t) { return o < t.end; });
    return static_cast<std::size_t>(it - tokens_.begin());
}

// ---- The scanner ----

SymbolMatch EverydayScanner::FindUserSymbol(std::u32string_view text,
                                            std::u32string_view lowered) const {
    if (text.empty())
        return {};
    const UserSymbol* best = nullptr;
    if (!exactSymbols_.empty()) {
        if (const auto it = exactSymbols_.find(text); it != exactSymbols_.end())
            best = &it->second;
    }
    if (const auto it = foldedSymbols_.find(lowered); it != foldedSymbols_.end()) {
        if (best == nullptr || it->second.order < best->order)
            best = &it->second;
    }
    return best == nullptr ? SymbolMatch{} : SymbolMatch{best->entry, best->list};
}

bool EverydayScanner::MayStartPhrase(std::u32string_view word) const {
    const LowerCaseWord lowered(word);
    return MayStartLongerForm(lowered.View()) || phraseFirsts_.contains(lowered.View());
}

EverydayScanner::EverydayScanner(const ProfileSettings& settings, const DesktopRegion& region)
    : settings_(settings),
      region_(region),
      sets_(BuildCharSets(settings)),
      thousandsAfterComma_(sets_.Thousands),
      thousandsAfterStop_(sets_.Thousands),
      thousands_(sets_.Thousands) {
    thousandsAfterComma_.Remove(U',');
    thousandsAfterStop_.Remove(U'.');
    std::size_t order = 0;
    for (CurrencyIndex list = 0; list <= kNoCurrency; ++list) {
        for (const TCurrencySymbol& entry : settings.SymbolListOf(list)) {
            if (entry.Symbol.empty())
                continue;
            const UserSymbol symbol{&entry, list, order++};
            if (entry.CaseSensitive)
                exactSymbols_.try_emplace(entry.Symbol, symbol);
            else
                foldedSymbols_.try_emplace(LowerCase(entry.Symbol), symbol);
            if (const std::size_t blank = entry.Symbol.find(U' '); blank != std::u32string::npos)
                phraseFirsts_.insert(LowerCase(std::u32string_view(entry.Symbol).substr(0, blank)));
        }
    }
    SpreadOut(exactSymbols_);
    SpreadOut(foldedSymbols_);
    // The desktop's decimal separator is never a thousands separator: "3,166 DM" in a
    // German text is three marks and a bit, not three thousand.
    if (Contains(sets_.Decimals, region.decimalSeparator))
        thousands_.Remove(region.decimalSeparator);
}

CurrencyIndex EverydayScanner::CustomCurrencyOfCode(std::u32string_view code) const {
    for (std::size_t k = 0; k < settings_.CustomCurrencySymbol.size(); ++k) {
        if (EqualsIgnoringCase(settings_.CustomCurrencySymbol[k], code))
            return static_cast<CurrencyIndex>(kCUS1 + static_cast<int>(k));
    }
    return kNoCurrency;
}

CurrencyIndex EverydayScanner::CurrencyOfCode(std::u32string_view code) const {
    for (CurrencyIndex c = 0; c < kFixedCurrencyCount; ++c) {
        if (CurrencyCode(c) == code)
            return c;
    }
    return CustomCurrencyOfCode(code);
}

bool EverydayScanner::Next(const EverydayText& text, std::size_t from,
                           EverydayResult& result) const {
    return Reader(*this, text, from).Next(from, result);
}

}  // namespace kassavero
