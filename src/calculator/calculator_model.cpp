// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/calculator_model.h"

#include "calculator/clipboard_watch.h"
#include "calculator/line_text.h"
#include "core/number_text.h"
#include "platform/help.h"
#include "platform/program_windows.h"
#include "platform/registry.h"
#include "platform/system_info.h"
#include "settings/active_profile.h"
#include "settings/currency_names.h"
#include "settings/symbol_list.h"

namespace kassavero {
namespace {

// A custom currency below this rate has no usable rate.
constexpr double kSmallestRate = 0.00001;

constexpr std::array kFileItems = {
    CalculatorMenuItem{TrKey("RechnerDateiEinstellungenMenuitem"), CalculatorCommand::Settings},
    CalculatorMenuItem{TrKey("RechnerDateiSchließenMenuItem"), CalculatorCommand::Close},
};
constexpr std::array kPrecisionItems = {
    CalculatorMenuItem{TrKey("RechnerHochgenauMenuitem"), CalculatorCommand::HighPrecision},
    CalculatorMenuItem{TrKey("RechnerKleinsteÜberweisungMenuitem"),
                       CalculatorCommand::TransferUnit},
    CalculatorMenuItem{TrKey("RechnerKleinsteMünzeMenuitem"), CalculatorCommand::Coin},
    CalculatorMenuItem{TrKey("RechnerGenauigkeitLautEinstellungenMenuItem"),
                       CalculatorCommand::CurrencySettings},
};
constexpr std::array kHelpItems = {
    CalculatorMenuItem{TrKey("RechnerHilfeZumWährungsrechnerMenuItem"),
                       CalculatorCommand::HelpTopic},
    CalculatorMenuItem{TrKey("RechnerHilfeInhaltMenuitem"), CalculatorCommand::HelpContents},
    CalculatorMenuItem{TrKey("RechnerHilfeInfoüberMenuitem"), CalculatorCommand::About},
};
constexpr std::array kMenus = {
    CalculatorMenu{TrKey("RechnerDateiMenuitem"), kFileItems},
    CalculatorMenu{TrKey("RechnerGenauigkeitMenuItem"), kPrecisionItems},
    CalculatorMenu{TrKey("RechnerHilfeMenuItem"), kHelpItems},
};

// The overflow text marks a value that does not fit. It must never be empty, or an
// overflowing line would look like a line waiting for Enter, and Enter on an empty
// field would be taken for Enter on an overflow.
std::u32string OverflowCaption(Translator& translator) {
    std::u32string text = translator.TranslateKey("Overflow");
    return text.empty() ? std::u32string(U"Overflow") : text;
}

std::optional<PrecisionMode> PrecisionOf(CalculatorCommand command) {
    switch (command) {
        case CalculatorCommand::HighPrecision:
            return PrecisionMode::HighPrecision;
        case CalculatorCommand::TransferUnit:
            return PrecisionMode::TransferUnit;
        case CalculatorCommand::Coin:
            return PrecisionMode::Coin;
        case CalculatorCommand::CurrencySettings:
            return PrecisionMode::CurrencySettings;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::span<const CalculatorMenu> CalculatorMenus() {
    return kMenus;
}

CalculatorModel::CalculatorModel(ActiveProfile& profile, const CurrencyTable& currencies,
                                 const SystemInfo& system, Translator& translator, Registry& store,
                                 ClipboardWatch& clipboard, SettingsWindow& settingsWindow,
                                 AboutWindow& aboutWindow, Help& help, CalculatorGeometry geometry)
    : profile_(profile),
      currencies_(currencies),
      store_(store),
      clipboard_(clipboard),
      settingsWindow_(settingsWindow),
      aboutWindow_(aboutWindow),
      help_(help),
      geometry_(geometry),
      decimalSeparator_(system.DecimalSeparator()),
      nameLanguageId_(system.DefaultLanguageId()),
      overflowText_(OverflowCaption(translator)) {
    // Until the first layout slot n shows currency n in the design's places.
    int x = geometry_.FieldLeft + geometry_.FieldWidth + kCalculatorColumnGap;
    for (int n = 0; n < kCalculatorSlots; ++n) {
        LineSlot& slot = MutableSlot(n);
        slot.Field.Currency = static_cast<CurrencyIndex>(n);
        slot.Field.Edit.SetAlignment(TextAlignment::Right);
        slot.Code.Text = CurrencyCode(slot.Field.Currency);
        slot.Code.Left = x;
        slot.Flag.Country = FlagCountry(profile_.Settings(), slot.Field.Currency);
        slot.Flag.Left = slot.Code.Left + geometry_.CodeWidth + kCalculatorColumnGap;
        slot.Name.Left = slot.Flag.Left + geometry_.FlagWidth + kCalculatorColumnGap;
        slot.Rate.Text = std::u32string(U"0") + decimalSeparator_ + U"0000";
        slot.Rate.Left = geometry_.RateLeft;
    }
    width_ = geometry_.WindowWidth;
    height_ = geometry_.WindowHeight;
    checkedPrecision_ = ToPrecisionMode(profile_.Settings().CalculatorPrecision);
}

CalculatorModel::~CalculatorModel() {
    // The settings window must not call a calculator that is gone.
    if (visible_) {
        profile_.CalculatorLayoutCallback().Clear();
    }
}

int CalculatorModel::SlotOf(CurrencyIndex currency) const {
    for (int n = 0; n < kCalculatorSlots; ++n) {
        const CalculatorField& field = Slot(n).Field;
        if (field.Visible && field.Currency == currency) {
            return n;
        }
    }
    return -1;
}

CalculatorModel::ChangeScope::~ChangeScope() {
    if (--model_.changeDepth_ == 0 && model_.view_ != nullptr) {
        model_.view_->ModelChanged();
    }
}

bool CalculatorModel::CommandAvailable(CalculatorCommand command) const {
    switch (command) {
        case CalculatorCommand::Settings:
            return settingsWindow_.SettingsAvailable();
        case CalculatorCommand::About:
            return aboutWindow_.AboutAvailable();
        default:
            return true;
    }
}

bool CalculatorModel::IsChecked(CalculatorCommand command) const {
    const auto mode = PrecisionOf(command);
    return mode && mode == checkedPrecision_;
}

// ---- Conversion ----

void CalculatorModel::ShowAmount(CurrencyIndex currency, bool writeSourceText, double value) {
    if (!IsCurrency(currency)) {
        return;  // nothing to show it in, and no rate to convert with
    }
    const ChangeScope change(*this);
    sourceCurrency_ = currency;
    amounts_[currency] = value;
    const double rate = currencies_.CurrencyRate(currency);
    if (!(rate >= kSmallestRate)) {
        amounts_.fill(-1);
    } else {
        const double euro = value / rate;
        amounts_[kEUR] = euro;
        for (CurrencyIndex c = 1; c < kCurrencyCount; ++c) {
            if (c != currency) {
                amounts_[c] = currencies_.CurrencyRate(c) * euro;
            }
        }
    }
    MarkSource();
    if (writeSourceText) {
        WriteSourceLine();
    }
    FillLines(false);
}

bool CalculatorModel::WriteSourceText() {
    const int slot = SlotOf(sourceCurrency_);
    if (slot < 0) {
        return false;
    }
    MutableSlot(slot).Field.Edit.SetText(
        FormatGeneralNumber(amounts_[sourceCurrency_], decimalSeparator_));
    return true;
}

void CalculatorModel::WriteSourceLine() {
    if (WriteSourceText() && visible_) {
        FocusField(SlotOf(sourceCurrency_));
    }
}

void CalculatorModel::FillLines(bool clear) {
    updatesEnabled_ = false;
    const ProfileSettings& settings = profile_.Settings();
    for (LineSlot& slot : slots_) {
        CalculatorField& field = slot.Field;
        if (!field.Visible || field.Currency == sourceCurrency_) {
            continue;
        }
        if (clear) {
            field.Edit.SetText(U"");
            continue;
        }
        auto text = CalculatorLineText(amounts_[field.Currency], field.Currency,
                                       settings.CalculatorPrecision, settings, decimalSeparator_,
                                       overflowText_);
        if (text) {
            field.Edit.SetText(std::move(*text));
        }
    }
    linesCleared_ = clear;
    updatesEnabled_ = true;
}

// ---- Bold marking ----

void CalculatorModel::SetSlotBold(int slot, bool bold) {
    LineSlot& line = MutableSlot(slot);
    line.Field.Bold = bold;
    line.Code.Bold = bold;
    line.Name.Bold = bold;
    line.Rate.Bold = bold;
}

void CalculatorModel::MarkSource() {
    const int source = SlotOf(sourceCurrency_);
    const int previous = SlotOf(previousSource_);
    if (source >= 0) {
        SetSlotBold(source, true);
    }
    if (previous >= 0 && previous != source) {
        SetSlotBold(previous, false);
    }
    previousSource_ = sourceCurrency_;
}

// ---- Layout ----

void CalculatorModel::PlaceColumns(LineSlot& slot, int& x) const {
    const ProfileSettings& settings = profile_.Settings();
    const auto place = [&x](auto& control, bool shown, int width, int gap) {
        control.Visible = shown;
        if (shown) {
            control.Left = x;
            x += width + gap;
        }
    };
    slot.Field.Visible = true;
    place(slot.Code, settings.CalculatorColCurrencySymbols, geometry_.CodeWidth,
          kCalculatorColumnGap);
    place(slot.Flag, settings.CalculatorColFlags, geometry_.FlagWidth, kCalculatorColumnGap);
    place(slot.Name, settings.CalculatorColCurrencyNames, geometry_.NameWidth,
          kCalculatorColumnGap);
    place(slot.Rate, settings.CalculatorColCurrencyRates, geometry_.RateWidth, 0);
}

void CalculatorModel::UpdateLayout() {
    const ChangeScope change(*this);
    // The window shows the result once this event is over, so there is no need to hide
    // it while the rows are rebuilt.
    const ProfileSettings& settings = profile_.Settings();
    // The source line's text is the user's, not a computed one: it moves with its line.
    const int oldSourceSlot = SlotOf(sourceCurrency_);
    std::optional<NumericEditState> sourceEdit;
    if (oldSourceSlot >= 0) {
        sourceEdit = Slot(oldSourceSlot).Field.Edit;
    }
    int last = -1;
    int x = 0;
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        if (!settings.CalculatorLine[c]) {
            continue;
        }
        ++last;
        LineSlot& slot = MutableSlot(last);
        slot.Field.Currency = c;
        slot.Code.Text = DisplayCurrencyCode(settings, c);
        slot.Flag.Country = FlagCountry(settings, c);
        slot.Name.Text = CalculatorCurrencyName(settings, c, nameLanguageId_);
        slot.Rate.Text = FormatGeneralNumber(currencies_.CurrencyRate(c), decimalSeparator_);
        SetSlotBold(last, c == sourceCurrency_);
        x = geometry_.FieldLeft + geometry_.FieldWidth + kCalculatorColumnGap;
        PlaceColumns(slot, x);
    }
    if (last < 0) {
        // No line: the columns still set the width, as they would for a line.
        LineSlot unused;
        x = geometry_.FieldLeft + geometry_.FieldWidth + kCalculatorColumnGap;
        PlaceColumns(unused, x);
    }
    for (int n = last + 1; n < kCalculatorSlots; ++n) {
        LineSlot& slot = MutableSlot(n);
        slot.Field.Visible = false;
        slot.Code.Visible = false;
        slot.Flag.Visible = false;
        slot.Name.Visible = false;
        slot.Rate.Visible = false;
    }
    if (focusedSlot_ > last) {
        focusedSlot_ = -1;
    }
    width_ = x + (geometry_.WindowWidth - geometry_.RateLeft - geometry_.RateWidth);
    height_ = geometry_.WindowHeight - (kCalculatorSlots - 1 - last) * geometry_.RowPitch;
    checkedPrecision_ = ToPrecisionMode(settings.CalculatorPrecision);
    previousSource_ = sourceCurrency_;

    const int sourceSlot = SlotOf(sourceCurrency_);
    if (!inShow_) {
        // Lines that moved, came into view or changed precision would otherwise show a
        // stale amount, or one of another currency, until the next conversion.
        if (sourceSlot >= 0 && sourceSlot != oldSourceSlot) {
            if (sourceEdit) {
                MutableSlot(sourceSlot).Field.Edit = *sourceEdit;
                if (focusedSlot_ == oldSourceSlot) {
                    focusedSlot_ = sourceSlot;
                }
            } else {
                WriteSourceText();
            }
        }
        FillLines(linesCleared_);
    }
    if (sourceSlot >= 0) {
        MutableSlot(sourceSlot).Field.Edit.SelectAll();
    }
}

// ---- Showing and hiding ----

void CalculatorModel::Show() {
    {
        const ChangeScope change(*this);
        if (!visible_) {
            visible_ = true;
            FormShow();
        }
    }
    if (view_ != nullptr && visible_) {
        view_->BringToFront();
    }
}

void CalculatorModel::Hide() {
    if (!visible_) {
        return;
    }
    const ChangeScope change(*this);
    visible_ = false;
    FormHide();
}

void CalculatorModel::FormShow() {
    inShow_ = true;
    UpdateLayout();
    inShow_ = false;
    WriteSourceLine();
    FillLines(false);
    TransferFormPosition(store_, kGeneralSection, kCalculatorFormName, *this, false);
    profile_.CalculatorLayoutCallback().Set([this](ActiveProfile&) { UpdateLayout(); });
    if (visible_ && SlotOf(sourceCurrency_) >= 0) {
        FocusField(SlotOf(sourceCurrency_));
    }
}

void CalculatorModel::FormHide() {
    TransferFormPosition(store_, kGeneralSection, kCalculatorFormName, *this, true);
    profile_.CalculatorLayoutCallback().Clear();
}

// ---- Fields ----

void CalculatorModel::FocusField(int slot) {
    focusedSlot_ = slot;
    MutableSlot(slot).Field.Edit.SelectAll();
}

void CalculatorModel::FieldEdited(int slot, std::u32string text, EditSelection selection) {
    if (!IsSlot(slot)) {
        return;
    }
    NumericEditState& edit = MutableSlot(slot).Field.Edit;
    edit.SetText(std::move(text));
    edit.SetSelection(selection);
    EditChange(slot);
}

void CalculatorModel::SelectionChanged(int slot, EditSelection selection) {
    if (IsSlot(slot)) {
        MutableSlot(slot).Field.Edit.SetSelection(selection);
    }
}

void CalculatorModel::TypeCharacter(int slot, char32_t typed) {
    if (!IsSlot(slot)) {
        return;
    }
    EditKeyPress(slot, typed);
    // Escape may have hidden the window; the field's filter then sees no character.
    if (typed != 0 && MutableSlot(slot).Field.Edit.TypeCharacter(typed, decimalSeparator_)) {
        EditChange(slot);
    }
}

bool CalculatorModel::EditKeyDown(int slot, CalculatorKey key, KeyModifiers modifiers) {
    if (!IsSlot(slot)) {
        return false;
    }
    switch (key) {
        case CalculatorKey::Down:
        case CalculatorKey::Up: {
            const int step = key == CalculatorKey::Down ? 1 : kCalculatorSlots - 1;
            int next = slot;
            do {
                next = (next + step) % kCalculatorSlots;
            } while (next != slot && !Slot(next).Field.Visible);
            FocusField(next);
            return true;
        }
        case CalculatorKey::Insert:
        case CalculatorKey::C:
        case CalculatorKey::X:
            if (modifiers.OnlyCtrl()) {
                clipboard_.SkipNextClipboardChange();
            }
            return false;
        case CalculatorKey::Delete:
            if (modifiers.OnlyShift()) {
                clipboard_.SkipNextClipboardChange();
            }
            return false;
        case CalculatorKey::Other:
            break;
    }
    return false;
}

void CalculatorModel::EditKeyPress(int slot, char32_t& key) {
    if (!IsSlot(slot)) {
        return;
    }
    if (key == kEscapeChar) {
        key = 0;
        Hide();
    } else if (key == kEnterChar) {
        CalculatorField& field = MutableSlot(slot).Field;
        field.Edit.SelectAll();
        if (field.Edit.Text() != overflowText_) {
            ShowAmount(field.Currency, false,
                       ParseDecimalLenient(field.Edit.Text(), decimalSeparator_));
        }
    }
}

void CalculatorModel::EditEnter(int slot) {
    if (IsSlot(slot)) {
        FocusField(slot);
    }
}

void CalculatorModel::EditExit(int /*slot*/) {}

void CalculatorModel::EditChange(int slot) {
    if (!updatesEnabled_ || !IsSlot(slot)) {
        return;
    }
    const CalculatorField& field = Slot(slot).Field;
    if (!profile_.Settings().CalculatorSingleKeyUpdate) {
        if (field.Currency != sourceCurrency_) {
            sourceCurrency_ = field.Currency;
            MarkSource();
        }
        FillLines(true);
    } else {
        ShowAmount(field.Currency, false,
                   ParseDecimalLenient(field.Edit.Text(), decimalSeparator_));
    }
}

void CalculatorModel::ActionList1Execute(EditAction action) {
    // Paste leaves the clipboard as it is, so there is nothing to skip.
    if (action == EditAction::Copy || action == EditAction::Cut) {
        clipboard_.SkipNextClipboardChange();
    }
}

// ---- Window and menu ----

void CalculatorModel::FormDblClick() {
    settingsWindow_.ShowSettings(SettingsPage::Calculator);
}

void CalculatorModel::Execute(CalculatorCommand command) {
    switch (command) {
        case CalculatorCommand::Settings:
            Einstellungenndern1Click();
            break;
        case CalculatorCommand::Close:
            Schlieen1Click();
            break;
        case CalculatorCommand::HighPrecision:
            hochgenauMenuItemClick();
            break;
        case CalculatorCommand::TransferUnit:
            kleinsteUeberweisungMenuItemClick();
            break;
        case CalculatorCommand::Coin:
            kleinsteMuenzeMenuItemClick();
            break;
        case CalculatorCommand::CurrencySettings:
            lautEinstellungenMenuItemClick();
            break;
        case CalculatorCommand::HelpTopic:
            Whrungsrechner1Click();
            break;
        case CalculatorCommand::HelpContents:
            Inhalt1Click();
            break;
        case CalculatorCommand::About:
            Infober1Click();
            break;
    }
}

void CalculatorModel::Einstellungenndern1Click() {
    settingsWindow_.ShowSettings(SettingsPage::Calculator);
}

void CalculatorModel::Schlieen1Click() {
    Hide();
}

void CalculatorModel::Whrungsrechner1Click() {
    help_.ShowTopic(kCalculatorHelpTopic);
}

void CalculatorModel::Inhalt1Click() {
    help_.ShowContents();
}

void CalculatorModel::Infober1Click() {
    aboutWindow_.ShowAbout();
}

void CalculatorModel::SetPrecision(PrecisionMode mode) {
    profile_.MutableSettings().CalculatorPrecision = static_cast<int>(mode);
    UpdateLayout();
}

void CalculatorModel::hochgenauMenuItemClick() {
    SetPrecision(PrecisionMode::HighPrecision);
}

void CalculatorModel::kleinsteUeberweisungMenuItemClick() {
    SetPrecision(PrecisionMode::TransferUnit);
}

void CalculatorModel::kleinsteMuenzeMenuItemClick() {
    SetPrecision(PrecisionMode::Coin);
}

void CalculatorModel::lautEinstellungenMenuItemClick() {
    SetPrecision(PrecisionMode::CurrencySettings);
}

}  // namespace kassavero
