// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settings window: eight pages over the live settings of the active profile. Each
// control is bound to its setting (or to the editing view of the page "Währungen");
// every user event goes to SettingsDialogModel, and the window then shows the settings
// and the enabled states anew.

#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/program_windows.h"
#include "settings_windows/qt_widget_bindings.h"
#include "settings_windows/settings_dialog_model.h"

class QAbstractButton;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;

namespace kassavero {

class TEinstellungen2Form final : public QDialog, public SettingsDialogView, public SettingsWindow {
    Q_OBJECT

  public:
    // editor may be null; the symbol list buttons are then disabled. Without languages
    // the interface language is not offered.
    TEinstellungen2Form(ActiveProfile& profile, ProfileManager& profiles, Registry& store,
                        const SystemInfo& system, Translator& translator,
                        MessageBoxes& messageBoxes, Help& help, SymbolListEditor* editor,
                        InterfaceLanguages* languages = nullptr, QWidget* parent = nullptr);
    ~TEinstellungen2Form() override;

    // ---- SettingsWindow ----
    void ShowSettings(SettingsPage page) override;

    // ---- SettingsDialogView ----
    void ShowWindow(bool centre) override;
    void HideWindow() override;
    bool IsWindowVisible() const override;
    void ShowPage(SettingsTab page) override;
    SettingsTab CurrentPage() const override;
    void FocusCustomRate(int row) override;
    void Refresh() override;
    int Left() const override;
    int Top() const override;
    void SetLeft(int left) override;
    void SetTop(int top) override;

    SettingsDialogModel& Model() { return model_; }
    QTabWidget* Pages() const { return pages_; }
    // A control by its name, for tests.
    template <typename T>
    T* Control(const char* name) const {
        return findChild<T*>(QString::fromLatin1(name));
    }

  protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using RadioOption = WidgetBindings::RadioOption;

    ProfileSettings& S() { return model_.Settings(); }
    OutputView& V() { return model_.View(); }

    QWidget* BuildAllgemein();
    QGroupBox* BuildDefaultCurrencies();
    QGroupBox* BuildOutputChoice();
    QGroupBox* BuildCustomCurrencies();
    void AddLanguageChoice(QGridLayout* grid);
    QWidget* BuildWaehrungen();
    QGroupBox* BuildOutputSymbol();
    QGroupBox* BuildOutputNumbers();
    QGroupBox* BuildRounding();
    QWidget* BuildRoundingDirection();
    QWidget* BuildRechner();
    QGroupBox* BuildCalculatorLines();
    QGroupBox* BuildCalculatorColumns();
    QWidget* BuildSuchenSymbole();
    QWidget* BuildSuchenZahlen();
    QGroupBox* BuildNumberFormat();
    QGroupBox* BuildUnmarkedNumbers();
    QWidget* BuildAnwendungen();
    QGroupBox* BuildWordProcessor();
    QGroupBox* BuildSpreadsheet();
    QWidget* BuildZwischenablage();
    QWidget* BuildProfile();
    QWidget* Page(QWidget* content, int tab);
    void FitToScreen();

    // The combo box lists the currencies' codes; selection is the entry shown.
    void BindCurrencyList(QComboBox* combo, const std::function<int()>& selection);
    void ShowCurrencyLists();
    void ShowProfiles();
    // Typed "," and "." become the system decimal separator in this field.
    void TakeDecimalKeys(QLineEdit* edit);
    // The field is named for screen readers by the caption of the control before it.
    void SpeakAs(QWidget* field, QWidget* caption);
    void NameSymbolRows();
    void ShowLaterCurrencies();

    struct SymbolRow {
        QAbstractButton* Box = nullptr;
        QLineEdit* Field = nullptr;
        QAbstractButton* Button = nullptr;
    };
    struct NumberedField {
        QWidget* Field;
        QLabel* Header;
        int Row;
    };

    SettingsDialogModel model_;
    Translator& translator_;
    const SystemInfo& system_;
    QTabWidget* pages_ = nullptr;
    QGroupBox* customGroup_ = nullptr;
    std::vector<QLineEdit*> customRates_;
    // Per custom currency row: the later euro currency it holds, if any.
    std::vector<QComboBox*> laterLists_;
    std::vector<QComboBox*> currencyLists_;
    std::vector<QLabel*> clickLabels_;
    std::vector<QLineEdit*> decimalFields_;
    std::vector<std::pair<QWidget*, QWidget*>> spokenAs_;
    std::array<SymbolRow, kCurrencyCount> symbolRows_{};
    std::vector<NumberedField> numberedFields_;
    QString symbolsFor_;
    QListWidget* profileList_ = nullptr;
    QLabel* activeName_ = nullptr;
    int previousPage_ = 0;
    bool refreshing_ = false;
    bool created_ = false;
    WidgetBindings bind_;
};

}  // namespace kassavero
