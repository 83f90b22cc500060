// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text_pieces.h"

#include "core/program_text.h"
#include "core/text_words.h"

namespace kassavero {
namespace {

bool EndsLine(char32_t c) {
    return c == U'\n' || c == U'\r' || c == U'\0';
}

bool EndsLineOrBlank(char32_t c) {
    return EndsLine(c) || TextWords::IsSeparator(ProgramCharacter(c));
}

// Cuts [start, end) so that no piece holds more words than one transfer searches.
void AddLinePieces(const std::u32string& text, std::size_t start, std::size_t end,
                   std::vector<TextPiece>& pieces) {
    // Leave room below the limit: a piece that reaches the limit exactly would be
    // indistinguishable from one that was cut short.
    constexpr std::size_t kWordsPerPiece = TextWords::kMaxWords - 24;
    while (start < end) {
        const TextWords words(AsProgramText(text, start, end));
        if (words.Count() <= kWordsPerPiece) {
            pieces.push_back({start, end});
            return;
        }
        // Cut at the blank run before a word near the limit, so no word is split and an
        // amount with its symbol is rarely torn apart.
        std::size_t cut = 0;
        for (std::size_t w = kWordsPerPiece; w > kWordsPerPiece / 2 && cut == 0; --w) {
            const std::size_t at = words.Start(w);
            if (at > 0 && TextWords::IsSeparator(words.Text()[at - 1]))
                cut = at;
        }
        if (cut == 0)
            cut = words.Start(kWordsPerPiece);  // no blank at all: cut anyway
        pieces.push_back({start, start + cut});
        start += cut;
    }
}

}  // namespace

std::vector<WordPiece> SplitIntoWordPieces(const std::u32string& text) {
    // Below the limit with room for the look-ahead, so that a piece searched from a
    // little after its start still fits into one transfer.
    constexpr std::size_t kWordsPerPiece = TextWords::kMaxWords - 64;
    constexpr std::size_t kLookaheadWords = 32;
    std::vector<std::size_t> starts;  // where each word begins, as TextWords splits
    bool inWord = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        const char32_t inside = EndsLine(c) ? U' ' : ProgramCharacter(c);
        if (TextWords::IsSeparator(inside)) {
            inWord = false;
            continue;
        }
        const bool own = TextWords::IsWordOfItsOwn(inside);
        if (inWord && !own)
            continue;
        inWord = !own;
        starts.push_back(i);
    }
    std::vector<WordPiece> pieces;
    std::size_t start = 0;
    std::size_t first = 0;  // the first word from start on
    while (start < text.size()) {
        if (starts.size() - first <= kWordsPerPiece) {
            pieces.push_back({start, text.size(), text.size()});
            break;
        }
        // Cut at the blank run before a word near the limit, so no word is split.
        std::size_t cutWord = 0;
        for (std::size_t w = first + kWordsPerPiece; w > first + kWordsPerPiece / 2 && cutWord == 0;
             --w) {
            if (starts[w] > start && EndsLineOrBlank(text[starts[w] - 1]))
                cutWord = w;
        }
        if (cutWord == 0)
            cutWord = first + kWordsPerPiece;  // no blank at all: cut anyway
        const std::size_t lookahead = cutWord + kLookaheadWords;
        pieces.push_back(
            {start, starts[cutWord], lookahead < starts.size() ? starts[lookahead] : text.size()});
        start = starts[cutWord];
        first = cutWord;
    }
    return pieces;
}

std::vector<TextPiece> SplitIntoPieces(const std::u32string& text) {
    std::vector<TextPiece> pieces;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || EndsLine(text[i])) {
            if (i > lineStart)
                AddLinePieces(text, lineStart, i, pieces);
            lineStart = i + 1;
        }
    }
    return pieces;
}

}  // namespace kassavero
