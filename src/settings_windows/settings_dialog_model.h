// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the settings window does, without a widget: OK, Apply, Cancel and closing, the
// validation, the editing view of one currency's output format, the custom currencies,
// which controls are enabled, and the profile page. The window binds its controls to
// the live settings of the ActiveProfile and to the OutputView here, hands every user
// event to this model and shows the state again when told to.

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/currency.h"
#include "i18n/interface_language.h"
#include "i18n/translator.h"
#include "platform/help.h"
#include "platform/message_box.h"
#include "platform/program_windows.h"
#include "platform/registry.h"
#include "platform/system_info.h"
#include "settings/active_profile.h"
#include "settings/profile_manager.h"
#include "settings/transfer_ini_file.h"
#include "settings_windows/symbol_list_editor.h"

namespace kassavero {

// The pages, in the order the window shows them.
enum class SettingsTab {
    Allgemein,
    Waehrungen,
    Waehrungsrechner,
    SuchenSymbole,
    SuchenZahlen,
    Anwendungen,
    Zwischenablage,
    Profile,
};
inline constexpr int kSettingsTabCount = 8;

struct SettingsTabInfo {
    std::u32string_view Name;     // the page's control name
    std::u32string_view Caption;  // the German design caption
    std::string_view Key;         // its translation key
    int HelpTopic;
};
const std::array<SettingsTabInfo, kSettingsTabCount>& SettingsTabs();

// The controls of the page "Währungen" as the user sees them. Loading fills it from one
// currency's record, committing writes it back.
struct OutputView {
    std::u32string Symbol;
    int Decimals = 2;
    bool SymbolBefore = true;
    std::u32string MultipleText;
    int SignificantDigits = 6;
    int Strategy = 1;  // the selected strategy button 0..3; any other value: none
    int Direction = 0;
    bool UseSymbol = true;
    std::u32string DecimalSymbolText;
    std::u32string ThousandSymbolText;
    bool UseThousandSymbol = true;
    bool MinusFirst = true;
    bool SeparatingSpace = true;

    // Read-only information about the loaded currency.
    std::u32string RateText;
    std::u32string CodeText;
    std::u32string SmallestCoinText;
    std::u32string SmallestTransferText;
};

// The three column check boxes of the calculator page.
enum class CalculatorColumn { Flags, Symbols, Names };

// What the model asks of the window.
class SettingsDialogView : public FormPosition {
  public:
    // Makes the window visible and brings it to the front; centred when asked.
    virtual void ShowWindow(bool centre) = 0;
    virtual void HideWindow() = 0;
    virtual bool IsWindowVisible() const = 0;
    virtual void ShowPage(SettingsTab page) = 0;
    virtual SettingsTab CurrentPage() const = 0;
    // Puts the focus into the rate field of custom currency row 0..2.
    virtual void FocusCustomRate(int row) = 0;
    // Shows the settings, the editing view, the lists and the enabled states anew.
    virtual void Refresh() = 0;
};

// A typed "," or "." in a rate or multiple field becomes the system decimal separator.
char32_t DecimalKeyTyped(char32_t typed, char32_t systemDecimalSeparator);

// The symbols of a list joined by "; ", as the read-only symbol fields show them.
std::u32string JoinedSymbols(const SymbolList& list);

class SettingsDialogModel {
  public:
    // editor may be null: the symbol list buttons are then disabled; languages too: the
    // interface language is then not offered.
    SettingsDialogModel(SettingsDialogView& view, ActiveProfile& profile, ProfileManager& profiles,
                        Registry& store, const SystemInfo& system, Translator& translator,
                        MessageBoxes& messageBoxes, Help& help, SymbolListEditor* editor,
                        InterfaceLanguages* languages = nullptr);

    // Once, when the window is created (after the profile was loaded): the custom
    // currencies are put in order, the lists built and the view loaded for the default
    // target currency.
    void Create();

    // ---- Window ----
    void Show(SettingsPage page);
    void Ok();
    // Steps 1-4 of OK; false when the validation refused.
    bool Apply();
    void Cancel();
    // The close box: true when the window may close (it is then hidden).
    bool CloseQuery();
    void ShowHelp();

    // ---- Rules ----
    // false and the rate field of the first custom currency that has a code but no rate
    // in front, with the message shown.
    bool Validate();
    void ValidateAndSave();
    void CommitView();
    void LoadView(CurrencyIndex currency);
    // The user chose another entry of the currency chooser on the page "Währungen".
    void ChooseOutputCurrency(int position);
    // The focus left the page "Währungen".
    void OutputPageLeft() { CommitView(); }
    // The focus left the group of the custom currencies (and once at creation).
    void CustomCurrencyGroupLeft();
    // The later euro currencies a custom currency row offers, in the interface language:
    // "BGN (Bulgarian lev)".
    std::vector<std::u32string> LaterCurrencyChoices();
    // The user chose entry `choice` of those for custom currency row 0..2: it fills the
    // row (or the first empty row above it, where the gaps would move it anyway).
    void ChooseLaterCurrency(int row, int choice);
    // The entry of those that custom currency row 0..2 holds (its code at its fixed
    // rate), or -1 for none.
    int HeldLaterCurrency(int row);
    // The user chose a default source currency.
    void DefaultSourceChosen(int position);
    // One of the column check boxes was clicked (its setting already changed).
    void ColumnClicked(CalculatorColumn column);
    // The text of the multiple field changed.
    void MultipleTextEdited(std::u32string text);
    // The button "gesetzlich".
    void LegalRounding();
    // The "..." buttons: a currency, or kNoCurrency for the non-currency symbols.
    void EditSymbolList(CurrencyIndex list);
    bool CanEditSymbolLists() const { return editor_ != nullptr; }

    // ---- Interface language ----
    bool CanChooseLanguage() const { return languages_ != nullptr; }
    // "The desktop's language" first, then the languages of the translation file.
    const std::vector<std::u32string>& LanguageChoices() const { return languageChoices_; }
    int ChosenLanguage() const { return languageChoice_; }
    // Kept by OK, Apply and the close box, for the next start; Cancel forgets it.
    void ChooseLanguage(int position);

    // ---- Profile page ----
    void SelectProfile(int position);
    void SaveProfileAs();
    void ActivateSelectedProfile();
    void DeleteSelectedProfile();
    int SelectedProfile() const { return profiles_.SelectedIndex(); }

    // ---- State for the window ----
    ProfileSettings& Settings() { return profile_.MutableSettings(); }
    const ActiveProfile& Profile() const { return profile_; }
    OutputView& View() { return view_; }
    const OutputView& View() const { return view_; }
    CurrencyIndex ShownOutputCurrency() const { return shown_; }
    // The entries of the three currency lists: the eleven fixed codes, then the codes of
    // the defined custom currencies; a list position equals the CurrencyIndex.
    const std::vector<std::u32string>& CurrencyListCodes() const { return listCodes_; }
    int ChooserPosition() const { return chooser_; }
    bool CustomCurrencyDefined(int row) const {
        return customDefined_[static_cast<std::size_t>(row)];
    }
    // The caption of the calculator and search check boxes of a currency.
    std::u32string CheckBoxCaption(CurrencyIndex currency) const;
    // The text of a read-only symbol field (kNoCurrency: the non-currency field).
    std::u32string SymbolFieldText(CurrencyIndex list) const;
    // Every control whose enabled state a rule decides, by control name, with that state.
    std::vector<std::pair<std::u32string_view, bool>> EnabledStates() const;

  private:
    // After the active profile was read (activation here or from the tray, Cancel).
    void ProfileRead();
    void Hide();
    std::u32string RateText(CurrencyIndex currency) const;
    void LoadLanguageChoice();
    void KeepLanguageChoice();

    SettingsDialogView& window_;
    ActiveProfile& profile_;
    ProfileManager& profiles_;
    Registry& store_;
    const SystemInfo& system_;
    Translator& translator_;
    MessageBoxes& messageBoxes_;
    Help& help_;
    SymbolListEditor* editor_;
    InterfaceLanguages* languages_;
    std::vector<std::u32string> languageChoices_;
    int languageChoice_ = 0;
    int keptLanguageChoice_ = 0;

    OutputView view_;
    CurrencyIndex shown_ = kNoCurrency;
    int chooser_ = 0;
    std::vector<std::u32string> listCodes_;
    std::array<bool, 3> customDefined_{};
    bool shownBefore_ = false;
};

}  // namespace kassavero
