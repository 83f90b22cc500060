// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The amount field's own rules (the TSKEdit field of the calculator): which typed
// characters reach its text, and the text read as a number. The window's edit widget
// keeps its text and selection in a NumericEditState and lets it apply typed
// characters, so typing behaves the same with or without a window.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kassavero {

inline constexpr char32_t kBackspaceChar = 8;
inline constexpr char32_t kEnterChar = 13;
inline constexpr char32_t kEscapeChar = 27;

// A field never takes more than this many digits by typing.
inline constexpr std::size_t kMaxTypedDigits = 15;

enum class TextAlignment { Left = 0, Right = 1, Center = 2 };

// Characters from Start; Length 0 is a plain caret.
struct EditSelection {
    std::size_t Start = 0;
    std::size_t Length = 0;

    bool operator==(const EditSelection&) const = default;
};

// The character filter, run on a character typed into the field after the window's
// own handler has seen it. Returns the character that reaches the text, or 0 when it
// is dropped:
// - backspace passes; Enter, control characters, letters and blanks are dropped;
// - ",", "." and the system decimal separator all become the system separator;
// - the filter judges the text as it will be once the character has replaced the
//   selection: one decimal separator at most, a minus sign only in front and only one,
//   and no more than fifteen digits.
// Judging the text after the replacement lets a separator or a minus sign be typed over
// a selection that holds one (the field selects its whole text on entry, so typing
// ",5" over "1,5" must give ",5" rather than silently "5").
char32_t NumericEditFilter(char32_t typed, std::u32string_view text, EditSelection selection,
                           char32_t decimalSeparator);

// A text pasted into the field, as every character of it would be typed, the first one
// replacing the selection. Blanks and line ends around it are dropped. Gives the text to
// insert, or nothing when the filter would refuse any character: a paste is taken whole
// or not at all, so "12a" never leaves "12" behind.
std::optional<std::u32string> NumericEditPaste(std::u32string_view pasted, std::u32string_view text,
                                               EditSelection selection, char32_t decimalSeparator);

// The field's value: an empty text is 0; a text that is not a number with the system
// decimal separator gives nothing (the conversion error). "-" alone is not a number.
std::optional<double> NumericEditValue(std::u32string_view text, char32_t decimalSeparator);

// Text and selection of one amount field.
class NumericEditState {
  public:
    const std::u32string& Text() const { return text_; }
    EditSelection Selection() const { return selection_; }
    TextAlignment Alignment() const { return alignment_; }

    // A text written by the program: the caret goes after it.
    void SetText(std::u32string text);
    // The selection, cut to the text.
    void SetSelection(EditSelection selection);
    void SelectAll() { selection_ = {0, text_.size()}; }
    // True when the alignment changed (the widget then has to take the new style).
    bool SetAlignment(TextAlignment alignment);

    // Runs the filter on a typed character and applies what passes: a character
    // replaces the selection, backspace removes the selection or the character before
    // the caret. True when the text changed.
    bool TypeCharacter(char32_t typed, char32_t decimalSeparator);

  private:
    std::u32string text_ = U"0";
    EditSelection selection_;
    TextAlignment alignment_ = TextAlignment::Left;
};

}  // namespace kassavero
