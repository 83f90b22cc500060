// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The symbol list editor window: the symbols of one list on the left, the options of the
// shown symbol on the right. A modal dialog over SymbolListEditorModel; it shows the
// model's state and hands every click and edit to it.

#include <QDialog>
#include <array>

#include "settings_windows/qt_widget_bindings.h"
#include "settings_windows/symbol_list_editor.h"
#include "settings_windows/symbol_list_editor_model.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kassavero {

class Help;
class MessageBoxes;
class Translator;

class TSymbolListForm final : public QDialog, public SymbolListEditor {
    Q_OBJECT

  public:
    TSymbolListForm(Translator& translator, MessageBoxes& messageBoxes, Help& help,
                    QWidget* parent = nullptr);

    bool EditSymbolList(SymbolList& list, const std::u32string& caption,
                        bool nonCurrencySymbols) override;

    enum class Button { New, Save, Delete, Ok, Cancel, Help };
    // The widgets, for tests.
    QListWidget* List() const { return list_; }
    QLineEdit* SymbolField() const { return symbol_; }
    QLabel* SymbolLabel() const { return symbolLabel_; }
    QPushButton* ButtonOf(Button button) const;
    QCheckBox* OptionBox(SymbolListEditorModel::Option option) const;
    QRadioButton* DotButton(AbbreviationDot dot) const;
    const SymbolListEditorModel& Model() const { return model_; }

  private:
    void BuildControls();
    void LayOut();
    void Connect();
    void Refresh();
    void FillList();

    SymbolListEditorModel model_;
    Translator& translator_;
    Help& help_;
    bool refreshing_ = false;

    QListWidget* list_ = nullptr;
    QLabel* symbolLabel_ = nullptr;
    QLineEdit* symbol_ = nullptr;
    std::array<QCheckBox*, 5> options_{};
    QGroupBox* dotGroup_ = nullptr;
    std::array<QRadioButton*, 3> dots_{};
    QPushButton* new_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    WidgetBindings bind_;
};

}  // namespace kassavero
