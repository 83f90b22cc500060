// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/numeric_edit.h"

#include <algorithm>

#include "core/number_text.h"

namespace kassavero {
namespace {

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

}  // namespace

char32_t NumericEditFilter(char32_t typed, std::u32string_view text, EditSelection selection,
                           char32_t decimalSeparator) {
    if (typed == kBackspaceChar) {
        return typed;
    }
    const bool separator = typed == U',' || typed == U'.' || typed == decimalSeparator;
    if (!separator && typed != U'-' && !IsDigit(typed)) {
        return 0;  // Enter, control characters, letters, blanks
    }
    const std::size_t start = std::min(selection.Start, text.size());
    const std::size_t end = start + std::min(selection.Length, text.size() - start);
    const std::u32string_view before = text.substr(0, start);
    const std::u32string_view after = text.substr(end);
    const auto count = [&](auto predicate) {
        return std::count_if(before.begin(), before.end(), predicate) +
               std::count_if(after.begin(), after.end(), predicate);
    };
    if (separator) {
        const bool hasSeparator = count([&](char32_t c) { return c == decimalSeparator; }) > 0;
        return hasSeparator ? 0 : decimalSeparator;
    }
    if (typed == U'-') {
        return start == 0 && !after.starts_with(U'-') ? typed : 0;
    }
    return static_cast<std::size_t>(count(IsDigit)) >= kMaxTypedDigits ? 0 : typed;
}

std::optional<double> NumericEditValue(std::u32string_view text, char32_t decimalSeparator) {
    if (text.empty()) {
        return 0.0;
    }
    return ParseDecimalStrict(text, decimalSeparator);
}

void NumericEditState::SetText(std::u32string text) {
    text_ = std::move(text);
    selection_ = {text_.size(), 0};
}

void NumericEditState::SetSelection(EditSelection selection) {
    selection.Start = std::min(selection.Start, text_.size());
    selection.Length = std::min(selection.Length, text_.size() - selection.Start);
    selection_ = selection;
}

bool NumericEditState::SetAlignment(TextAlignment alignment) {
    if (alignment == alignment_) {
        return false;
    }
    alignment_ = alignment;
    return true;
}

bool NumericEditState::TypeCharacter(char32_t typed, char32_t decimalSeparator) {
    const char32_t accepted = NumericEditFilter(typed, text_, selection_, decimalSeparator);
    if (accepted == 0) {
        return false;
    }
    std::size_t start = selection_.Start;
    std::size_t length = selection_.Length;
    if (accepted == kBackspaceChar) {
        if (length == 0) {
            if (start == 0) {
                return false;
            }
            --start;
            length = 1;
        }
        text_.erase(start, length);
    } else {
        text_.replace(start, length, 1, accepted);
        ++start;
    }
    selection_ = {start, 0};
    return true;
}

std::optional<std::u32string> NumericEditPaste(std::u32string_view pasted, std::u32string_view text,
                                               EditSelection selection, char32_t decimalSeparator) {
    constexpr std::u32string_view kBlanks = U" \t\r\n";
    const std::size_t first = pasted.find_first_not_of(kBlanks);
    if (first == std::u32string_view::npos) {
        return std::nullopt;
    }
    pasted = pasted.substr(first, pasted.find_last_not_of(kBlanks) - first + 1);
    NumericEditState field;
    field.SetText(std::u32string(text));
    field.SetSelection(selection);
    std::u32string inserted;
    for (const char32_t typed : pasted) {
        const char32_t accepted =
            NumericEditFilter(typed, field.Text(), field.Selection(), decimalSeparator);
        if (accepted == 0 || accepted == kBackspaceChar) {
            return std::nullopt;
        }
        inserted += accepted;
        field.TypeCharacter(typed, decimalSeparator);
    }
    return inserted;
}

}  // namespace kassavero
