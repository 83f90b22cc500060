// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_windows/qt_settings_dialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "i18n/translate_widgets.h"
#include "platform/qt_text.h"
#include "platform/qt_window_front.h"
#include "settings_windows/qt_settings_controls.h"

namespace kassavero {

using namespace settings_controls;

namespace {

// A page scrolls only where the screen is too small for it; it asks for its whole
// content, where a plain scroll area would ask for a fixed part of the font's size.
class PageScrollArea final : public QScrollArea {
  public:
    QSize sizeHint() const override {
        if (widget() == nullptr)
            return QScrollArea::sizeHint();
        return widget()->sizeHint() + QSize(2 * frameWidth(), 2 * frameWidth());
    }
};

// Screen readers on Linux take a drop-down's name from a label that points at it: its
// accessible name is read as its current entry. A list without a caption of its own gets
// a hidden label with its name.
void LabelDropDown(QComboBox* combo) {
    QWidget* parent = combo->parentWidget();
    if (parent == nullptr)
        return;
    const QString name = combo->objectName() + QStringLiteral("SpokenLabel");
    auto* label = parent->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
    if (label == nullptr) {
        label = new QLabel(parent);
        label->setObjectName(name);
        label->setTextFormat(Qt::PlainText);
        label->hide();
        label->setBuddy(combo);
    }
    label->setText(combo->accessibleName());
}

}  // namespace

TEinstellungen2Form::TEinstellungen2Form(ActiveProfile& profile, ProfileManager& profiles,
                                         Registry& store, const SystemInfo& system,
                                         Translator& translator, MessageBoxes& messageBoxes,
                                         Help& help, SymbolListEditor* editor,
                                         InterfaceLanguages* languages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      model_(*this, profile, profiles, store, system, translator, messageBoxes, help, editor,
             languages),
      translator_(translator),
      system_(system),
      bind_(this, refreshing_, [this] { Refresh(); }) {
    setModal(false);
    setObjectName(QStringLiteral("SettingsForm"));
    SetTranslationKey(this, TrKey("SettingsForm"));
    setWindowTitle(QStringLiteral("Kassavero Einstellungen"));

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl"));
    Page(BuildAllgemein(), 0);
    Page(BuildWaehrungen(), 1);
    Page(BuildRechner(), 2);
    Page(BuildSuchenSymbole(), 3);
    Page(BuildSuchenZahlen(), 4);
    Page(BuildAnwendungen(), 5);
    Page(BuildZwischenablage(), 6);
    Page(BuildProfile(), 7);

    auto* ok = Named(new QPushButton(QStringLiteral("&OK")), "OkButton", TrKey("OkButton"));
    auto* apply = Named(new QPushButton(QStringLiteral("&Übernehmen")), "UebernehmenButton",
                        TrKey("ÜbernehmenButton"));
    auto* cancel = Named(new QPushButton(QStringLiteral("Abb&rechen")), "AbbrechenButton",
                         TrKey("AbbrechenButton_SC_R"));
    auto* helpButton =
        Named(new QPushButton(QStringLiteral("&Hilfe")), "HilfeButton", TrKey("HilfeButton"));
    ok->setDefault(true);
    for (QPushButton* button : {apply, cancel, helpButton})
        button->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] { model_.Ok(); });
    connect(apply, &QPushButton::clicked, this, [this] { model_.Apply(); });
    connect(cancel, &QPushButton::clicked, this, [this] { model_.Cancel(); });
    connect(helpButton, &QPushButton::clicked, this, [this] { model_.ShowHelp(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {ok, apply, cancel, helpButton})
        buttons->addWidget(button);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);

    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        if (previousPage_ == static_cast<int>(SettingsTab::Waehrungen) && !refreshing_)
            model_.OutputPageLeft();
        previousPage_ = index;
    });
    // Leaving the custom currencies' group puts them in order.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (old != nullptr && customGroup_->isAncestorOf(old) &&
            (now == nullptr || !customGroup_->isAncestorOf(now))) {
            model_.CustomCurrencyGroupLeft();
        }
    });

    TranslateControls(this, translator);
    for (const auto& [field, caption] : spokenAs_) {
        NameByCaption(field, caption);
        if (auto* combo = qobject_cast<QComboBox*>(field))
            LabelDropDown(combo);
    }
    NameDropDownLists(this);
    symbolsFor_ = ToQString(translator.TranslateKey("WaehrungssymboleFuer"));
    // The column and list captions that come from the settings, not from a key.
    model_.Create();
    created_ = true;
    Refresh();
    FitToScreen();
}

TEinstellungen2Form::~TEinstellungen2Form() = default;

QWidget* TEinstellungen2Form::Page(QWidget* content, int tab) {
    const SettingsTabInfo& info = SettingsTabs()[static_cast<std::size_t>(tab)];
    auto* scroll = new PageScrollArea;
    scroll->setObjectName(ToQString(info.Name));
    SetTranslationKey(scroll, info.Key);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    content->setObjectName(ToQString(std::u32string(info.Name) + U"Content"));
    scroll->setWidget(content);
    pages_->addTab(scroll, ToQString(info.Caption));
    return scroll;
}

void TEinstellungen2Form::FitToScreen() {
    // Every page's tab visible without scrolling the tab bar.
    pages_->setMinimumWidth(pages_->tabBar()->sizeHint().width() + fontMetrics().height());
    // As large as the largest page and the tab bar want, never larger than the screen.
    QSize size = sizeHint();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.92);
    resize(size);
}

void TEinstellungen2Form::SpeakAs(QWidget* field, QWidget* caption) {
    spokenAs_.emplace_back(field, caption);
}

// ---- Bindings ----

void TEinstellungen2Form::BindCurrencyList(QComboBox* combo,
                                           const std::function<int()>& selection) {
    currencyLists_.push_back(combo);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    bind_.Selection(combo, selection);
}

void TEinstellungen2Form::ShowCurrencyLists() {
    const std::vector<std::u32string>& codes = model_.CurrencyListCodes();
    for (QComboBox* combo : currencyLists_) {
        bool same = combo->count() == static_cast<int>(codes.size());
        for (int i = 0; same && i < combo->count(); ++i)
            same = combo->itemText(i) == ToQString(codes[static_cast<std::size_t>(i)]);
        if (same)
            continue;
        const QSignalBlocker block(combo);
        combo->clear();
        const ProfileSettings& settings = model_.Profile().Settings();
        for (std::size_t i = 0; i < codes.size(); ++i) {
            const auto currency = static_cast<CurrencyIndex>(i);
            combo->addItem(QIcon(FlagPicture(FlagCountry(settings, currency), combo)),
                           ToQString(codes[i]));
        }
    }
}

void TEinstellungen2Form::ShowProfiles() {
    const ActiveProfile& profile = model_.Profile();
    const auto& names = profile.ProfileNames();
    bool same = profileList_->count() == static_cast<int>(names.size());
    for (int i = 0; same && i < profileList_->count(); ++i)
        same = profileList_->item(i)->text() == ToQString(names[static_cast<std::size_t>(i)]);
    const QSignalBlocker block(profileList_);
    if (!same) {
        profileList_->clear();
        for (const std::u32string& name : names)
            profileList_->addItem(ToQString(name));
    }
    for (int i = 0; i < profileList_->count(); ++i) {
        QFont font = profileList_->font();
        font.setBold(i == profile.ActiveProfileIndex());
        profileList_->item(i)->setFont(font);
    }
    profileList_->setCurrentRow(model_.SelectedProfile());
    activeName_->setText(ToQString(profile.Name()));
}

void TEinstellungen2Form::Refresh() {
    if (!created_ && pages_ == nullptr)
        return;
    refreshing_ = true;
    ShowCurrencyLists();
    bind_.ShowAll();
    for (const auto& [name, enabled] : model_.EnabledStates()) {
        if (QWidget* widget = findChild<QWidget*>(ToQString(name)))
            widget->setEnabled(enabled);
    }
    // The check boxes of the custom currencies carry their codes.
    for (CurrencyIndex c = kCUS1; c <= kCUS3; ++c) {
        const QString caption = ToQString(model_.CheckBoxCaption(c));
        for (const char* suffix : {"DisplayCheckBox", "CheckBox"}) {
            if (auto* box = findChild<QAbstractButton*>(ControlName(c, suffix)))
                box->setText(caption);
        }
    }
    ShowProfiles();
    NameSymbolRows();
    ShowLaterCurrencies();
    refreshing_ = false;
}

void TEinstellungen2Form::ShowLaterCurrencies() {
    for (std::size_t row = 0; row < laterLists_.size(); ++row) {
        const QSignalBlocker quiet(laterLists_[row]);
        laterLists_[row]->setCurrentIndex(model_.HeldLaterCurrency(static_cast<int>(row)) + 1);
    }
}

void TEinstellungen2Form::NameSymbolRows() {
    // The symbol fields and their buttons are named as the editor they open is captioned.
    for (const SymbolRow& row : symbolRows_) {
        const QString name = symbolsFor_ + row.Box->text();
        if (row.Field->accessibleName() != name) {
            row.Field->setAccessibleName(name);
            row.Button->setAccessibleName(name);
        }
    }
    for (const NumberedField& numbered : numberedFields_) {
        const QString name = SpokenCaption(numbered.Header->text()) + QLatin1Char(' ') +
                             QString::number(numbered.Row);
        if (numbered.Field->accessibleName() != name) {
            numbered.Field->setAccessibleName(name);
            if (auto* combo = qobject_cast<QComboBox*>(numbered.Field)) {
                combo->view()->setAccessibleName(name);
                LabelDropDown(combo);
            }
        }
    }
}

void TEinstellungen2Form::TakeDecimalKeys(QLineEdit* edit) {
    decimalFields_.push_back(edit);
    edit->installEventFilter(this);
}

bool TEinstellungen2Form::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (edit != nullptr &&
            std::find(decimalFields_.begin(), decimalFields_.end(), edit) != decimalFields_.end() &&
            (key->text() == QStringLiteral(",") || key->text() == QStringLiteral("."))) {
            const char32_t typed = key->text() == QStringLiteral(",") ? U',' : U'.';
            const char32_t separator = DecimalKeyTyped(typed, system_.DecimalSeparator());
            edit->insert(ToQString(std::u32string(1, separator)));
            emit edit->textEdited(edit->text());
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        // The second lines of the two clipboard options select their option.
        if (watched == clickLabels_[0] && clickLabels_[0]->isEnabled())
            Control<QRadioButton>("ClipboardAlsGanzesRadioButton")->click();
        else if (watched == clickLabels_[1] && clickLabels_[1]->isEnabled())
            Control<QRadioButton>("ClipboardEnthaeltRadioButton")->click();
    }
    return QDialog::eventFilter(watched, event);
}

// ---- Window ----

void TEinstellungen2Form::ShowSettings(SettingsPage page) {
    model_.Show(page);
}

void TEinstellungen2Form::ShowWindow(bool centre) {
    if (!isVisible()) {
        QPoint place = WindowPlace(this);
        if (centre) {
            if (const QScreen* screen = QGuiApplication::primaryScreen()) {
                QRect frame = frameGeometry();
                frame.moveCenter(screen->availableGeometry().center());
                place = frame.topLeft();
            }
        }
        PlaceWindow(this, place);
        show();
    }
    BringWindowToFront(this);
}

void TEinstellungen2Form::HideWindow() {
    hide();
}

bool TEinstellungen2Form::IsWindowVisible() const {
    return isVisible();
}

void TEinstellungen2Form::ShowPage(SettingsTab page) {
    pages_->setCurrentIndex(static_cast<int>(page));
}

SettingsTab TEinstellungen2Form::CurrentPage() const {
    return static_cast<SettingsTab>(std::max(0, pages_->currentIndex()));
}

void TEinstellungen2Form::FocusCustomRate(int row) {
    QLineEdit* rate = customRates_[static_cast<std::size_t>(row)];
    rate->setFocus(Qt::OtherFocusReason);
    rate->selectAll();
}

int TEinstellungen2Form::Left() const {
    return WindowPlace(this).x();
}
int TEinstellungen2Form::Top() const {
    return WindowPlace(this).y();
}
void TEinstellungen2Form::SetLeft(int left) {
    move(left, Top());
}
void TEinstellungen2Form::SetTop(int top) {
    move(Left(), top);
}

void TEinstellungen2Form::reject() {
    // Esc and the Cancel button.
    model_.Cancel();
}

void TEinstellungen2Form::closeEvent(QCloseEvent* event) {
    event->ignore();
    model_.CloseQuery();
}

}  // namespace kassavero
