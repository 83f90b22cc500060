// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_windows/symbol_list_editor_model.h"

#include "core/unicode_text.h"
#include "i18n/translator.h"
#include "platform/message_box.h"

namespace kassavero {
namespace {

bool IsBlank(char32_t c) {
    return c == U' ';
}

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

}  // namespace

SymbolListEditorModel::SymbolListEditorModel(Translator& translator, MessageBoxes& messageBoxes)
    : translator_(translator), messageBoxes_(messageBoxes) {
    ClearFields();
}

std::u32string SymbolListEditorModel::NormalizeSymbol(std::u32string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (const char32_t c : text) {
        if (IsBlank(c) && (out.empty() || IsBlank(out.back())))
            continue;
        out += c;
    }
    if (!out.empty() && IsBlank(out.back()))
        out.pop_back();
    return out;
}

bool SymbolListEditorModel::SymbolMaySave(std::u32string_view text) {
    bool hasContent = false;
    for (const char32_t c : text) {
        if (IsDigit(c))
            return false;
        if (!IsBlank(c))
            hasContent = true;
    }
    return hasContent;
}

void SymbolListEditorModel::Open(const SymbolList& list) {
    rows_ = list;
    selectedRow_ = -1;
    if (rows_.empty())
        ClearFields();
    else
        SelectRow(0);
    default_ = DefaultButton::Ok;
}

void SymbolListEditorModel::Close() {
    ClearFields();
    rows_.clear();
    selectedRow_ = -1;
    default_ = DefaultButton::Ok;
}

void SymbolListEditorModel::SelectRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return;
    selectedRow_ = row;
    shownRow_ = row;
    Show(rows_[static_cast<std::size_t>(row)]);
    default_ = DefaultButton::Ok;
}

void SymbolListEditorModel::New() {
    selectedRow_ = -1;
    shownRow_ = -1;
    Show(TCurrencySymbol{});
    default_ = DefaultButton::Save;
}

std::u32string SymbolListEditorModel::SymbolFieldText() const {
    return fields_.Symbol;
}

void SymbolListEditorModel::SymbolEdited(std::u32string_view text) {
    fields_.Symbol = std::u32string(text);
    ApplyBlankRule();
    default_ = DefaultButton::Save;
}

bool SymbolListEditorModel::OptionValue(Option option) const {
    switch (option) {
        case Option::AfterAmount:
            return fields_.AfterAmount;
        case Option::BeforeAmount:
            return fields_.BeforeAmount;
        case Option::AsDecimalSeparator:
            return fields_.AsDecimalSeparator;
        case Option::CaseSensitive:
            return fields_.CaseSensitive;
        case Option::SpaceOptional:
            return fields_.SpaceOptional;
    }
    return false;
}

void SymbolListEditorModel::OptionChanged(Option option, bool checked) {
    switch (option) {
        case Option::AfterAmount:
            fields_.AfterAmount = checked;
            break;
        case Option::BeforeAmount:
            fields_.BeforeAmount = checked;
            break;
        case Option::AsDecimalSeparator:
            if (!blankFreeOptionsEnabled_)
                return;
            fields_.AsDecimalSeparator = checked;
            break;
        case Option::CaseSensitive:
            fields_.CaseSensitive = checked;
            break;
        case Option::SpaceOptional:
            if (!blankFreeOptionsEnabled_)
                return;
            fields_.SpaceOptional = checked;
            break;
    }
    default_ = DefaultButton::Save;
}

void SymbolListEditorModel::DotChanged(AbbreviationDot dot) {
    fields_.AbbreviationDot = dot;
    default_ = DefaultButton::Save;
}

bool SymbolListEditorModel::Save() {
    if (!SaveEnabled())
        return false;
    TCurrencySymbol entry = fields_;
    entry.Symbol = NormalizeSymbol(fields_.Symbol);
    if (DuplicateRow(entry.Symbol) >= 0) {
        messageBoxes_.ShowMessageBox(
            translator_.TranslateKey("SymbolSchonInDerListe") + U"\n\n" + entry.Symbol,
            U"Kassavero", mb::kOk | mb::kIconWarning);
        return false;
    }
    if (shownRow_ >= 0) {
        rows_[static_cast<std::size_t>(shownRow_)] = entry;
    } else {
        rows_.push_back(entry);
        shownRow_ = static_cast<int>(rows_.size()) - 1;
    }
    selectedRow_ = shownRow_;
    if (entry.Symbol != fields_.Symbol) {
        fields_.Symbol = entry.Symbol;
        ApplyBlankRule();
    }
    default_ = DefaultButton::Ok;
    return true;
}

void SymbolListEditorModel::Delete() {
    if (selectedRow_ < 0)
        return;
    rows_.erase(rows_.begin() + selectedRow_);
    selectedRow_ = -1;
    ClearFields();
    default_ = DefaultButton::Ok;
}

void SymbolListEditorModel::Show(const TCurrencySymbol& entry) {
    fields_ = entry;
    ApplyBlankRule();
}

void SymbolListEditorModel::ClearFields() {
    shownRow_ = -1;
    TCurrencySymbol cleared;
    cleared.AfterAmount = false;
    cleared.BeforeAmount = false;
    cleared.AsDecimalSeparator = false;
    cleared.CaseSensitive = false;
    cleared.SpaceOptional = false;
    cleared.AbbreviationDot = AbbreviationDot::Sometimes;
    Show(cleared);
}

void SymbolListEditorModel::ApplyBlankRule() {
    blankFreeOptionsEnabled_ = fields_.Symbol.find(U' ') == std::u32string::npos;
    if (!blankFreeOptionsEnabled_) {
        fields_.AsDecimalSeparator = false;
        fields_.SpaceOptional = false;
    }
}

int SymbolListEditorModel::DuplicateRow(std::u32string_view symbol) const {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (static_cast<int>(i) != shownRow_ && rows_[i].Symbol == symbol)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace kassavero
