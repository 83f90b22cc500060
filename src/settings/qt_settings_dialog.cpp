#include "settings/qt_settings_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "i18n/translate_widgets.h"
#include "platform/flag_painter.h"
#include "platform/qt_text.h"
#include "platform/qt_window_front.h"
#include "settings/qt_hotkey_edit.h"

namespace kassavero {
namespace {

template <typename T>
T* Named(T* widget, const char* name, std::string_view key = {}) {
    widget->setObjectName(QString::fromLatin1(name));
    if (!key.empty())
        SetTranslationKey(widget, key);
    return widget;
}

QLabel* Label(const char* text, std::string_view key, QWidget* buddy = nullptr,
              const char* name = nullptr) {
    auto* label = new QLabel(QString::fromUtf8(text));
    SetTranslationKey(label, key);
    if (name != nullptr)
        label->setObjectName(QString::fromLatin1(name));
    if (buddy != nullptr)
        label->setBuddy(buddy);
    return label;
}

// A field that only shows a value has the window's colour behind its text, so it does not
// look editable.
void LooksReadOnly(QWidget* field) {
    QPalette colours = field->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    field->setPalette(colours);
}

QLineEdit* ReadOnly(QLineEdit* edit) {
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    LooksReadOnly(edit);
    return edit;
}

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

// Room for n average characters, so short fields do not stretch across the page.
void CharsWide(QWidget* widget, int chars) {
    widget->setMaximumWidth(widget->fontMetrics().averageCharWidth() * chars + 16);
}

struct HighlightColour {
    std::string_view Key;
    int Red, Green, Blue;
};
constexpr std::array<HighlightColour, 16> kColours{{
    {TrKey("FarbeSchwarzCBEntry"), 0, 0, 0},
    {TrKey("FarbeBlauCBEntry"), 0, 0, 255},
    {TrKey("FarbeTuerkisCBEntry"), 0, 255, 255},
    {TrKey("FarbeHellgruenCBEntry"), 0, 255, 0},
    {TrKey("FarbeRosaCBEntry"), 255, 0, 255},
    {TrKey("FarbeRotCBEntry"), 255, 0, 0},
    {TrKey("FarbeGelbCBEntry"), 255, 255, 0},
    {TrKey("FarbeWeissCBEntry"), 255, 255, 255},
    {TrKey("FarbeDunkelblauCBEntry"), 0, 0, 128},
    {TrKey("FarbeBlaugruenCBEntry"), 0, 128, 128},
    {TrKey("FarbeDunkelgruenCBEntry"), 0, 128, 0},
    {TrKey("FarbeViolettCBEntry"), 128, 0, 128},
    {TrKey("FarbeDunkelrotCBEntry"), 128, 0, 0},
    {TrKey("FarbeOckerCBEntry"), 128, 128, 0},
    {TrKey("FarbeGrau50CBEntry"), 128, 128, 128},
    {TrKey("FarbeGrau25CBEntry"), 192, 192, 192},
}};

void PaintSwatch(QPainter& painter, const QRect& area, const QColor& colour, bool enabled) {
    const QRect swatch = area.adjusted(3, 3, -3, -3);
    painter.save();
    painter.setPen(enabled ? QColor(0, 0, 0) : QColor(128, 128, 128));
    painter.setBrush(enabled ? colour : colour.lighter(150));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    painter.restore();
}

// The entries are drawn as colour rectangles; their names stay the entries' texts (for
// screen readers and for typing a name's first letter).
class ColourDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        plain.text.clear();
        plain.icon = QIcon();
        QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter);
        PaintSwatch(*painter, option.rect, index.data(Qt::UserRole).value<QColor>(), true);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), option.fontMetrics.height() + 8));
        return size;
    }
};

class ColourComboBox final : public QComboBox {
  public:
    explicit ColourComboBox(QWidget* parent = nullptr) : QComboBox(parent) {
        setItemDelegate(new ColourDelegate(this));
        setMinimumWidth(fontMetrics().averageCharWidth() * 12);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        option.currentText.clear();
        option.currentIcon = QIcon();
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        if (currentIndex() < 0)
            return;
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        PaintSwatch(painter, field, currentData(Qt::UserRole).value<QColor>(), isEnabled());
    }
};

QIcon FlagIcon(CurrencyIndex currency, const QWidget* widget) {
    const int height = widget->fontMetrics().height();
    const QSize size(height * 3 / 2, height);
    return QIcon(CurrencyFlagPixmap(currency, size, widget->devicePixelRatioF()));
}

constexpr std::array<const char*, kCurrencyCount> kCodes{"EUR", "ATS",  "BEF",  "DEM", "ESP",
                                                         "FIM", "FRF",  "IEP",  "ITL", "NLG",
                                                         "PTE", "CUS1", "CUS2", "CUS3"};

QString ControlName(CurrencyIndex c, const char* suffix) {
    return QString::fromLatin1(kCodes[c]) + QString::fromLatin1(suffix);
}

}  // namespace

TEinstellungen2Form::TEinstellungen2Form(ActiveProfile& profile, ProfileManager& profiles,
                                         Registry& store, const SystemInfo& system,
                                         Translator& translator, MessageBoxes& messageBoxes,
                                         Help& help, SymbolListEditor* editor, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      model_(*this, profile, profiles, store, system, translator, messageBoxes, help, editor),
      translator_(translator),
      system_(system) {
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
    for (const auto& [field, caption] : spokenAs_)
        NameByCaption(field, caption);
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
    content->setObjectName(ToQString(std::string(info.Name) + "Content"));
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

void TEinstellungen2Form::Changed(const Action& after) {
    if (refreshing_)
        return;
    if (after)
        after();
    Refresh();
}

void TEinstellungen2Form::BindCheck(QAbstractButton* box, BoolField field, Action after) {
    shows_.push_back([box, field] {
        if (box->isChecked() != field()) {
            const QSignalBlocker block(box);
            box->setChecked(field());
        }
    });
    connect(box, &QAbstractButton::toggled, this, [this, field, after](bool checked) {
        if (refreshing_)
            return;
        field() = checked;
        Changed(after);
    });
}

void TEinstellungen2Form::BindRadios(std::vector<RadioOption> options, Action after) {
    auto* group = new QButtonGroup(this);
    for (const RadioOption& option : options) {
        group->addButton(option.Button);
        connect(option.Button, &QAbstractButton::toggled, this,
                [this, select = option.Select, after](bool checked) {
                    if (!checked || refreshing_)
                        return;
                    select();
                    Changed(after);
                });
    }
    shows_.push_back([group, options] {
        // None of the options may be selected (a strategy the view does not know).
        group->setExclusive(false);
        for (const RadioOption& option : options) {
            const QSignalBlocker block(option.Button);
            option.Button->setChecked(option.Selected());
        }
        group->setExclusive(true);
    });
}

void TEinstellungen2Form::BindText(QLineEdit* edit, TextField field, Action after) {
    shows_.push_back([edit, field] {
        const QString text = ToQString(field());
        if (edit->text() != text) {
            const QSignalBlocker block(edit);
            edit->setText(text);
        }
    });
    connect(edit, &QLineEdit::textEdited, this, [this, field, after](const QString& text) {
        field() = FromQString(text);
        Changed(after);
    });
}

void TEinstellungen2Form::BindSpin(QSpinBox* spin, IntField field) {
    shows_.push_back([spin, field] {
        if (spin->value() != field()) {
            const QSignalBlocker block(spin);
            spin->setValue(field());
        }
    });
    connect(spin, &QSpinBox::valueChanged, this, [this, field](int value) {
        if (refreshing_)
            return;
        field() = value;
        Changed({});
    });
}

void TEinstellungen2Form::BindCombo(QComboBox* combo, IntField field) {
    shows_.push_back([combo, field] {
        const int index = field() >= 0 && field() < combo->count() ? field() : -1;
        if (combo->currentIndex() != index) {
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(index);
        }
    });
    connect(combo, &QComboBox::activated, this, [this, field](int index) {
        field() = index;
        Changed({});
    });
}

void TEinstellungen2Form::BindHotkey(HotkeyEdit* edit, IntField field) {
    shows_.push_back([edit, field] { edit->SetHotkey(field()); });
    connect(edit, &HotkeyEdit::HotkeyChanged, this, [this, field](int code) {
        field() = code;
        Changed({});
    });
}

void TEinstellungen2Form::BindCurrencyList(QComboBox* combo, std::function<int()> selection) {
    currencyLists_.push_back(combo);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    shows_.push_back([combo, selection] {
        const int index = selection() >= 0 && selection() < combo->count() ? selection() : -1;
        if (combo->currentIndex() != index) {
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(index);
        }
    });
}

void TEinstellungen2Form::ShowCurrencyLists() {
    const std::vector<std::string>& codes = model_.CurrencyListCodes();
    for (QComboBox* combo : currencyLists_) {
        bool same = combo->count() == static_cast<int>(codes.size());
        for (int i = 0; same && i < combo->count(); ++i)
            same = combo->itemText(i) == ToQString(codes[static_cast<std::size_t>(i)]);
        if (same)
            continue;
        const QSignalBlocker block(combo);
        combo->clear();
        for (std::size_t i = 0; i < codes.size(); ++i)
            combo->addItem(FlagIcon(static_cast<CurrencyIndex>(i), combo), ToQString(codes[i]));
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
        for (const std::string& name : names)
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
    for (const Action& show : shows_)
        show();
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
    refreshing_ = false;
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
        if (numbered.Field->accessibleName() != name)
            numbered.Field->setAccessibleName(name);
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
            const char typed = key->text() == QStringLiteral(",") ? ',' : '.';
            const char separator = DecimalKeyTyped(typed, system_.DecimalSeparator());
            edit->insert(ToQString(std::string(1, separator)));
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

// ---- Pages ----

QWidget* TEinstellungen2Form::BuildAllgemein() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* defaults = Named(new QGroupBox(QStringLiteral("Standardwährungen")),
                           "StandardwaehrungenGroupBox", TrKey("StandardwaehrungenGroupBox"));
    auto* source = Named(new QComboBox, "WaehrungComboBox");
    auto* target = Named(new QComboBox, "StandardZielwaehrungComboBox");
    auto* grid = new QGridLayout(defaults);
    grid->addWidget(Label("Standard-&Quellwährung:", TrKey("StandardQuellwaehrungLabel"), source),
                    0, 0);
    grid->addWidget(source, 0, 1);
    grid->addWidget(Label("Standard-&Zielwährung:", TrKey("StandardZielwaehrungLabel"), target), 1,
                    0);
    grid->addWidget(target, 1, 1);
    grid->setColumnStretch(2, 1);
    BindCurrencyList(source, [this] { return S().InputDefaultCurrency; });
    BindCurrencyList(target, [this] { return S().OutputDefaultCurrency; });
    connect(source, &QComboBox::activated, this,
            [this](int index) { model_.DefaultSourceChosen(index); });
    connect(target, &QComboBox::activated, this, [this](int index) {
        S().OutputDefaultCurrency = index;
        Refresh();
    });

    auto* output = Named(new QGroupBox(QStringLiteral("Umgerechnete Beträge im Text")),
                         "AusgabeGroupBox", TrKey("UmgerechneteBetraegeGroupBox"));
    auto* replace = Named(new QRadioButton(QStringLiteral("alten Betrag &ersetzen")),
                          "ersetzenRadioButton", TrKey("ErsetzenRadioButton"));
    auto* add = Named(new QRadioButton(QStringLiteral("neuen Betrag hinzu&fügen")),
                      "hinzufuegenRadioButton", TrKey("HinzufuegenRadioButton"));
    auto* panel = Named(new QWidget, "hinzufuegenPanel");
    auto* oldSymbol =
        Named(new QCheckBox(QStringLiteral("altes &Währungssymbol einfügen, wenn es fehlt")),
              "altesSymbolEinfuegenCheckBox", TrKey("AltesSymbolEinfuegenCheckBox"));
    auto* oldInBrackets = Named(new QRadioButton(QStringLiteral("NEU (AL&T)")),
                                "AltInKlammernRadioButton", TrKey("AltInKlammernRadioButton"));
    auto* newInBrackets = Named(new QRadioButton(QStringLiteral("ALT (NE&U)")),
                                "NeuInKlammernRadioButton", TrKey("NeuInKlammernRadioButton"));
    auto* alternative = Named(new QCheckBox(QStringLiteral("statt Klammern &verwenden:")),
                              "stattKlammernCheckBox", TrKey("StattKlammernCheckBox"));
    auto* left = Named(new QLineEdit, "KlammerAufEdit");
    auto* right = Named(new QLineEdit, "KlammerZuEdit");
    CharsWide(left, 6);
    CharsWide(right, 6);
    left->setAccessibleName(ToQString(translator_.TranslateKey("LinkeKlammer")));
    right->setAccessibleName(ToQString(translator_.TranslateKey("RechteKlammer")));
    auto* panelLayout = new QGridLayout(panel);
    panelLayout->setContentsMargins(24, 0, 0, 0);
    panelLayout->addWidget(oldSymbol, 0, 0, 1, 4);
    panelLayout->addWidget(oldInBrackets, 1, 0);
    panelLayout->addWidget(newInBrackets, 1, 1, 1, 3);
    panelLayout->addWidget(alternative, 2, 0);
    panelLayout->addWidget(left, 2, 1);
    panelLayout->addWidget(right, 2, 2);
    panelLayout->setColumnStretch(3, 1);
    auto* outputLayout = new QVBoxLayout(output);
    outputLayout->addWidget(replace);
    outputLayout->addWidget(add);
    outputLayout->addWidget(panel);
    BindRadios(
        {{replace, [this] { return S().OutputReplace; }, [this] { S().OutputReplace = true; }},
         {add, [this] { return !S().OutputReplace; }, [this] { S().OutputReplace = false; }}});
    BindCheck(oldSymbol, [this]() -> bool& { return S().OutputInsertOldCurrencySymbol; });
    BindRadios({{oldInBrackets, [this] { return !S().OutputNewAmountInBrackets; },
                 [this] { S().OutputNewAmountInBrackets = false; }},
                {newInBrackets, [this] { return S().OutputNewAmountInBrackets; },
                 [this] { S().OutputNewAmountInBrackets = true; }}});
    BindCheck(alternative, [this]() -> bool& { return S().OutputUseAlternativeBrackets; });
    BindText(left, [this]() -> std::string& { return S().OutputLeftBracket; });
    BindText(right, [this]() -> std::string& { return S().OutputRightBracket; });

    customGroup_ = Named(new QGroupBox(QStringLiteral("Nicht-Euro-Währungen")), "NichtEuroGroupBox",
                         TrKey("NichtEuroWaehrungenGroupBox"));
    auto* custom = new QGridLayout(customGroup_);
    const std::array<QLabel*, 3> headers{Label("Kürzel", TrKey("KuerzelLabel")),
                                         Label("Kurs/Euro", TrKey("KursProEuroLabel")),
                                         Label("Bezeichnung", TrKey("BezeichnungLabel"))};
    for (std::size_t column = 0; column < headers.size(); ++column)
        custom->addWidget(headers[column], 0, static_cast<int>(column) + 1);
    static constexpr std::array<std::array<const char*, 3>, 3> kNames{{
        {"Cus1ISOSymbolEdit", "Cus1KursEdit", "Cus1NameEdit"},
        {"Cus2ISOSymbolEdit", "Cus2KursEdit", "CUS2NameEdit"},
        {"Cus3ISOSymbolEdit", "Cus3KursEdit", "CUS3NameEdit"},
    }};
    static constexpr std::array<std::string_view, 3> kRowKeys{TrKey("EigeneWaehrung1Label"),
                                                              TrKey("EigeneWaehrung2Label"),
                                                              TrKey("EigeneWaehrung3Label")};
    static constexpr std::array<const char*, 3> kRowCaptions{"&1.", "&2.", "&3."};
    for (std::size_t row = 0; row < 3; ++row) {
        auto* code = Named(new QLineEdit, kNames[row][0]);
        auto* rate = Named(new QLineEdit, kNames[row][1]);
        auto* name = Named(new QLineEdit, kNames[row][2]);
        code->setMaxLength(10);
        CharsWide(code, 8);
        CharsWide(rate, 16);
        const int gridRow = static_cast<int>(row) + 1;
        custom->addWidget(Label(kRowCaptions[row], kRowKeys[row], code), gridRow, 0);
        custom->addWidget(code, gridRow, 1);
        custom->addWidget(rate, gridRow, 2);
        custom->addWidget(name, gridRow, 3);
        // Named by column and row: "Kurs/Euro 2".
        const std::array<QLineEdit*, 3> fields{code, rate, name};
        for (std::size_t column = 0; column < fields.size(); ++column) {
            numberedFields_.push_back({fields[column], headers[column], static_cast<int>(row) + 1});
        }
        BindText(code, [this, row]() -> std::string& { return S().CustomCurrencySymbol[row]; });
        BindText(rate, [this, row]() -> std::string& { return S().CustomCurrencyRate[row]; });
        BindText(name, [this, row]() -> std::string& { return S().CustomCurrencyName[row]; });
        TakeDecimalKeys(rate);
        customRates_.push_back(rate);
    }
    custom->setColumnStretch(3, 1);

    layout->addWidget(defaults);
    layout->addWidget(output);
    layout->addWidget(customGroup_);
    layout->addStretch(1);
    return page;
}

QWidget* TEinstellungen2Form::BuildWaehrungen() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* chooser = Named(new QComboBox, "ZielWaehrungWahlComboBox");
    auto* rate = ReadOnly(Named(new QLineEdit, "KursEdit"));
    CharsWide(rate, 14);
    auto* top = new QHBoxLayout;
    top->addWidget(Label("&Währung:", TrKey("AusgabeWaehrungLabel"), chooser));
    top->addWidget(chooser);
    top->addSpacing(16);
    top->addWidget(Label("Kurs: 1 EUR =", TrKey("AusgabeKursLabel"), rate));
    top->addWidget(rate);
    auto* code1 = Named(new QLabel(QStringLiteral("NWE")), "NWELabel1");
    top->addWidget(code1);
    top->addStretch(1);
    BindCurrencyList(chooser, [this] { return model_.ChooserPosition(); });
    connect(chooser, &QComboBox::activated, this,
            [this](int index) { model_.ChooseOutputCurrency(index); });
    shows_.push_back([this, rate, code1] {
        rate->setText(ToQString(V().RateText));
        code1->setText(ToQString(V().CodeText));
    });

    auto* symbolGroup = Named(new QGroupBox(QStringLiteral("Währungssymbol")), "SymbolGroupBox",
                              TrKey("AusgabeSymbolGroupBox"));
    auto* useSymbol =
        Named(new QCheckBox(QStringLiteral("Währungs&symbol:")), "AusgabeWaehrungssymbolCheckBox",
              TrKey("AusgabeWaehrungssymbolCheckBox"));
    auto* symbol = Named(new QLineEdit, "ZielWaehrungszeichenEdit");
    CharsWide(symbol, 10);
    SpeakAs(symbol, useSymbol);
    auto* before = Named(new QRadioButton(QStringLiteral("Symbol &vor dem Betrag")),
                         "SymbolVorherRadioButton", TrKey("SymbolVorherRadioButton"));
    auto* after = Named(new QRadioButton(QStringLiteral("Symbol &nach dem Betrag")),
                        "SymbolNachherRadioButton", TrKey("SymbolNachherRadioButton"));
    auto* space = Named(new QCheckBox(QStringLiteral("&Leerzeichen zwischen Betrag und Symbol")),
                        "AusgabeLeerzeichenCheckBox", TrKey("AusgabeLeerzeichenCheckBox"));
    auto* symbolLayout = new QGridLayout(symbolGroup);
    symbolLayout->addWidget(useSymbol, 0, 0);
    symbolLayout->addWidget(symbol, 0, 1);
    symbolLayout->addWidget(before, 1, 0);
    symbolLayout->addWidget(after, 1, 1, 1, 2);
    symbolLayout->addWidget(space, 2, 0, 1, 3);
    symbolLayout->setColumnStretch(2, 1);
    BindCheck(useSymbol, [this]() -> bool& { return V().UseSymbol; });
    BindText(symbol, [this]() -> std::string& { return V().Symbol; });
    BindRadios(
        {{before, [this] { return V().SymbolBefore; }, [this] { V().SymbolBefore = true; }},
         {after, [this] { return !V().SymbolBefore; }, [this] { V().SymbolBefore = false; }}});
    BindCheck(space, [this]() -> bool& { return V().SeparatingSpace; });

    auto* numberGroup = Named(new QGroupBox(QStringLiteral("Zahlenformat")), "ZahlenformatGroupBox",
                              TrKey("AusgabeZahlenformatGroupBox"));
    auto* decimals = Named(new QSpinBox, "AusgabeNachkommastellenEdit");
    decimals->setRange(-6, 15);
    auto* decimalSymbol = Named(new QLineEdit, "AusgabeDezimalSymbolEdit");
    auto* useThousands =
        Named(new QCheckBox(QStringLiteral("&Tausendertrennzeichen:")),
              "AusgabeTausenderSymbolCheckBox", TrKey("AusgabeTausenderSymbolCheckBox"));
    auto* thousandSymbol = Named(new QLineEdit, "AusgabeTausenderSymbolEdit");
    CharsWide(decimalSymbol, 4);
    CharsWide(thousandSymbol, 4);
    SpeakAs(thousandSymbol, useThousands);
    auto* minusFirst =
        Named(new QRadioButton(QStringLiteral("&führend")), "AusgabeMinusVorherRadioButton",
              TrKey("AusgabeMinusVorherRadioButton"));
    auto* minusLast =
        Named(new QRadioButton(QStringLiteral("fol&gend")), "AusgabeMinusNachherRadioButton",
              TrKey("AusgabeMinusNachherRadioButton"));
    auto* minusPanel = new QWidget;
    auto* minusLayout = new QHBoxLayout(minusPanel);
    minusLayout->setContentsMargins(0, 0, 0, 0);
    minusLayout->addWidget(minusFirst);
    minusLayout->addWidget(minusLast);
    minusLayout->addStretch(1);
    auto* numberLayout = new QGridLayout(numberGroup);
    numberLayout->addWidget(
        Label("Nach&kommastellen:", TrKey("AusgabeNachkommastellenLabel"), decimals), 0, 0);
    numberLayout->addWidget(decimals, 0, 1);
    numberLayout->addWidget(
        Label("&Dezimalzeichen:", TrKey("AusgabeDezimalSymbolLabel"), decimalSymbol), 1, 0);
    numberLayout->addWidget(decimalSymbol, 1, 1);
    numberLayout->addWidget(useThousands, 2, 0);
    numberLayout->addWidget(thousandSymbol, 2, 1);
    numberLayout->addWidget(Label("Minuszeichen:", TrKey("AusgabeMinusLabel")), 3, 0);
    numberLayout->addWidget(minusPanel, 3, 1, 1, 2);
    numberLayout->setColumnStretch(2, 1);
    BindSpin(decimals, [this]() -> int& { return V().Decimals; });
    BindText(decimalSymbol, [this]() -> std::string& { return V().DecimalSymbolText; });
    BindCheck(useThousands, [this]() -> bool& { return V().UseThousandSymbol; });
    BindText(thousandSymbol, [this]() -> std::string& { return V().ThousandSymbolText; });
    BindRadios(
        {{minusFirst, [this] { return V().MinusFirst; }, [this] { V().MinusFirst = true; }},
         {minusLast, [this] { return !V().MinusFirst; }, [this] { V().MinusFirst = false; }}});

    auto* roundGroup = Named(new QGroupBox(QStringLiteral("Rundung")), "RundungGroupBox",
                             TrKey("AusgabeRundungGroupBox"));
    auto* coin = Named(new QRadioButton(QStringLiteral("auf die kleinste &Münze:")),
                       "kleinsteMuenzeRadioButton", TrKey("KleinsteMuenzeRadioButton"));
    auto* transfer =
        Named(new QRadioButton(QStringLiteral("auf die kleinste Überweisungs&einheit:")),
              "kleinsteUeberweisungRadioButton", TrKey("KleinsteUeberweisungRadioButton"));
    auto* multiple = Named(new QRadioButton(QStringLiteral("auf ein V&ielfaches von:")),
                           "VielfacheRundenRadioButton", TrKey("VielfacheRundenRadioButton"));
    auto* digits =
        Named(new QRadioButton(QStringLiteral("auf signifik&ante Stellen:")),
              "signifikanteStellenRundenRadioButton", TrKey("SignifikanteStellenRadioButton"));
    auto* coinValue = ReadOnly(Named(new QLineEdit, "KleinsteMuenzeEdit"));
    auto* transferValue = ReadOnly(Named(new QLineEdit, "KleinsteUeberweisungEdit"));
    auto* multipleValue = Named(new QLineEdit, "VielfachesRundenEdit");
    auto* digitsValue = Named(new QSpinBox, "signifikanteStellenRundenEdit");
    digitsValue->setRange(1, 16);
    for (QWidget* field :
         std::initializer_list<QWidget*>{coinValue, transferValue, multipleValue, digitsValue})
        CharsWide(field, 12);
    SpeakAs(coinValue, coin);
    SpeakAs(transferValue, transfer);
    SpeakAs(multipleValue, multiple);
    SpeakAs(digitsValue, digits);
    auto* code2 = Named(new QLabel(QStringLiteral("NWE")), "NWELabel2");
    auto* code3 = Named(new QLabel(QStringLiteral("NWE")), "NWELabel3");
    auto* commercial = Named(new QRadioButton(QStringLiteral("kaufmännis&ch")),
                             "kaufmaennischButton", TrKey("KaufmaennischRadioButton"));
    auto* up = Named(new QRadioButton(QStringLiteral("a&ufrunden")), "aufrundenButton",
                     TrKey("AufrundenRadioButton"));
    auto* down = Named(new QRadioButton(QStringLiteral("a&brunden")), "abrundenButton",
                       TrKey("AbrundenRadioButton"));
    auto* legal = Named(new QPushButton(QStringLiteral("gesetzlich")), "Button2",
                        TrKey("AusgabeGesetzlichButton"));
    legal->setAutoDefault(false);
    auto* directionPanel = new QWidget;
    auto* directionLayout = new QHBoxLayout(directionPanel);
    directionLayout->setContentsMargins(0, 0, 0, 0);
    directionLayout->addWidget(commercial);
    directionLayout->addWidget(up);
    directionLayout->addWidget(down);
    directionLayout->addStretch(1);
    directionLayout->addWidget(legal);
    auto* roundLayout = new QGridLayout(roundGroup);
    roundLayout->addWidget(coin, 0, 0);
    roundLayout->addWidget(coinValue, 0, 1);
    roundLayout->addWidget(code2, 0, 2);
    roundLayout->addWidget(transfer, 1, 0);
    roundLayout->addWidget(transferValue, 1, 1);
    roundLayout->addWidget(code3, 1, 2);
    roundLayout->addWidget(multiple, 2, 0);
    roundLayout->addWidget(multipleValue, 2, 1);
    roundLayout->addWidget(digits, 3, 0);
    roundLayout->addWidget(digitsValue, 3, 1);
    roundLayout->addWidget(Label("Richtung:", TrKey("AusgabeRichtungLabel")), 4, 0);
    roundLayout->addWidget(directionPanel, 5, 0, 1, 4);
    roundLayout->setColumnStretch(3, 1);
    shows_.push_back([this, coinValue, transferValue, code2, code3] {
        coinValue->setText(ToQString(V().SmallestCoinText));
        transferValue->setText(ToQString(V().SmallestTransferText));
        code2->setText(ToQString(V().CodeText));
        code3->setText(ToQString(V().CodeText));
    });
    std::vector<RadioOption> strategies;
    const std::array<QAbstractButton*, 4> strategyButtons{coin, transfer, multiple, digits};
    for (int value = 0; value < 4; ++value) {
        strategies.push_back({strategyButtons[static_cast<std::size_t>(value)],
                              [this, value] { return V().Strategy == value; },
                              [this, value] { V().Strategy = value; }});
    }
    BindRadios(strategies);
    BindText(
        multipleValue, [this]() -> std::string& { return V().MultipleText; },
        [this] { V().Strategy = 2; });
    TakeDecimalKeys(multipleValue);
    BindSpin(digitsValue, [this]() -> int& { return V().SignificantDigits; });
    std::vector<RadioOption> directions;
    const std::array<QAbstractButton*, 3> directionButtons{commercial, up, down};
    for (int value = 0; value < 3; ++value) {
        directions.push_back({directionButtons[static_cast<std::size_t>(value)],
                              [this, value] { return V().Direction == value; },
                              [this, value] { V().Direction = value; }});
    }
    BindRadios(directions);
    connect(legal, &QPushButton::clicked, this, [this] { model_.LegalRounding(); });

    // Symbol and number format side by side keep the page, and so the window, low.
    auto* formats = new QHBoxLayout;
    formats->addWidget(symbolGroup, 1);
    formats->addWidget(numberGroup, 1);
    layout->addLayout(top);
    layout->addLayout(formats);
    layout->addWidget(roundGroup);
    layout->addStretch(1);
    return page;
}

QWidget* TEinstellungen2Form::BuildRechner() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* lines = Named(new QGroupBox(QStringLiteral("Angezeigte Währungen")), "ZeilenGroupBox",
                        TrKey("RechnerZeilenGroupBox"));
    auto* linesLayout = new QGridLayout(lines);
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        auto* box = new QCheckBox(QString::fromLatin1(kCodes[c]));
        box->setObjectName(ControlName(c, "DisplayCheckBox"));
        if (HasCurrencyFlag(c))
            box->setIcon(FlagIcon(c, box));
        linesLayout->addWidget(box, c % 7, c / 7);
        BindCheck(box, [this, c]() -> bool& { return S().CalculatorLine[c]; });
    }
    linesLayout->setColumnStretch(2, 1);

    auto* columns = Named(new QGroupBox(QStringLiteral("Spalten")), "SpaltenGroupBox",
                          TrKey("RechnerSpaltenGroupBox"));
    auto* flags =
        Named(new QCheckBox(QStringLiteral("&Flaggen")), "FlaggeCheckBox", TrKey("FlaggeCheckBox"));
    auto* codes =
        Named(new QCheckBox(QStringLiteral("&Kürzel")), "WrgCheckBox", TrKey("WrgCheckBox"));
    auto* names =
        Named(new QCheckBox(QStringLiteral("&Namen")), "NameCheckBox", TrKey("NameCheckBox"));
    auto* rates =
        Named(new QCheckBox(QStringLiteral("K&urse")), "KursCheckBox", TrKey("KursCheckBox"));
    auto* columnsLayout = new QVBoxLayout(columns);
    for (QWidget* box : {flags, codes, names, rates})
        columnsLayout->addWidget(box);
    columnsLayout->addStretch(1);
    BindCheck(
        flags, [this]() -> bool& { return S().CalculatorColFlags; },
        [this] { model_.ColumnClicked(CalculatorColumn::Flags); });
    BindCheck(
        codes, [this]() -> bool& { return S().CalculatorColCurrencySymbols; },
        [this] { model_.ColumnClicked(CalculatorColumn::Symbols); });
    BindCheck(
        names, [this]() -> bool& { return S().CalculatorColCurrencyNames; },
        [this] { model_.ColumnClicked(CalculatorColumn::Names); });
    BindCheck(rates, [this]() -> bool& { return S().CalculatorColCurrencyRates; });

    auto* precision = Named(new QGroupBox(QStringLiteral("Genauigkeit")), "GenauigkeitGroupBox",
                            TrKey("RechnerGenauigkeitGroupBox"));
    auto* precisionLayout = new QVBoxLayout(precision);
    static constexpr std::array<const char*, 4> kPrecisionCaptions{
        "hoch&genau", "kleinste Einheit bei Über&weisungen", "kleinste gebräuchliche &Münze",
        "laut Währungs&einstellungen"};
    static constexpr std::array<std::string_view, 4> kPrecisionKeys{
        TrKey("RechnerAnzeigeRadioButton0"), TrKey("RechnerAnzeigeRadioButton1"),
        TrKey("RechnerAnzeigeRadioButton2"), TrKey("RechnerAnzeigeRadioButton3")};
    std::vector<RadioOption> precisions;
    for (int value = 0; value < 4; ++value) {
        const auto i = static_cast<std::size_t>(value);
        auto* button = new QRadioButton(QString::fromUtf8(kPrecisionCaptions[i]));
        button->setObjectName(QStringLiteral("RechnerAnzeigeRadioButton%1").arg(value));
        SetTranslationKey(button, kPrecisionKeys[i]);
        precisionLayout->addWidget(button);
        precisions.push_back({button, [this, value] { return S().CalculatorPrecision == value; },
                              [this, value] { S().CalculatorPrecision = value; }});
    }
    BindRadios(precisions);

    auto* useHotkey = Named(new QCheckBox(QStringLiteral("&Tastenkürzel:")),
                            "RechnerHotkeyCheckBox", TrKey("RechnerHotkeyCheckBox"));
    auto* hotkey = Named(new HotkeyEdit, "RechnerHotKey");
    SpeakAs(hotkey, useHotkey);
    auto* singleKey = Named(new QCheckBox(QStringLiteral("bei jeder Taste &sofort umrechnen")),
                            "tastenweiseCheckBox", TrKey("TastenweiseCheckBox"));
    BindCheck(useHotkey, [this]() -> bool& { return S().CalculatorUseHotkey; });
    BindHotkey(hotkey, [this]() -> int& { return S().CalculatorHotkey; });
    BindCheck(singleKey, [this]() -> bool& { return S().CalculatorSingleKeyUpdate; });

    auto* row = new QHBoxLayout;
    row->addWidget(lines, 1);
    row->addWidget(columns);
    auto* hotkeyRow = new QHBoxLayout;
    hotkeyRow->addWidget(useHotkey);
    hotkeyRow->addWidget(hotkey);
    hotkeyRow->addStretch(1);
    layout->addLayout(row);
    layout->addWidget(precision);
    layout->addLayout(hotkeyRow);
    layout->addWidget(singleKey);
    layout->addStretch(1);
    return page;
}

QWidget* TEinstellungen2Form::BuildSuchenSymbole() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        Label("Beträge in diesen Währungen werden gesucht, erkannt an ihren Symbolen:",
              TrKey("SuchenSymboleLabel")));
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    for (CurrencyIndex c = 0; c < kCurrencyCount; ++c) {
        auto* image = new QLabel;
        image->setObjectName(ControlName(c, "Image"));
        const int height = image->fontMetrics().height();
        image->setPixmap(CurrencyFlagPixmap(c, QSize(height * 3 / 2, height), devicePixelRatioF()));
        auto* box = new QCheckBox(QString::fromLatin1(kCodes[c]));
        box->setObjectName(ControlName(c, "CheckBox"));
        box->setMinimumWidth(box->fontMetrics().averageCharWidth() * 10);
        auto* symbols = ReadOnly(new QLineEdit);
        symbols->setObjectName(ControlName(c, "SymbolEdit"));
        auto* button = new QPushButton(QStringLiteral("..."));
        button->setObjectName(ControlName(c, "KontextButton"));
        button->setAutoDefault(false);
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("...")) +
                                24);
        grid->addWidget(image, c, 0);
        grid->addWidget(box, c, 1);
        grid->addWidget(symbols, c, 2);
        grid->addWidget(button, c, 3);
        symbolRows_[c] = {box, symbols, button};
        BindCheck(box, [this, c]() -> bool& { return S().InputAccept[c]; });
        shows_.push_back([this, symbols, c] {
            symbols->setText(ToQString(model_.SymbolFieldText(c)));
            symbols->setCursorPosition(0);
        });
        connect(button, &QPushButton::clicked, this, [this, c] { model_.EditSymbolList(c); });
    }
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);
    layout->addStretch(1);
    return page;
}

QWidget* TEinstellungen2Form::BuildSuchenZahlen() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* format = Named(new QGroupBox(QStringLiteral("Zahlenformat")), "EingabeFormatGroupBox",
                         TrKey("EingabeZahlenformatGroupBox"));
    auto* decimals = Named(new QLineEdit, "DezimalSymbolEdit");
    auto* thousands = Named(new QLineEdit, "TausenderSymbolEdit");
    CharsWide(decimals, 12);
    CharsWide(thousands, 12);
    auto* always = Named(new QRadioButton(QStringLiteral("imm&er")), "TausenderImmerRadioButton",
                         TrKey("TausenderImmerRadioButton"));
    auto* sometimes = Named(new QRadioButton(QStringLiteral("&manchmal")),
                            "TausenderManchmalRadioButton", TrKey("TausenderManchmalRadioButton"));
    auto* never = Named(new QRadioButton(QStringLiteral("n&ie")), "TausenderNieRadioButton",
                        TrKey("TausenderNieRadioButton"));
    auto* negatives = Named(new QCheckBox(QStringLiteral("ne&gative Zahlen erkennen")),
                            "negativeZahlenCheckBox", TrKey("NegativeZahlenCheckBox"));
    auto* zero = Named(new QCheckBox(QStringLiteral("die Null vor dem &Komma darf fehlen")),
                       "NullVorKommaCheckBox", TrKey("NullVorKommaCheckBox"));
    auto* everyday = Named(new QCheckBox(QStringLiteral("A&lltagsschreibweisen erkennen")),
                           "AlltagsformenCheckBox", TrKey("AlltagsformenCheckBox"));
    auto* grouping = new QHBoxLayout;
    grouping->addWidget(always);
    grouping->addWidget(sometimes);
    grouping->addWidget(never);
    grouping->addStretch(1);
    auto* formatLayout = new QGridLayout(format);
    formatLayout->addWidget(Label("&Dezimalzeichen:", TrKey("EingabeDezimalSymbolLabel"), decimals),
                            0, 0);
    formatLayout->addWidget(decimals, 0, 1);
    formatLayout->addWidget(
        Label("&Tausendertrennzeichen:", TrKey("EingabeTausenderSymbolLabel"), thousands), 1, 0);
    formatLayout->addWidget(thousands, 1, 1);
    formatLayout->addWidget(
        Label("Tausendertrennzeichen stehen", TrKey("TausenderGruppierungLabel")), 2, 0);
    formatLayout->addLayout(grouping, 2, 1, 1, 2);
    formatLayout->addWidget(negatives, 3, 0, 1, 3);
    formatLayout->addWidget(zero, 4, 0, 1, 3);
    formatLayout->addWidget(everyday, 5, 0, 1, 3);
    formatLayout->setColumnStretch(2, 1);
    BindCheck(everyday, [this]() -> bool& { return S().InputEverydayForms; });
    BindText(decimals, [this]() -> std::string& { return S().InputDecimalSymbols; });
    BindText(thousands, [this]() -> std::string& { return S().InputThousandSymbols; });
    BindRadios(
        {{always, [this] { return S().InputThousandsAlways; },
          [this] {
              S().InputThousandsAlways = true;
              S().InputThousandsSometimes = false;
          }},
         {sometimes, [this] { return !S().InputThousandsAlways && S().InputThousandsSometimes; },
          [this] {
              S().InputThousandsAlways = false;
              S().InputThousandsSometimes = true;
          }},
         {never, [this] { return !S().InputThousandsAlways && !S().InputThousandsSometimes; },
          [this] {
              S().InputThousandsAlways = false;
              S().InputThousandsSometimes = false;
          }}});
    BindCheck(negatives, [this]() -> bool& { return S().InputAcceptNegatives; });
    BindCheck(zero, [this]() -> bool& { return S().InputAcceptZero; });

    auto* unmarked = Named(new QGroupBox(QStringLiteral("Zahlen ohne Währungssymbol")),
                           "OhneSymbolGroupBox", TrKey("ZahlenOhneSymbolGroupBox"));
    auto* standard =
        Named(new QCheckBox(QStringLiteral("interpretieren als Standard-&Quellwährung")),
              "StandardWaehrungCheckBox", TrKey("StandardWaehrungCheckBox"));
    auto* panel = Named(new QWidget, "NurZahlOptionsPanel");
    auto* onlyWith = Named(new QCheckBox(QStringLiteral("nur bei gen&au")), "giltNurFuerCheckBox",
                           TrKey("GiltNurFuerCheckBox"));
    auto* count = Named(new QSpinBox, "EingabeNachkommastellenEdit");
    count->setRange(0, 15);
    auto* stop = Named(new QCheckBox(QStringLiteral("Änderungen immer &bestätigen")),
                       "anhaltenCheckBox", TrKey("AnhaltenCheckBox"));
    auto* nonCurrency =
        Named(new QCheckBox(QStringLiteral("nicht neben diesen &Nicht-Währungssymbolen:")),
              "NonCurrencySymbolCheckBox", TrKey("NonCurrencySymbolCheckBox"));
    auto* memo = Named(new QPlainTextEdit, "NonCurrencySymbolMemo");
    memo->setReadOnly(true);
    LooksReadOnly(memo);
    memo->setTabChangesFocus(true);
    memo->setMaximumHeight(memo->fontMetrics().lineSpacing() * 4 + 12);
    auto* edit = Named(new QPushButton(QStringLiteral("...")), "Button1");
    SpeakAs(memo, nonCurrency);
    edit->setAccessibleName(ToQString(translator_.TranslateKey("NichtWaehrungssymbole")));
    edit->setAutoDefault(false);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(onlyWith);
    countRow->addWidget(count);
    countRow->addWidget(Label("Nachkommastellen", TrKey("EingabeNachkommastellenLabel"), count,
                              "EingabeNachkommastellenLabel"));
    countRow->addStretch(1);
    auto* memoRow = new QHBoxLayout;
    memoRow->addWidget(memo, 1);
    memoRow->addWidget(edit, 0, Qt::AlignTop);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(24, 0, 0, 0);
    panelLayout->addLayout(countRow);
    panelLayout->addWidget(stop);
    panelLayout->addWidget(nonCurrency);
    panelLayout->addLayout(memoRow);
    auto* unmarkedLayout = new QVBoxLayout(unmarked);
    unmarkedLayout->addWidget(standard);
    unmarkedLayout->addWidget(panel);
    BindCheck(standard, [this]() -> bool& { return S().InputNumbersWithoutSymbols; });
    BindCheck(onlyWith, [this]() -> bool& { return S().InputCheckForDecimalsActive; });
    BindSpin(count, [this]() -> int& { return S().InputCheckForDecimals; });
    BindCheck(stop, [this]() -> bool& { return S().InputStopOnUnmarkedNumbers; });
    BindCheck(nonCurrency, [this]() -> bool& { return S().InputCheckForNonCurrencySymbols; });
    shows_.push_back([this, memo] {
        const QString text = ToQString(model_.SymbolFieldText(kNoCurrency));
        if (memo->toPlainText() != text)
            memo->setPlainText(text);
    });
    connect(edit, &QPushButton::clicked, this, [this] { model_.EditSymbolList(kNoCurrency); });

    layout->addWidget(format);
    layout->addWidget(unmarked);
    layout->addStretch(1);
    return page;
}

QWidget* TEinstellungen2Form::BuildAnwendungen() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* word = Named(new QGroupBox(QStringLiteral("Textverarbeitung")), "WordGroupBox",
                       TrKey("TextverarbeitungGroupBox"));
    auto* confirm =
        Named(new QCheckBox(QStringLiteral("jede Änderung &bestätigen")),
              "WordAenderungBestaetigenCheckBox", TrKey("WordAenderungBestaetigenCheckBox"));
    auto* calculator =
        Named(new QCheckBox(QStringLiteral("gefundene Beträge im &Währungsrechner anzeigen")),
              "WordBetragImRechnerCheckBox", TrKey("WordBetragImRechnerCheckBox"));
    auto* trace =
        Named(new QCheckBox(QStringLiteral("Änderungen &vorläufig vornehmen und hervorheben:")),
              "HervorhebenCheckBox", TrKey("HervorhebenCheckBox"));
    auto* panel = Named(new QWidget, "VorlaeufigeAenderungenPanel");
    auto* bold =
        Named(new QRadioButton(QStringLiteral("&fett")), "fettCheckBox", TrKey("FettRadioButton"));
    auto* italic = Named(new QRadioButton(QStringLiteral("&kursiv")), "kursivCheckBox",
                         TrKey("KursivRadioButton"));
    auto* underline = Named(new QRadioButton(QStringLiteral("unter&strichen")),
                            "unterstrichenCheckBox", TrKey("UnterstrichenRadioButton"));
    auto* useColour = Named(new QCheckBox(QStringLiteral("farbi&g:")), "FarblichCheckBox",
                            TrKey("FarblichCheckBox"));
    auto* colours = new ColourComboBox;
    colours->setObjectName(QStringLiteral("FarbenComboBox"));
    SpeakAs(colours, useColour);
    for (const HighlightColour& colour : kColours) {
        colours->addItem(ToQString(translator_.TranslateKey(colour.Key)),
                         QColor(colour.Red, colour.Green, colour.Blue));
    }
    auto* erased = Named(new QCheckBox(QStringLiteral("gelöschten Text &durchgestrichen zeigen")),
                         "alteSchreibungCheckBox", TrKey("AlteSchreibungCheckBox"));
    auto* margin = Named(new QCheckBox(QStringLiteral("Änderungen am &linken Rand markieren")),
                         "zeilenMarkierenCheckBox", TrKey("ZeilenMarkierenCheckBox"));
    auto* styleRow = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{bold, italic, underline})
        styleRow->addWidget(w);
    styleRow->addSpacing(16);
    styleRow->addWidget(useColour);
    styleRow->addWidget(colours);
    styleRow->addStretch(1);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(24, 0, 0, 0);
    panelLayout->addLayout(styleRow);
    panelLayout->addWidget(erased);
    panelLayout->addWidget(margin);
    auto* wordLayout = new QVBoxLayout(word);
    wordLayout->addWidget(confirm);
    wordLayout->addWidget(calculator);
    wordLayout->addWidget(trace);
    wordLayout->addWidget(panel);
    BindCheck(confirm, [this]() -> bool& { return S().WordConfirmChanges; });
    BindCheck(calculator, [this]() -> bool& { return S().WordDisplayInCalculator; });
    BindCheck(trace, [this]() -> bool& { return S().WordTraceChanges; });
    const auto setStyle = [this](bool b, bool i, bool u) {
        S().WordChangesBold = b;
        S().WordChangesItalics = i;
        S().WordChangesUnderlined = u;
    };
    BindRadios({{bold, [this] { return S().WordChangesBold; },
                 [setStyle] { setStyle(true, false, false); }},
                {italic, [this] { return !S().WordChangesBold && S().WordChangesItalics; },
                 [setStyle] { setStyle(false, true, false); }},
                {underline,
                 [this] {
                     return !S().WordChangesBold && !S().WordChangesItalics &&
                            S().WordChangesUnderlined;
                 },
                 [setStyle] { setStyle(false, false, true); }}});
    BindCheck(useColour, [this]() -> bool& { return S().WordChangesUseColor; });
    BindCombo(colours, [this]() -> int& { return S().WordChangesWhichColor; });
    BindCheck(erased, [this]() -> bool& { return S().WordChangesShowErased; });
    BindCheck(margin, [this]() -> bool& { return S().WordLeftMarkChanges; });

    auto* sheet = Named(new QGroupBox(QStringLiteral("Tabellenkalkulation")), "ExcelGroupBox",
                        TrKey("TabellenkalkulationGroupBox"));
    auto* sheetLayout = new QGridLayout(sheet);
    static constexpr std::array<std::string_view, 4> kPrecisionEntries{
        TrKey("ExcelHochgenauCBEntry"), TrKey("ExcelKleinsteÜberweisungCBEntry"),
        TrKey("ExcelKleinsteMünzeCBEntry"), TrKey("ExcelGenauigkeitLautEinstellungenCBEntry")};
    struct PrecisionRow {
        const char* Name;
        const char* Caption;
        std::string_view Key;
        int ProfileSettings::*Field;
    };
    const std::array<PrecisionRow, 3> rows{{
        {"ExcelKonstanteZellenComboBox", "&Zellen mit Konstanten:",
         TrKey("ExcelKonstanteZellenLabel"), &ProfileSettings::ExcelPrecision_ConstantCell},
        {"ExcelFormelkonstantenCombobox", "Konstanten &in Formeln:",
         TrKey("ExcelFormelkonstantenLabel"), &ProfileSettings::ExcelPrecision_ConstantInFormula},
        {"ExcelErgebnisseCombobox", "&Ergebnisse von Formeln:", TrKey("ExcelErgebnisseLabel"),
         &ProfileSettings::ExcelPrecision_Results},
    }};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto* combo = Named(new QComboBox, rows[i].Name);
        for (const std::string_view key : kPrecisionEntries)
            combo->addItem(ToQString(translator_.TranslateKey(key)));
        sheetLayout->addWidget(Label(rows[i].Caption, rows[i].Key, combo), static_cast<int>(i), 0);
        sheetLayout->addWidget(combo, static_cast<int>(i), 1);
        BindCombo(combo, [this, field = rows[i].Field]() -> int& { return S().*field; });
    }
    auto* symbol = Named(new QCheckBox(QStringLiteral("neues Währungssymbol se&tzen")),
                         "ExcelSymbolCheckBox", TrKey("ExcelSymbolCheckBox"));
    sheetLayout->addWidget(symbol, 3, 0, 1, 2);
    sheetLayout->setColumnStretch(2, 1);
    BindCheck(symbol, [this]() -> bool& { return S().ExcelUseCurrencySymbols; });

    layout->addWidget(word);
    layout->addWidget(sheet);
    layout->addStretch(1);
    return page;
}

QWidget* TEinstellungen2Form::BuildZwischenablage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* search =
        Named(new QCheckBox(QStringLiteral("Zwischenablage bei jeder Änderung &durchsuchen")),
              "autoSucheCheckBox", TrKey("AutoSucheCheckBox"));
    auto* useHotkey = Named(new QCheckBox(QStringLiteral("Durchsuchen per &Tastenkürzel:")),
                            "ClipboardHotkeyCheckBox", TrKey("ClipboardHotkeyCheckBox"));
    auto* hotkey = Named(new HotkeyEdit, "ClipboardHotKey");
    SpeakAs(hotkey, useHotkey);
    auto* hotkeyRow = new QHBoxLayout;
    hotkeyRow->addWidget(useHotkey);
    hotkeyRow->addWidget(hotkey);
    hotkeyRow->addStretch(1);
    BindCheck(search, [this]() -> bool& { return S().ClipboardSearch; });
    BindCheck(useHotkey, [this]() -> bool& { return S().ClipboardUseHotkey; });
    BindHotkey(hotkey, [this]() -> int& { return S().ClipboardHotkey; });

    auto* condition = Named(new QGroupBox(QStringLiteral("Ein Betrag wird gefunden, wenn")),
                            "BedingungGroupBox", TrKey("BedingungGroupBox"));
    auto* whole = Named(new QRadioButton(QStringLiteral("der &ganze Inhalt")),
                        "ClipboardAlsGanzesRadioButton", TrKey("ClipboardAlsGanzesRadioButton"));
    auto* contains = Named(new QRadioButton(QStringLiteral("der Te&xt")),
                           "ClipboardEnthaeltRadioButton", TrKey("ClipboardEnthaeltRadioButton"));
    auto* wholeLine =
        Label("ein einziger Betrag ist", TrKey("ClipboardAlsGanzesLabel"), nullptr, "Label2");
    auto* containsLine =
        Label("einen Betrag enthält", TrKey("ClipboardEnthaeltLabel"), nullptr, "Label7");
    clickLabels_ = {wholeLine, containsLine};
    for (QLabel* line : clickLabels_)
        line->installEventFilter(this);
    auto* conditionLayout = new QGridLayout(condition);
    conditionLayout->addWidget(whole, 0, 0);
    conditionLayout->addWidget(wholeLine, 0, 1);
    conditionLayout->addWidget(contains, 1, 0);
    conditionLayout->addWidget(containsLine, 1, 1);
    conditionLayout->setColumnStretch(2, 1);
    BindRadios({{whole, [this] { return S().ClipboardAsAWhole; },
                 [this] { S().ClipboardAsAWhole = true; }},
                {contains, [this] { return !S().ClipboardAsAWhole; },
                 [this] { S().ClipboardAsAWhole = false; }}});

    auto* found = Named(new QGroupBox(QStringLiteral("Gefundene Beträge")), "autoSucheGroupBox",
                        TrKey("GefundeneBetraegeGroupBox"));
    auto* show =
        Named(new QCheckBox(QStringLiteral("im &Währungsrechner anzeigen")),
              "ClipboardBetragImRechnerCheckbox", TrKey("ClipboardBetragImRechnerCheckbox"));
    auto* convert = Named(new QCheckBox(QStringLiteral("in die Standard-Zielwährung &umrechnen")),
                          "ClipboardUmrechnenCheckBox", TrKey("ClipboardUmrechnenCheckBox"));
    auto* confirm = Named(new QCheckBox(QStringLiteral("die Änderung vorher &bestätigen")),
                          "ClipboardAenderungBestaetigenCheckBox",
                          TrKey("ClipboardAenderungBestaetigenCheckBox"));
    auto* foundLayout = new QVBoxLayout(found);
    foundLayout->addWidget(show);
    foundLayout->addWidget(convert);
    auto* confirmRow = new QHBoxLayout;
    confirmRow->setContentsMargins(24, 0, 0, 0);
    confirmRow->addWidget(confirm);
    foundLayout->addLayout(confirmRow);
    BindCheck(show, [this]() -> bool& { return S().ClipboardDisplayInCalculator; });
    BindCheck(convert, [this]() -> bool& { return S().ClipboardReplace; });
    BindCheck(confirm, [this]() -> bool& { return S().ClipboardConfirmChanges; });

    layout->addWidget(search);
    layout->addLayout(hotkeyRow);
    layout->addWidget(condition);
    layout->addWidget(found);
    layout->addStretch(1);
    return page;
}

QWidget* TEinstellungen2Form::BuildProfile() {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    profileList_ = Named(new QListWidget, "profileListBox");
    auto* activeRow = new QHBoxLayout;
    activeName_ = Named(new QLabel, "StandardProfilNameLabel");
    QFont bold = activeName_->font();
    bold.setBold(true);
    activeName_->setFont(bold);
    activeRow->addWidget(Label("aktives Profil:", TrKey("AktivesProfilLabel")));
    activeRow->addWidget(activeName_, 1);
    auto* save = Named(new QPushButton(QStringLiteral("aktuelle Einstellungen &speichern als...")),
                       "ProfilSpeichernButton", TrKey("EinstellungenSpeichernAlsProfil"));
    auto* activate = Named(new QPushButton(QStringLiteral("&Aktivieren")), "ProfilAktivierenButton",
                           TrKey("ProfilAktivierenButton"));
    auto* remove = Named(new QPushButton(QStringLiteral("&Löschen")), "ProfilLoeschenButton",
                         TrKey("ProfilLöschenButton"));
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {save, activate, remove}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(activeRow, 0, 0, 1, 2);
    auto* listLabel = Label("&Profile:", TrKey("ProfilListeLabel"), profileList_);
    SpeakAs(profileList_, listLabel);
    layout->addWidget(listLabel, 1, 0);
    layout->addWidget(profileList_, 2, 0);
    layout->addLayout(buttons, 2, 1);
    layout->setColumnStretch(0, 1);
    connect(profileList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!refreshing_)
            model_.SelectProfile(row);
    });
    connect(save, &QPushButton::clicked, this, [this] { model_.SaveProfileAs(); });
    connect(activate, &QPushButton::clicked, this, [this] { model_.ActivateSelectedProfile(); });
    connect(remove, &QPushButton::clicked, this, [this] { model_.DeleteSelectedProfile(); });
    return page;
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
