// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The symbol list editor without its window: the list box rows, the fields of the entry
// that is shown, which controls are enabled and which button is the default. The window
// shows this state and hands every click and edit in.
//
// The editor works on a copy of the handed list. OK hands the rows back; Cancel drops
// every change, also the changes saved into entries that were there before.

#include <string>
#include <string_view>
#include <vector>

#include "settings/symbol_list.h"

namespace kassavero {

class MessageBoxes;
class Translator;

class SymbolListEditorModel {
  public:
    enum class DefaultButton { Ok, Save };
    enum class Option {
        AfterAmount,
        BeforeAmount,
        AsDecimalSeparator,
        CaseSensitive,
        SpaceOptional
    };

    SymbolListEditorModel(Translator& translator, MessageBoxes& messageBoxes);

    // On showing: the rows are the list's entries; the first is selected and shown, or
    // the fields are cleared when the list is empty.
    void Open(const SymbolList& list);
    // On hiding: the fields are cleared and an unsaved new entry is dropped.
    void Close();

    // ---- user events ----
    // A click in the list box; -1 or a row out of range removes the selection.
    void SelectRow(int row);
    // Shows a new entry with the defaults; the caller puts the focus into the symbol field.
    void New();
    // The symbol field's text as the user typed it.
    void SymbolEdited(std::u32string_view text);
    // The symbol field as typed.
    std::u32string SymbolFieldText() const;
    void OptionChanged(Option option, bool checked);
    void DotChanged(AbbreviationDot dot);
    // Writes the fields into the shown entry. False when nothing was saved: the button was
    // disabled, or the symbol is in the list already (the user is told so).
    bool Save();
    // Removes the selected row and clears the fields; nothing without a selection.
    void Delete();

    // ---- state ----
    const SymbolList& Rows() const { return rows_; }
    int SelectedRow() const { return selectedRow_; }
    // What the symbol field and the options show.
    const TCurrencySymbol& Fields() const { return fields_; }
    bool OptionValue(Option option) const;
    bool AsDecimalSeparatorEnabled() const { return blankFreeOptionsEnabled_; }
    bool SpaceOptionalEnabled() const { return blankFreeOptionsEnabled_; }
    bool SaveEnabled() const { return SymbolMaySave(fields_.Symbol); }
    DefaultButton Default() const { return default_; }
    // The list as OK hands it back: the rows in order.
    SymbolList Result() const { return rows_; }

    // Any run of blanks becomes one blank, and blanks at either end go: words are split
    // at blanks, so nothing else could ever match.
    static std::u32string NormalizeSymbol(std::u32string_view text);
    // A symbol may be saved when it holds something besides blanks and no digit.
    static bool SymbolMaySave(std::u32string_view text);

  private:
    void Show(const TCurrencySymbol& entry);
    void ClearFields();
    void ApplyBlankRule();
    // The row whose symbol equals the text, other than the shown row; -1 if none.
    int DuplicateRow(std::u32string_view symbol) const;

    Translator& translator_;
    MessageBoxes& messageBoxes_;
    SymbolList rows_;
    int selectedRow_ = -1;
    // The row the fields belong to; -1 for a new entry or cleared fields.
    int shownRow_ = -1;
    TCurrencySymbol fields_;
    bool blankFreeOptionsEnabled_ = true;
    DefaultButton default_ = DefaultButton::Ok;
};

}  // namespace kassavero
