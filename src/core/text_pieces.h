// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A long Unicode text cut into the pieces the word-by-word search takes in one transfer,
// so that no word is split and an amount with its symbol is seen whole.

#include <cstddef>
#include <string>
#include <vector>

namespace kassavero {

// The pieces a document is handed over in: every line on its own (a command cannot
// carry a line break), and a line the program could not search in one go cut at a
// blank between words. Each piece is a [start, end) range of code points; what lies
// between pieces (line breaks, zero characters) is never sent.
struct TextPiece {
    std::size_t start;
    std::size_t end;
};
std::vector<TextPiece> SplitIntoPieces(const std::u32string& text);

// The pieces for a program that takes line breaks inside a piece, across lines: a piece
// owns [start, end), ends at a blank between words below the word limit of one
// transfer, and is searched up to searchEnd, a few words further, so an amount that
// begins before the cut is seen whole. A change found from end on belongs to the next
// piece. The owned ranges cover the whole text.
struct WordPiece {
    std::size_t start;
    std::size_t end;
    std::size_t searchEnd;
};
std::vector<WordPiece> SplitIntoWordPieces(const std::u32string& text);

}  // namespace kassavero
