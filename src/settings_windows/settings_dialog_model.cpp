// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_windows/settings_dialog_model.h"

#include <cmath>
#include <optional>

#include "core/later_currencies.h"
#include "core/number_text.h"
#include "core/unicode_text.h"
#include "settings/currency_names.h"
#include "settings/later_currency_choice.h"

namespace kassavero {
namespace {

constexpr const char32_t* kTitle = U"Kassavero";
constexpr std::u32string_view kFormName = U"SettingsForm";

// 10^(-decimals), the smallest multiple that still shows with the decimals.
double SmallestStep(int decimals) {
    return std::pow(10.0, -decimals);
}

std::u32string Trimmed(std::u32string_view text) {
    const auto first = text.find_first_not_of(U' ');
    if (first == std::u32string_view::npos)
        return {};
    const auto last = text.find_last_not_of(U' ');
    return std::u32string(text.substr(first, last - first + 1));
}

// The character a symbol field stands for: the first one after trimming, 0 when empty.
char32_t FirstCharacter(std::u32string_view text) {
    const std::u32string trimmed = Trimmed(text);
    return trimmed.empty() ? U'\0' : trimmed[0];
}

std::u32string CharacterText(char32_t c) {
    return c == U'\0' ? std::u32string() : std::u32string(1, c);
}

}  // namespace

const std::array<SettingsTabInfo, kSettingsTabCount>& SettingsTabs() {
    static const std::array<SettingsTabInfo, kSettingsTabCount> kTabs{{
        {U"AllgemeinTabSheet", U"Allgemein", TrKey("AllgemeinTabSheet"), 1010},
        {U"OutputTabSheet", U"Währungen", TrKey("WährungenTabSheet"), 1040},
        {U"WaehrungsrechnerTabSheet", U"Währungsrechner", TrKey("WährungsrechnerTabSheet"), 1160},
        {U"WaehrungenTabSheet", U"Suchen: Symbole", TrKey("SuchenSymboleTabSheet"), 1150},
        {U"InputTabSheet", U"Suchen: Zahlen", TrKey("SuchenZahlenTabSheet"), 1030},
        {U"TabSheet3", U"Anwendungen", TrKey("AnwendungenTabSheet"), 1060},
        {U"TabSheet2", U"Zwischenablage", TrKey("ZwischenablageTabSheet"), 1070},
        {U"WordTabSheet", U"Profile", TrKey("ProfileTabSheet"), 1080},
    }};
    return kTabs;
}

char32_t DecimalKeyTyped(char32_t typed, char32_t systemDecimalSeparator) {
    return typed == U',' || typed == U'.' ? systemDecimalSeparator : typed;
}

std::u32string JoinedSymbols(const SymbolList& list) {
    std::u32string text;
    for (const TCurrencySymbol& entry : list) {
        if (!text.empty())
            text += U"; ";
        text += entry.Symbol;
    }
    return text;
}

SettingsDialogModel::SettingsDialogModel(SettingsDialogView& view, ActiveProfile& profile,
                                         ProfileManager& profiles, Registry& store,
                                         const SystemInfo& system, Translator& translator,
                                         MessageBoxes& messageBoxes, Help& help,
                                         SymbolListEditor* editor, InterfaceLanguages* languages)
    : window_(view),
      profile_(profile),
      profiles_(profiles),
      store_(store),
      system_(system),
      translator_(translator),
      messageBoxes_(messageBoxes),
      help_(help),
      editor_(editor),
      languages_(languages) {
    LoadLanguageChoice();
}

void SettingsDialogModel::Create() {
    profiles_.SetReadListener([this] { ProfileRead(); });
    CustomCurrencyGroupLeft();
    const int target = Settings().OutputDefaultCurrency;
    chooser_ = target >= 0 && target < static_cast<int>(listCodes_.size()) ? target : 0;
    LoadView(static_cast<CurrencyIndex>(chooser_));
    window_.Refresh();
}

// ---- Window ----

void SettingsDialogModel::Show(SettingsPage page) {
    if (page == SettingsPage::Calculator)
        window_.ShowPage(SettingsTab::Waehrungsrechner);
    if (window_.IsWindowVisible()) {
        window_.ShowWindow(false);
        return;
    }
    const bool stored = store_.ValueExists(kGeneralSection, std::u32string(kFormName) + U"XPos") ||
                        store_.ValueExists(kGeneralSection, std::u32string(kFormName) + U"YPos");
    if (stored)
        TransferFormPosition(store_, kGeneralSection, kFormName, window_, false);
    if (shown_ != kNoCurrency)
        view_.Strategy = Settings().Output[shown_].RoundingStrategy;
    window_.Refresh();
    window_.ShowWindow(!stored && !shownBefore_);
    shownBefore_ = true;
}

void SettingsDialogModel::Hide() {
    if (window_.IsWindowVisible())
        TransferFormPosition(store_, kGeneralSection, kFormName, window_, true);
    window_.HideWindow();
}

bool SettingsDialogModel::Apply() {
    CommitView();
    if (!Validate())
        return false;
    ValidateAndSave();
    profile_.NotifySettingsChanged();
    KeepLanguageChoice();
    return true;
}

void SettingsDialogModel::Ok() {
    if (Apply())
        Hide();
}

void SettingsDialogModel::Cancel() {
    languageChoice_ = keptLanguageChoice_;
    Hide();
    // Reading the profile back runs ProfileRead through the listener.
    profiles_.TransferActiveProfile(false);
}

bool SettingsDialogModel::CloseQuery() {
    if (!Validate())
        return false;
    // The edits stay in effect for this run; the view's too, so that nothing typed on
    // the page "Währungen" is silently dropped.
    CommitView();
    KeepLanguageChoice();
    Hide();
    return true;
}

void SettingsDialogModel::ShowHelp() {
    help_.ShowTopic(SettingsTabs()[static_cast<std::size_t>(window_.CurrentPage())].HelpTopic);
}

// ---- Interface language ----

void SettingsDialogModel::LoadLanguageChoice() {
    if (languages_ == nullptr)
        return;
    languageChoices_ = {translator_.TranslateKey("SpracheDesDesktopsEintrag")};
    const std::vector<std::u32string> available = languages_->Available();
    languageChoices_.insert(languageChoices_.end(), available.begin(), available.end());
    const std::u32string chosen = languages_->Chosen();
    languageChoice_ = 0;
    for (std::size_t i = 0; i < available.size(); ++i) {
        if (EqualsIgnoringCase(available[i], chosen))
            languageChoice_ = static_cast<int>(i) + 1;
    }
    // A language the file does not have is still the user's choice: offer it as it is
    // written, rather than silently replacing it.
    if (languageChoice_ == 0 && !chosen.empty()) {
        languageChoices_.push_back(chosen);
        languageChoice_ = static_cast<int>(languageChoices_.size()) - 1;
    }
    keptLanguageChoice_ = languageChoice_;
}

void SettingsDialogModel::ChooseLanguage(int position) {
    if (position >= 0 && position < static_cast<int>(languageChoices_.size()))
        languageChoice_ = position;
}

void SettingsDialogModel::KeepLanguageChoice() {
    if (languages_ == nullptr || languageChoice_ == keptLanguageChoice_)
        return;
    const std::u32string section =
        languageChoice_ == 0 ? std::u32string()
                             : languageChoices_[static_cast<std::size_t>(languageChoice_)];
    if (!languages_->Choose(section)) {
        messageBoxes_.ShowMessageBox(translator_.TranslateKey("SpracheNichtGespeichert"), kTitle,
                                     mb::kOk | mb::kIconError);
        return;
    }
    keptLanguageChoice_ = languageChoice_;
}

// ---- Rules ----

bool SettingsDialogModel::Validate() {
    // OK pressed by its access key leaves the focus in the group of the custom
    // currencies: put them in order first, so the rate field named is the right one.
    CustomCurrencyGroupLeft();
    const ProfileSettings& s = Settings();
    for (int k = 0; k < 3; ++k) {
        const auto row = static_cast<std::size_t>(k);
        if (!s.CustomCurrencySymbol[row].empty() &&
            ParseStoredDecimal(s.CustomCurrencyRate[row], system_.DecimalSeparator())
                    .value_or(0.0) == 0.0) {
            window_.ShowPage(SettingsTab::Allgemein);
            window_.FocusCustomRate(k);
            messageBoxes_.ShowMessageBox(translator_.TranslateKey("KursAngeben"), kTitle,
                                         mb::kOk | mb::kIconError);
            return false;
        }
    }
    return true;
}

void SettingsDialogModel::ValidateAndSave() {
    ProfileSettings& s = Settings();
    if (Trimmed(s.InputDecimalSymbols).empty())
        s.InputDecimalSymbols = std::u32string(1, system_.DecimalSeparator());
    if (s.InputCheckForDecimals < 0 || s.InputCheckForDecimals > 15)
        s.InputCheckForDecimals = 2;
    bool changed = false;
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        TWaehrungsAusgabeFormat& record = s.Output[c];
        const TWaehrungsAusgabeFormat before = record;
        if (record.Decimals < -6 || record.Decimals > 15)
            record.Decimals = DefaultDecimals(c);
        // A multiple that is not a number at all is replaced as well.
        if (!(record.Multiple >= SmallestStep(record.Decimals)))
            record.Multiple = SmallestStep(record.Decimals);
        if (record.SignificantDigits < 1 || record.SignificantDigits > 16)
            record.SignificantDigits = 6;
        changed = changed || !(record == before);
    }
    if (changed)
        LoadView(static_cast<CurrencyIndex>(chooser_));
    CommitView();
    profiles_.TransferActiveProfile(true);
    window_.Refresh();
}

void SettingsDialogModel::CommitView() {
    if (shown_ == kNoCurrency)
        return;
    TWaehrungsAusgabeFormat& record = Settings().Output[shown_];
    record.Symbol = view_.Symbol;
    record.Decimals = view_.Decimals;
    record.SymbolBeforeAmount = view_.SymbolBefore;
    record.Multiple = ParseDecimalStrict(view_.MultipleText, system_.DecimalSeparator())
                          .value_or(SmallestStep(view_.Decimals));
    record.SignificantDigits = view_.SignificantDigits;
    record.RoundingStrategy = view_.Strategy == 2   ? 2
                              : view_.Strategy == 0 ? 0
                              : view_.Strategy == 3 ? 3
                                                    : 1;
    record.RoundingDirection = view_.Direction == 2 ? 2 : view_.Direction == 1 ? 1 : 0;
    record.UseSymbol = view_.UseSymbol;
    record.DecimalSymbol = FirstCharacter(view_.DecimalSymbolText);
    record.ThousandSymbol = FirstCharacter(view_.ThousandSymbolText);
    record.UseThousandSymbol = view_.UseThousandSymbol;
    record.MinusFirst = view_.MinusFirst;
    record.SeparatingSpace = view_.SeparatingSpace;
}

std::u32string SettingsDialogModel::RateText(CurrencyIndex currency) const {
    const double rate =
        IsCustomCurrency(currency)
            ? ParseStoredDecimal(profile_.Settings().CustomCurrencyRate[currency - kCUS1],
                                 system_.DecimalSeparator())
                  .value_or(0.0)
            : FixedCurrencyRate(currency);
    return FormatShortestDouble(rate, system_.DecimalSeparator());
}

void SettingsDialogModel::LoadView(CurrencyIndex currency) {
    if (!IsCurrency(currency))
        return;
    const TWaehrungsAusgabeFormat& record = Settings().Output[currency];
    const char32_t separator = system_.DecimalSeparator();
    view_.Symbol = record.Symbol;
    view_.Decimals = record.Decimals;
    view_.SymbolBefore = record.SymbolBeforeAmount;
    view_.MultipleText = FormatShortestDouble(record.Multiple, separator);
    view_.SignificantDigits = record.SignificantDigits;
    view_.Strategy = record.RoundingStrategy;
    view_.Direction = record.RoundingDirection == 1 || record.RoundingDirection == 2
                          ? record.RoundingDirection
                          : 0;
    view_.UseSymbol = record.UseSymbol;
    view_.DecimalSymbolText = CharacterText(record.DecimalSymbol);
    view_.ThousandSymbolText = CharacterText(record.ThousandSymbol);
    view_.UseThousandSymbol = record.UseThousandSymbol;
    view_.MinusFirst = record.MinusFirst;
    view_.SeparatingSpace = record.SeparatingSpace;
    view_.RateText = RateText(currency);
    view_.CodeText = DisplayCurrencyCode(Settings(), currency);
    if (IsCustomCurrency(currency)) {
        view_.SmallestCoinText.clear();
        view_.SmallestTransferText.clear();
    } else {
        view_.SmallestCoinText = FormatShortestDouble(SmallestCoin(currency), separator);
        view_.SmallestTransferText =
            FormatShortestDouble(SmallestTransferUnit(currency), separator);
    }
    shown_ = currency;
}

void SettingsDialogModel::ChooseOutputCurrency(int position) {
    if (position < 0 || position >= static_cast<int>(listCodes_.size()))
        return;
    CommitView();
    chooser_ = position;
    LoadView(static_cast<CurrencyIndex>(position));
    window_.Refresh();
}

void SettingsDialogModel::CustomCurrencyGroupLeft() {
    ProfileSettings& s = Settings();
    // Close the gaps: the rows with a code move up, in order, with rate and name.
    std::array<std::u32string, 3> codes;
    std::array<std::u32string, 3> rates;
    std::array<std::u32string, 3> names;
    std::size_t used = 0;
    for (std::size_t row = 0; row < 3; ++row) {
        if (s.CustomCurrencySymbol[row].empty())
            continue;
        codes[used] = s.CustomCurrencySymbol[row];
        rates[used] = s.CustomCurrencyRate[row];
        names[used] = s.CustomCurrencyName[row];
        ++used;
    }
    s.CustomCurrencySymbol = codes;
    s.CustomCurrencyRate = rates;
    s.CustomCurrencyName = names;

    listCodes_.clear();
    for (CurrencyIndex c = 0; c < kFixedCurrencyCount; ++c)
        listCodes_.emplace_back(CurrencyCode(c));
    for (std::size_t row = 0; row < 3; ++row) {
        const auto currency = static_cast<CurrencyIndex>(kCUS1 + row);
        customDefined_[row] = !codes[row].empty();
        if (customDefined_[row]) {
            listCodes_.push_back(codes[row]);
        } else {
            s.CalculatorLine[currency] = false;
            s.InputAccept[currency] = false;
        }
    }
    // A selection beyond the list's end goes to the first entry; "none" stays none.
    const int count = static_cast<int>(listCodes_.size());
    if (s.InputDefaultCurrency >= count)
        s.InputDefaultCurrency = 0;
    if (s.OutputDefaultCurrency >= count || s.OutputDefaultCurrency < 0)
        s.OutputDefaultCurrency = 0;
    if (chooser_ >= count) {
        // The view shows a currency that is gone: keep its edits, show the first one.
        CommitView();
        chooser_ = 0;
        LoadView(0);
    } else if (shown_ != kNoCurrency) {
        view_.CodeText = DisplayCurrencyCode(s, shown_);
        view_.RateText = RateText(shown_);
    }
    window_.Refresh();
}

std::vector<std::u32string> SettingsDialogModel::LaterCurrencyChoices() {
    std::vector<std::u32string> choices;
    for (const LaterCurrency& currency : LaterCurrencies())
        choices.push_back(std::u32string(currency.Code) + U" (" +
                          LaterCurrencyName(currency, translator_) + U")");
    return choices;
}

void SettingsDialogModel::ChooseLaterCurrency(int row, int choice) {
    const auto currencies = LaterCurrencies();
    if (row < 0 || row > 2 || choice < 0 || choice >= static_cast<int>(currencies.size()))
        return;
    ProfileSettings& s = Settings();
    // The symbols and output format stay with their slot when the gaps close; only code,
    // rate and name move. So the currency goes where its code will end up.
    auto slot = static_cast<std::size_t>(row);
    for (std::size_t above = 0; above < slot; ++above) {
        if (s.CustomCurrencySymbol[above].empty()) {
            slot = above;
            break;
        }
    }
    const LaterCurrency& currency = currencies[static_cast<std::size_t>(choice)];
    PutLaterCurrency(s, slot, currency, LaterCurrencyName(currency, translator_),
                     system_.DecimalSeparator());
    // The page "Währungen" may show this slot: show what was put there, so that a later
    // commit does not write the old view over it.
    const auto currencyIndex = static_cast<CurrencyIndex>(kCUS1 + slot);
    if (shown_ == currencyIndex)
        LoadView(currencyIndex);
    CustomCurrencyGroupLeft();
}

int SettingsDialogModel::HeldLaterCurrency(int row) {
    if (row < 0 || row > 2)
        return -1;
    const ProfileSettings& s = Settings();
    const auto slot = static_cast<std::size_t>(row);
    const auto currencies = LaterCurrencies();
    for (std::size_t n = 0; n < currencies.size(); ++n) {
        // A row whose rate the user changed holds a currency of their own.
        if (s.CustomCurrencySymbol[slot] == currencies[n].Code &&
            ParseDecimalLenient(s.CustomCurrencyRate[slot], system_.DecimalSeparator()) ==
                ParseDecimalLenient(currencies[n].Rate, U'.'))
            return static_cast<int>(n);
    }
    return -1;
}

void SettingsDialogModel::DefaultSourceChosen(int position) {
    ProfileSettings& s = Settings();
    s.InputDefaultCurrency = position;
    s.InputNumbersWithoutSymbols = true;
    window_.Refresh();
}

void SettingsDialogModel::ColumnClicked(CalculatorColumn column) {
    ProfileSettings& s = Settings();
    if (!s.CalculatorColFlags && !s.CalculatorColCurrencySymbols && !s.CalculatorColCurrencyNames) {
        if (column == CalculatorColumn::Symbols)
            s.CalculatorColFlags = true;
        else
            s.CalculatorColCurrencySymbols = true;
    }
    window_.Refresh();
}

void SettingsDialogModel::MultipleTextEdited(std::u32string text) {
    view_.MultipleText = std::move(text);
    view_.Strategy = 2;
    window_.Refresh();
}

void SettingsDialogModel::LegalRounding() {
    if (IsCustomCurrency(shown_)) {
        messageBoxes_.ShowMessageBox(
            translator_.TranslateKey("KeineVorschriftenFuerNichtEuroWaehrungen"), kTitle,
            mb::kOk | mb::kIconInformation);
        return;
    }
    view_.Direction = 0;
    view_.Strategy = 1;
    window_.Refresh();
}

void SettingsDialogModel::EditSymbolList(CurrencyIndex list) {
    if (editor_ == nullptr)
        return;
    ProfileSettings& s = Settings();
    bool confirmed = false;
    if (IsCurrency(list)) {
        const std::u32string caption =
            translator_.TranslateKey("WaehrungssymboleFuer") + DisplayCurrencyCode(s, list);
        confirmed = editor_->EditSymbolList(s.InputSymbolsFor[list], caption, false);
    } else {
        confirmed = editor_->EditSymbolList(
            s.InputNonCurrencySymbols, translator_.TranslateKey("NichtWaehrungssymbole"), true);
    }
    if (confirmed)
        window_.Refresh();
}

// ---- Profile page ----

void SettingsDialogModel::SelectProfile(int position) {
    profiles_.Select(position);
}

void SettingsDialogModel::SaveProfileAs() {
    profiles_.SaveProfileAs();
    window_.Refresh();
}

void SettingsDialogModel::ActivateSelectedProfile() {
    profiles_.ActivateProfile(profiles_.SelectedIndex());
    window_.Refresh();
}

void SettingsDialogModel::DeleteSelectedProfile() {
    profiles_.DeleteSelectedProfile();
    window_.Refresh();
}

void SettingsDialogModel::ProfileRead() {
    // A profile may bring other custom currencies: the lists follow it at once.
    CustomCurrencyGroupLeft();
    LoadView(static_cast<CurrencyIndex>(chooser_));
    window_.Refresh();
}

// ---- State for the window ----

std::u32string SettingsDialogModel::CheckBoxCaption(CurrencyIndex currency) const {
    if (IsCustomCurrency(currency) && customDefined_[currency - kCUS1])
        return profile_.Settings().CustomCurrencySymbol[currency - kCUS1];
    return std::u32string(CurrencyCode(currency));
}

std::u32string SettingsDialogModel::SymbolFieldText(CurrencyIndex list) const {
    const ProfileSettings& s = profile_.Settings();
    if (!IsCurrency(list))
        return JoinedSymbols(s.InputNonCurrencySymbols);
    // An undefined custom currency searches nothing; its field stays empty.
    if (IsCustomCurrency(list) && !customDefined_[list - kCUS1])
        return {};
    return JoinedSymbols(s.InputSymbolsFor[list]);
}

std::vector<std::pair<std::u32string_view, bool>> SettingsDialogModel::EnabledStates() const {
    const ProfileSettings& s = profile_.Settings();
    std::vector<std::pair<std::u32string_view, bool>> states;
    const auto all = [&states](std::initializer_list<std::u32string_view> names, bool enabled) {
        for (const std::u32string_view name : names)
            states.emplace_back(name, enabled);
    };
    // Numbers without a symbol.
    const bool unmarked = s.InputNumbersWithoutSymbols;
    all({U"giltNurFuerCheckBox", U"anhaltenCheckBox", U"NonCurrencySymbolCheckBox",
         U"NonCurrencySymbolMemo"},
        unmarked);
    // The decimals field follows its own check box inside the panel as well.
    all({U"EingabeNachkommastellenEdit", U"EingabeNachkommastellenLabel"},
        unmarked && s.InputCheckForDecimalsActive);
    all({U"Button1"}, unmarked && editor_ != nullptr);
    // Replace or add.
    all({U"altesSymbolEinfuegenCheckBox", U"AltInKlammernRadioButton", U"NeuInKlammernRadioButton",
         U"stattKlammernCheckBox", U"KlammerAufEdit", U"KlammerZuEdit"},
        !s.OutputReplace);
    // Provisional changes in the word processor.
    all({U"fettCheckBox", U"kursivCheckBox", U"unterstrichenCheckBox", U"FarblichCheckBox",
         U"FarbenComboBox", U"alteSchreibungCheckBox", U"zeilenMarkierenCheckBox"},
        s.WordTraceChanges);
    // Clipboard.
    const bool foundAmounts = s.ClipboardSearch || s.ClipboardUseHotkey;
    all({U"ClipboardBetragImRechnerCheckbox", U"ClipboardUmrechnenCheckBox"}, foundAmounts);
    all({U"ClipboardAenderungBestaetigenCheckBox"}, foundAmounts && s.ClipboardReplace);
    all({U"ClipboardAlsGanzesRadioButton", U"ClipboardEnthaeltRadioButton", U"Label2", U"Label7"},
        s.ClipboardSearch);
    all({U"ClipboardHotKey"}, s.ClipboardUseHotkey);
    all({U"RechnerHotKey"}, s.CalculatorUseHotkey);
    // Custom currencies.
    static constexpr std::array<std::array<std::u32string_view, 3>, 3> kCustom{{
        {U"CUS1DisplayCheckBox", U"CUS1CheckBox", U"CUS1KontextButton"},
        {U"CUS2DisplayCheckBox", U"CUS2CheckBox", U"CUS2KontextButton"},
        {U"CUS3DisplayCheckBox", U"CUS3CheckBox", U"CUS3KontextButton"},
    }};
    for (std::size_t row = 0; row < 3; ++row) {
        all({kCustom[row][0], kCustom[row][1]}, customDefined_[row]);
        all({kCustom[row][2]}, customDefined_[row] && editor_ != nullptr);
    }
    // The fixed currencies' symbol list buttons.
    static constexpr std::array<std::u32string_view, kFixedCurrencyCount> kFixedButtons{
        U"EURKontextButton", U"ATSKontextButton", U"BEFKontextButton", U"DEMKontextButton",
        U"ESPKontextButton", U"FIMKontextButton", U"FRFKontextButton", U"IEPKontextButton",
        U"ITLKontextButton", U"NLGKontextButton", U"PTEKontextButton"};
    for (const std::u32string_view name : kFixedButtons)
        states.emplace_back(name, editor_ != nullptr);
    // The page "Währungen".
    all({U"ZielWaehrungszeichenEdit", U"SymbolVorherRadioButton", U"SymbolNachherRadioButton",
         U"AusgabeLeerzeichenCheckBox"},
        view_.UseSymbol);
    all({U"VielfachesRundenEdit"}, view_.Strategy == 2);
    all({U"signifikanteStellenRundenEdit"}, view_.Strategy == 3);
    all({U"AusgabeTausenderSymbolEdit"}, view_.UseThousandSymbol);
    all({U"kleinsteMuenzeRadioButton", U"kleinsteUeberweisungRadioButton"},
        !IsCustomCurrency(shown_));
    return states;
}

}  // namespace kassavero
