// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The calculator window without the window: its fourteen lines, the amounts behind them,
// the conversion, the layout that the settings choose, and what keys, menus and the
// mouse do. The window itself only shows this state and passes its events in; after
// every event it takes over texts, selections, fonts, visibility, geometry and the
// focused field from here.
//
// Writes the model makes to a field never come back as change events: the window
// reports only the user's own edits (FieldEdited, TypeCharacter).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "calculator/calculator_access.h"
#include "calculator/numeric_edit.h"
#include "core/amount_format.h"
#include "core/currency.h"
#include "i18n/translator.h"
#include "settings/transfer_ini_file.h"

namespace kassavero {

class AboutWindow;
class ActiveProfile;
class ClipboardWatch;
class CurrencyTable;
class Help;
class Registry;
class SettingsWindow;
class SystemInfo;

inline constexpr int kCalculatorSlots = 14;
inline constexpr int kCalculatorHelpTopic = 1100;
// The name the window's position is stored under.
inline constexpr std::u32string_view kCalculatorFormName = U"CalculatorForm";

// Pixel sizes of the window's design, as the window measures them on its first row.
// The columns are laid out from these; the defaults are the design's own values.
struct CalculatorGeometry {
    int FieldLeft = 8;
    int FieldWidth = 141;
    int CodeWidth = 35;
    int FlagWidth = 32;
    int NameWidth = 170;
    int RateLeft = 418;
    int RateWidth = 60;
    int WindowWidth = 481;  // client area with all fourteen rows
    int WindowHeight = 340;
    int RowPitch = 24;
};

// Room between two columns.
inline constexpr int kCalculatorColumnGap = 7;

struct CalculatorLabel {
    std::u32string Text;
    bool Visible = true;
    bool Bold = false;
    int Left = 0;
};

struct CalculatorFlag {
    std::u32string Country;  // whose flag (FlagCountry); empty for none
    bool Visible = true;
    int Left = 0;
};

struct CalculatorField {
    NumericEditState Edit;
    CurrencyIndex Currency = kEUR;  // the currency the line shows
    bool Visible = true;
    bool Bold = false;
};

// One row of the window: amount field, code, flag, name and rate, left to right.
struct LineSlot {
    CalculatorField Field;
    CalculatorLabel Code;
    CalculatorFlag Flag;
    CalculatorLabel Name;
    CalculatorLabel Rate;
};

// The keys the fields' key handler acts on; every other key is Other.
enum class CalculatorKey { Up, Down, Insert, Delete, C, X, Other };

struct KeyModifiers {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;

    bool OnlyCtrl() const { return Ctrl && !Shift && !Alt; }
    bool OnlyShift() const { return Shift && !Ctrl && !Alt; }
};

// The fields' clipboard actions (Ctrl+C, Ctrl+X, Ctrl+V and their menu forms).
enum class EditAction { Copy, Cut, Paste };

// The entries of the window's menu.
enum class CalculatorCommand {
    Settings,
    Close,
    HighPrecision,
    TransferUnit,
    Coin,
    CurrencySettings,
    HelpTopic,
    HelpContents,
    About,
};

struct CalculatorMenuItem {
    std::string_view Key;  // translation key of the caption
    CalculatorCommand Command;
};

struct CalculatorMenu {
    std::string_view Key;
    std::span<const CalculatorMenuItem> Items;
};

// The menu bar, top to bottom and left to right, with the captions' translation keys.
std::span<const CalculatorMenu> CalculatorMenus();
// Translation key of the window's caption.
inline constexpr std::string_view kCalculatorCaptionKey = TrKey("Währungsrechner");

// The window that shows the model. Other parts change the calculator without going
// through the window (the command interface, the confirmation dialog, the settings, the
// tray), so the model tells it once after each such operation.
class CalculatorView {
  public:
    virtual ~CalculatorView() = default;
    // The state changed; the window takes it over.
    virtual void ModelChanged() = 0;
    // The calculator was asked to show itself; it comes to the front even when it was
    // open already, behind other windows.
    virtual void BringToFront() = 0;
};

class CalculatorModel final : public CalculatorAccess, public FormPosition {
  public:
    // Everything it is given must outlive it. Reads the system's decimal separator and
    // default language once, and the overflow text once.
    CalculatorModel(ActiveProfile& profile, const CurrencyTable& currencies,
                    const SystemInfo& system, Translator& translator, Registry& store,
                    ClipboardWatch& clipboard, SettingsWindow& settingsWindow,
                    AboutWindow& aboutWindow, Help& help, CalculatorGeometry geometry = {});
    ~CalculatorModel() override;
    CalculatorModel(const CalculatorModel&) = delete;
    CalculatorModel& operator=(const CalculatorModel&) = delete;

    // The window to tell about changes; null for none. It must stay until it is
    // replaced or cleared.
    void SetView(CalculatorView* view) { view_ = view; }

    // ---- State ----
    const LineSlot& Slot(int slot) const { return slots_[static_cast<std::size_t>(slot)]; }
    // The last computed amount of every currency, by currency (not by slot).
    const std::array<double, kCurrencyCount>& Amounts() const { return amounts_; }
    CurrencyIndex SourceCurrency() const { return sourceCurrency_; }
    CurrencyIndex PreviousSource() const { return previousSource_; }
    bool UpdatesEnabled() const { return updatesEnabled_; }
    bool InShow() const { return inShow_; }
    const CalculatorGeometry& Geometry() const { return geometry_; }
    // The shown slot of a currency, or -1.
    int SlotOf(CurrencyIndex currency) const;
    // The field that has (or is to get) the keyboard focus, or -1.
    int FocusedSlot() const { return focusedSlot_; }
    // The client area's size; the position is Left() and Top().
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The precision menu entry that carries the check mark, if any.
    std::optional<PrecisionMode> CheckedPrecision() const { return checkedPrecision_; }
    bool IsChecked(CalculatorCommand command) const;
    const std::u32string& OverflowText() const { return overflowText_; }
    // False for a menu entry whose window is not part of the program (yet).
    bool CommandAvailable(CalculatorCommand command) const;

    // ---- CalculatorAccess ----
    void ShowAmount(CurrencyIndex currency, bool writeSourceText, double value) override;
    // Showing runs FormShow, hiding FormHide; either does nothing when the window is
    // already in that state. The window's close box calls Hide.
    void Show() override;
    void Hide() override;
    bool Visible() const override { return visible_; }

    // ---- FormPosition: the window reports where the user moved it ----
    int Left() const override { return left_; }
    int Top() const override { return top_; }
    void SetLeft(int left) override { left_ = left; }
    void SetTop(int top) override { top_ = top; }

    // Rebuilds which lines and columns are shown from the settings and sizes the
    // window. Lines that are shown keep step with the amounts: they are filled again
    // (or stay empty while typed input waits for Enter), and a source line that has
    // just come into view gets its amount.
    void UpdateLayout();

    // ---- Events from the fields ----
    // The user changed a field's text by other means than typing (paste, cut, delete).
    void FieldEdited(int slot, std::u32string text, EditSelection selection);
    void SelectionChanged(int slot, EditSelection selection);
    // A character typed into a field: the window's handler sees it first, then the
    // field's filter, then the text changes and the change runs.
    void TypeCharacter(int slot, char32_t typed);
    // True when the key is consumed.
    bool EditKeyDown(int slot, CalculatorKey key, KeyModifiers modifiers);
    // Escape and Enter; sets `key` to 0 when it consumes the character.
    void EditKeyPress(int slot, char32_t& key);
    // The field got the keyboard focus.
    void EditEnter(int slot);
    void EditExit(int slot);
    void EditChange(int slot);
    // Runs before one of the clipboard actions executes.
    void ActionList1Execute(EditAction action);

    // ---- Window and menu ----
    void FormShow();
    void FormHide();
    void FormDblClick();
    void Execute(CalculatorCommand command);
    void Einstellungenndern1Click();
    void Schlieen1Click();
    void Whrungsrechner1Click();
    void Inhalt1Click();
    void Infober1Click();
    void hochgenauMenuItemClick();
    void kleinsteUeberweisungMenuItemClick();
    void kleinsteMuenzeMenuItemClick();
    void lautEinstellungenMenuItemClick();

  private:
    // Tells the view once, when the outermost operation that changed the state ends.
    class ChangeScope {
      public:
        explicit ChangeScope(CalculatorModel& model) : model_(model) { ++model_.changeDepth_; }
        ~ChangeScope();
        ChangeScope(const ChangeScope&) = delete;
        ChangeScope& operator=(const ChangeScope&) = delete;

      private:
        CalculatorModel& model_;
    };

    LineSlot& MutableSlot(int slot) { return slots_[static_cast<std::size_t>(slot)]; }
    static bool IsSlot(int slot) { return slot >= 0 && slot < kCalculatorSlots; }
    void SetPrecision(PrecisionMode mode);
    void PlaceColumns(LineSlot& slot, int& x) const;
    void SetSlotBold(int slot, bool bold);
    void MarkSource();
    void WriteSourceLine();
    // The source line's text without moving the focus; false when it has no line.
    bool WriteSourceText();
    void FillLines(bool clear);
    void FocusField(int slot);

    ActiveProfile& profile_;
    const CurrencyTable& currencies_;
    Registry& store_;
    ClipboardWatch& clipboard_;
    SettingsWindow& settingsWindow_;
    AboutWindow& aboutWindow_;
    Help& help_;
    const CalculatorGeometry geometry_;
    const char32_t decimalSeparator_;
    const std::uint16_t nameLanguageId_;
    const std::u32string overflowText_;

    std::array<LineSlot, kCalculatorSlots> slots_;
    std::array<double, kCurrencyCount> amounts_{};
    CurrencyIndex sourceCurrency_ = kEUR;
    CurrencyIndex previousSource_ = kEUR;
    bool updatesEnabled_ = true;
    bool inShow_ = false;
    // The other lines were emptied by typing and wait for Enter.
    bool linesCleared_ = false;
    int focusedSlot_ = -1;
    bool visible_ = false;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::optional<PrecisionMode> checkedPrecision_;
    CalculatorView* view_ = nullptr;
    int changeDepth_ = 0;
};

}  // namespace kassavero
