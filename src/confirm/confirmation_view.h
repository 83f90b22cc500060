// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the confirmation window shows. The window implements this and only displays what
// ConfirmationDialog tells it; every user event goes back to the dialog.

#include <cstddef>
#include <string_view>
#include <vector>

#include "confirm/currency_choice.h"
#include "platform/screen_area.h"
#include "settings/transfer_ini_file.h"

namespace kassavero {

// The controls whose state the dialog sets. The window's other controls (the lists, the
// labels, the fields) are always shown and enabled.
enum class ConfirmControl {
    InputField,  // the text as found, or the whole formula (read-only rich text)
    SourceList,
    TargetList,
    OutputField,  // the text that would be written (read-only rich text)
    HelpButton,
    SettingsButton,
    YesButton,  // the default button
    NoButton,
    StopButton,    // stop / continue, in the place of Yes and No
    CancelButton,  // answers Escape
    CalculatorButton,
    FormulaBackButton,  // "<<", steps back through a formula's amounts
    EuroPanel,          // the euro value between source and target
};

// How both rich-text fields look: a proposed change in bold on the button face, a
// formula in the regular font on the window colour.
enum class FieldStyle { Change, Formula };

// A stretch of a rich-text field in bold, and in red (255, 0, 0) when Red is set.
struct TextRun {
    std::size_t Start = 0;
    std::size_t Length = 0;
    bool Red = false;

    bool operator==(const TextRun&) const = default;
};

class ConfirmationView : public FormPosition {
  public:
    // Not modal: the rest of the program keeps running while the window shows.
    virtual void ShowWindow() = 0;
    virtual void HideWindow() = 0;
    virtual void BringToFront() = 0;
    // Moves the window, shown or at its next showing, off the area if it covers part of it.
    // True when a shown window moved.
    virtual bool KeepClearOf(const ScreenArea& /*area*/) { return false; }
    virtual void Focus(ConfirmControl control) = 0;

    virtual void SetControlVisible(ConfirmControl control, bool visible) = 0;
    virtual void SetControlEnabled(ConfirmControl control, bool enabled) = 0;

    virtual void SetCaption(std::u32string_view caption) = 0;
    // The captions of the input and the output group.
    virtual void SetGroupCaptions(std::u32string_view input, std::u32string_view output) = 0;
    virtual void SetStopButtonCaption(std::u32string_view caption) = 0;

    virtual void SetFieldStyle(FieldStyle style) = 0;
    virtual void SetInputText(std::u32string_view text, const std::vector<TextRun>& runs) = 0;
    virtual void SelectInputText(std::size_t start, std::size_t length) = 0;
    virtual void SetOutputText(std::u32string_view text, const std::vector<TextRun>& runs) = 0;
    virtual void SelectOutputText(std::size_t start, std::size_t length) = 0;

    // The source amount, the converted amount and the euro value between them.
    virtual void SetOldAmountLabel(std::u32string_view text) = 0;
    virtual void SetNewAmountLabel(std::u32string_view text) = 0;
    virtual void SetEuroAmountLabel(std::u32string_view text) = 0;

    // Both lists hold the same entries; each shows the flag of its currency and its code.
    virtual void SetCurrencyLists(const std::vector<CurrencyListEntry>& entries) = 0;
    // A position in the lists, or -1 for no selection.
    virtual void SelectSourceEntry(int position) = 0;
    virtual void SelectTargetEntry(int position) = 0;
};

}  // namespace kassavero
