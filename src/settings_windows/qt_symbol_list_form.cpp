// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_windows/qt_symbol_list_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QValidator>

#include "i18n/translate_widgets.h"
#include "platform/help.h"
#include "platform/qt_text.h"
#include "platform/qt_window_front.h"

namespace kassavero {
namespace {

constexpr int kHelpTopic = 1020;

template <typename T>
T* Keyed(T* widget, std::string_view key) {
    SetTranslationKey(widget, key);
    return widget;
}

// Symbols hold no control characters; any other character may be typed, and the model
// refuses on Save a symbol with one the program has no place for.
class NoControlsValidator final : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        const std::u32string codePoints = input.toStdU32String();
        for (char32_t cp : codePoints) {
            if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0))
                return Invalid;
        }
        return Acceptable;
    }
};

std::size_t OptionSlot(SymbolListEditorModel::Option option) {
    return static_cast<std::size_t>(option);
}

}  // namespace

TSymbolListForm::TSymbolListForm(Translator& translator, MessageBoxes& messageBoxes, Help& help,
                                 QWidget* parent)
    : QDialog(parent),
      model_(translator, messageBoxes),
      translator_(translator),
      help_(help),
      bind_(this, refreshing_, [this] { Refresh(); }) {
    BuildControls();
    LayOut();
    TranslateControls(this, translator);
    // Modal, without a minimise button: minimised, it would block the settings unseen.
    KeepFromMinimising(this);
    Connect();
}

void TSymbolListForm::BuildControls() {
    using Option = SymbolListEditorModel::Option;

    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumWidth(fontMetrics().averageCharWidth() * 22);

    symbolLabel_ = new QLabel(this);
    symbol_ = new QLineEdit(this);
    symbol_->setValidator(new NoControlsValidator(symbol_));
    symbol_->setMaxLength(62);  // a longer word is never an amount's symbol
    symbolLabel_->setBuddy(symbol_);

    options_[OptionSlot(Option::AfterAmount)] =
        Keyed(new QCheckBox(this), TrKey("SymbolNachDemBetragCheckbox"));
    options_[OptionSlot(Option::BeforeAmount)] =
        Keyed(new QCheckBox(this), TrKey("SymbolVorDemBetragCheckbox"));
    options_[OptionSlot(Option::AsDecimalSeparator)] =
        Keyed(new QCheckBox(this), TrKey("SymbolAlsDezimaltrennsymbolCheckbox"));
    options_[OptionSlot(Option::CaseSensitive)] =
        Keyed(new QCheckBox(this), TrKey("SymbolGrossKleinschreibungCheckbox"));
    options_[OptionSlot(Option::SpaceOptional)] =
        Keyed(new QCheckBox(this), TrKey("SymbolLeerzeichenKannEntfallenCheckbox"));
    // Kept in the layout's place but not shown; its value is still shown into it and
    // saved from it.
    options_[OptionSlot(Option::AsDecimalSeparator)]->setVisible(false);

    dotGroup_ = Keyed(new QGroupBox(this), TrKey("AbkuerzungspunktGroupbox"));
    dots_[0] = Keyed(new QRadioButton(dotGroup_), TrKey("AbkuerzungspunktImmerRadio"));
    dots_[1] = Keyed(new QRadioButton(dotGroup_), TrKey("AbkuerzungspunktManchmalRadio"));
    dots_[2] = Keyed(new QRadioButton(dotGroup_), TrKey("AbkuerzungspunktNieRadio"));

    new_ = Keyed(new QPushButton(this), TrKey("SymbolNeuButton"));
    save_ = Keyed(new QPushButton(this), TrKey("SymbolSpeichernButton"));
    delete_ = Keyed(new QPushButton(this), TrKey("SymbolLöschenButton"));
    ok_ = Keyed(new QPushButton(this), TrKey("OkButton"));
    cancel_ = Keyed(new QPushButton(this), TrKey("AbbrechenButton"));
    helpButton_ = Keyed(new QPushButton(this), TrKey("HilfeButton"));
    // The default button is the model's choice, never the focused button's.
    for (QPushButton* button : {new_, save_, delete_, ok_, cancel_, helpButton_})
        button->setAutoDefault(false);
}

void TSymbolListForm::LayOut() {
    auto* dotLayout = new QHBoxLayout(dotGroup_);
    for (QRadioButton* dot : dots_)
        dotLayout->addWidget(dot);
    dotLayout->addStretch();

    auto* entryButtons = new QHBoxLayout;
    entryButtons->addWidget(new_);
    entryButtons->addWidget(save_);
    entryButtons->addWidget(delete_);
    entryButtons->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(symbolLabel_);
    right->addWidget(symbol_);
    for (QCheckBox* option : options_)
        right->addWidget(option);
    right->addWidget(dotGroup_);
    right->addLayout(entryButtons);
    right->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addLayout(right, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok_);
    bottom->addWidget(cancel_);
    bottom->addWidget(helpButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
}

void TSymbolListForm::Connect() {
    using Option = SymbolListEditorModel::Option;

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (refreshing_)
            return;
        model_.SelectRow(row);
        Refresh();
    });
    // The field is shown and read as UTF-8, so that a character the program cannot keep
    // stays in the field until the model refuses it.
    bind_.Show([this] {
        const QString text = ToQString(model_.SymbolFieldText());
        if (symbol_->text() != text) {
            const QSignalBlocker block(symbol_);
            symbol_->setText(text);
        }
    });
    connect(symbol_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.SymbolEdited(FromQString(text));
        bind_.Changed({});
    });
    for (std::size_t i = 0; i < options_.size(); ++i) {
        const auto option = static_cast<Option>(i);
        bind_.Check(options_[i], {[this, option] { return model_.OptionValue(option); },
                                  [this, option](const bool& checked) {
                                      model_.OptionChanged(option, checked);
                                  }});
    }
    for (std::size_t i = 0; i < dots_.size(); ++i) {
        connect(dots_[i], &QRadioButton::clicked, this, [this, i] {
            model_.DotChanged(static_cast<AbbreviationDot>(i));
            Refresh();
        });
    }
    connect(new_, &QPushButton::clicked, this, [this] {
        model_.New();
        Refresh();
        symbol_->setFocus();
    });
    connect(save_, &QPushButton::clicked, this, [this] {
        const bool saved = model_.Save();
        Refresh();
        if (!saved)
            symbol_->setFocus();
    });
    connect(delete_, &QPushButton::clicked, this, [this] {
        model_.Delete();
        Refresh();
    });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton_, &QPushButton::clicked, this, [this] { help_.ShowTopic(kHelpTopic); });
}

bool TSymbolListForm::EditSymbolList(SymbolList& list, const std::u32string& caption,
                                     bool nonCurrencySymbols) {
    setWindowTitle(ToQString(caption));
    // The list holds what the window is captioned for.
    list_->setAccessibleName(ToQString(caption));
    const std::string_view labelKey =
        nonCurrencySymbols ? TrKey("Symbol") : TrKey("Waehrungssymbol");
    SetTranslationKey(symbolLabel_, labelKey);
    symbolLabel_->setText(ToQString(translator_.TranslateKey(labelKey)));
    model_.Open(list);
    Refresh();
    adjustSize();
    // Over the window it was opened from.
    if (const QWidget* opener = QApplication::activeWindow(); opener != nullptr && opener != this)
        move(opener->frameGeometry().center() - rect().center());
    const bool accepted = exec() == QDialog::Accepted;
    if (accepted)
        list = model_.Result();
    model_.Close();
    Refresh();
    return accepted;
}

QPushButton* TSymbolListForm::ButtonOf(Button button) const {
    switch (button) {
        case Button::New:
            return new_;
        case Button::Save:
            return save_;
        case Button::Delete:
            return delete_;
        case Button::Ok:
            return ok_;
        case Button::Cancel:
            return cancel_;
        case Button::Help:
            return helpButton_;
    }
    return nullptr;
}

QCheckBox* TSymbolListForm::OptionBox(SymbolListEditorModel::Option option) const {
    return options_[OptionSlot(option)];
}

QRadioButton* TSymbolListForm::DotButton(AbbreviationDot dot) const {
    return dots_[static_cast<std::size_t>(dot)];
}

void TSymbolListForm::FillList() {
    const SymbolList& rows = model_.Rows();
    bool same = list_->count() == static_cast<int>(rows.size());
    for (int i = 0; same && i < list_->count(); ++i)
        same = list_->item(i)->text() == ToQString(rows[static_cast<std::size_t>(i)].Symbol);
    if (same)
        return;
    list_->clear();
    for (const TCurrencySymbol& entry : rows)
        list_->addItem(ToQString(entry.Symbol));
}

void TSymbolListForm::Refresh() {
    using Option = SymbolListEditorModel::Option;
    refreshing_ = true;
    FillList();
    {
        const QSignalBlocker blocker(list_);
        list_->setCurrentRow(model_.SelectedRow());
        if (model_.SelectedRow() < 0)
            list_->clearSelection();
    }
    bind_.ShowAll();
    options_[OptionSlot(Option::AsDecimalSeparator)]->setEnabled(
        model_.AsDecimalSeparatorEnabled());
    options_[OptionSlot(Option::SpaceOptional)]->setEnabled(model_.SpaceOptionalEnabled());
    DotButton(model_.Fields().AbbreviationDot)->setChecked(true);
    save_->setEnabled(model_.SaveEnabled());
    const bool saveIsDefault = model_.Default() == SymbolListEditorModel::DefaultButton::Save;
    save_->setDefault(saveIsDefault);
    ok_->setDefault(!saveIsDefault);
    refreshing_ = false;
}

}  // namespace kassavero
