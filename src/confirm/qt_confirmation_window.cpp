// SPDX-License-Identifier: GPL-3.0-or-later
#include "confirm/qt_confirmation_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "i18n/translate_widgets.h"
#include "i18n/translator.h"
#include "platform/flag_painter.h"
#include "platform/qt_text.h"
#include "platform/qt_window_front.h"

namespace kassavero {
namespace {

template <typename T>
T* Keyed(T* widget, std::string_view key) {
    SetTranslationKey(widget, key);
    return widget;
}

// A text field is as tall as its text, between these numbers of lines; a longer text
// scrolls.
constexpr int kFieldMinLines = 2;
constexpr int kFieldMaxLines = 8;
// How far from where it was put a window may stand and still count as not moved by the
// user: a title bar's height.
constexpr int kFrameSlack = 40;
// How long after a showing the window manager may still move the window.
constexpr int kSettleMs = 2000;
// The design's font height, against which the currency lists' flag column grows.
constexpr double kDesignFontHeight = 13.0;
// The code of a currency list entry starts this far right of the flag's left edge.
constexpr int kDesignCodeOffset = 35;

QTextEdit* ReadOnlyField(QWidget* parent) {
    auto* field = new QTextEdit(parent);
    field->setReadOnly(true);
    field->setAcceptRichText(false);
    // The caret stays visible so the user can point at an amount of a formula.
    field->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    field->setTabChangesFocus(true);
    field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 50);
    field->setLineWrapMode(QTextEdit::WidgetWidth);
    return field;
}

// Sets the field's height to its text at its present width.
void FitHeight(QTextEdit* field) {
    QTextDocument* document = field->document();
    const int width = std::max(field->minimumWidth(), field->width()) - 2 * field->frameWidth();
    document->setTextWidth(std::max(1, width - field->verticalScrollBar()->sizeHint().width()));
    const int line = QFontMetrics(field->font()).lineSpacing();
    const int margins =
        static_cast<int>(2 * document->documentMargin()) + 2 * field->frameWidth() + 2;
    const int text = static_cast<int>(std::ceil(document->size().height())) -
                     static_cast<int>(2 * document->documentMargin());
    const int height = std::clamp(text, kFieldMinLines * line, kFieldMaxLines * line) + margins;
    if (field->height() != height || field->minimumHeight() != height)
        field->setFixedHeight(height);
}

// Every Windows-1252 character is one UTF-16 unit, so the dialog's byte positions are
// document positions as they stand.
int Clamped(const QTextEdit* field, std::size_t position) {
    const auto end = static_cast<std::size_t>(std::max(0, field->document()->characterCount() - 1));
    return static_cast<int>(std::min(position, end));
}

void ShowRichText(QTextEdit* field, std::u32string_view text, const std::vector<TextRun>& runs) {
    // The field would write the new text in the format of the run that was selected
    // last (bold, red): start from the plain format every time.
    field->clear();
    field->setCurrentCharFormat(QTextCharFormat());
    field->setPlainText(ToQString(text));
    QTextCursor cursor(field->document());
    for (const TextRun& run : runs) {
        cursor.setPosition(Clamped(field, run.Start));
        cursor.setPosition(Clamped(field, run.Start + run.Length), QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setFontWeight(QFont::Bold);
        if (run.Red)
            format.setForeground(QColor(255, 0, 0));
        cursor.mergeCharFormat(format);
    }
    FitHeight(field);
}

void Select(QTextEdit* field, std::size_t start, std::size_t length) {
    QTextCursor cursor(field->document());
    cursor.setPosition(Clamped(field, start));
    cursor.setPosition(Clamped(field, start + length), QTextCursor::KeepAnchor);
    field->setTextCursor(cursor);
}

DialogKey KeyOf(const QKeyEvent& event, char32_t& character) {
    switch (event.key()) {
        case Qt::Key_Escape:
            return DialogKey::Escape;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return DialogKey::Return;
        case Qt::Key_Home:
            return DialogKey::Home;
        case Qt::Key_End:
            return DialogKey::End;
        case Qt::Key_Left:
            return DialogKey::Left;
        case Qt::Key_Right:
            return DialogKey::Right;
        default:
            break;
    }
    const std::u32string text = FromQString(event.text());
    // Control characters (Tab, Ctrl+C ...) are not typed text; they keep their usual work.
    if (text.size() == 1 && text[0] >= 0x20 && text[0] != 0x7F) {
        character = text[0];
        return DialogKey::Character;
    }
    return DialogKey::Other;
}

// Tells of every other window of the program that is shown.
class WindowShowWatcher final : public QObject {
  public:
    WindowShowWatcher(QWidget* owner, std::function<void(QWidget*)> shown)
        : QObject(owner), owner_(owner), shown_(std::move(shown)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow() && window != owner_ && owner_->isVisible()) {
            // Run once the window has been placed.
            QPointer<QWidget> guarded(window);
            QMetaObject::invokeMethod(
                this,
                [this, guarded] {
                    if (guarded != nullptr)
                        shown_(guarded);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

  private:
    QWidget* owner_;
    std::function<void(QWidget*)> shown_;
};

}  // namespace

TBestaetigungForm::TBestaetigungForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    SetTranslationKey(this, TrKey("UmrechnungForm"));
    setWindowTitle(QStringLiteral("Kassavero Umrechnung"));

    BuildAmountFields();
    BuildButtonsAndLayout();
    ConnectControls();

    InstallKeyPreview();
    // A window of the program shown while a question is open (the calculator a client
    // fills) stands beside the question, not over it.
    new WindowShowWatcher(this, [this](QWidget* other) {
        if (!isVisible())
            return;
        MoveAside(other);
        raise();
    });
    // It has no minimise button, and a question in it holds up the program that asked.
    KeepFromMinimising(this);
    // Compact from the start: the size is what places the window on the screen.
    FitHeight(input_);
    FitHeight(output_);

    // Until a position is stored the window opens in the middle of the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(screen->availableGeometry().center() - rect().center());
    }
}

// The text fields and the three currency boxes, in the order focus moves through them.
void TBestaetigungForm::BuildAmountFields() {
    inputGroup_ = Keyed(new QGroupBox(QStringLiteral("Input"), this), TrKey("InputGroupbox"));
    formulaBack_ = new QPushButton(QStringLiteral("<<"), inputGroup_);
    formulaBack_->setAutoDefault(false);
    formulaBack_->setFixedWidth(
        formulaBack_->fontMetrics().horizontalAdvance(QStringLiteral("<<")) +
        formulaBack_->fontMetrics().height() * 2);
    input_ = ReadOnlyField(inputGroup_);
    auto* inputLayout = new QHBoxLayout(inputGroup_);
    inputLayout->addWidget(formulaBack_, 0, Qt::AlignTop);
    inputLayout->addWidget(input_, 1);

    sourceGroup_ =
        Keyed(new QGroupBox(QStringLiteral("Quellwährung"), this), TrKey("QuellwährungGroupbox"));
    oldAmount_ = new QLabel(sourceGroup_);
    sourceList_ = new QComboBox(sourceGroup_);
    auto* sourceLayout = new QVBoxLayout(sourceGroup_);
    sourceLayout->addWidget(oldAmount_);
    sourceLayout->addWidget(sourceList_);

    euroPanel_ = new QWidget(this);
    euroAmount_ = new QLabel(euroPanel_);
    auto* euroLabel = new QLabel(QStringLiteral("EUR"), euroPanel_);
    const int flagHeight = std::max(8, fontMetrics().height() - 2);
    auto* euroImage = new QLabel(euroPanel_);
    euroImage->setPixmap(
        CountryFlagPixmap(U"EU", QSize(flagHeight * 3 / 2, flagHeight), devicePixelRatioF()));
    auto* euroCode = new QHBoxLayout;
    euroCode->addWidget(euroImage);
    euroCode->addWidget(euroLabel);
    auto* euroLayout = new QVBoxLayout(euroPanel_);
    euroLayout->addWidget(euroAmount_, 0, Qt::AlignHCenter);
    euroLayout->addLayout(euroCode);
    euroLayout->setAlignment(euroCode, Qt::AlignHCenter);

    targetGroup_ =
        Keyed(new QGroupBox(QStringLiteral("Zielwährung"), this), TrKey("ZielwährungGroupbox"));
    newAmount_ = new QLabel(targetGroup_);
    targetList_ = new QComboBox(targetGroup_);
    auto* targetLayout = new QVBoxLayout(targetGroup_);
    targetLayout->addWidget(newAmount_);
    targetLayout->addWidget(targetList_);

    QFont bold = font();
    bold.setBold(true);
    oldAmount_->setFont(bold);
    newAmount_->setFont(bold);

    outputGroup_ = Keyed(new QGroupBox(QStringLiteral("Output"), this), TrKey("OutputGroupbox"));
    output_ = ReadOnlyField(outputGroup_);
    auto* outputLayout = new QHBoxLayout(outputGroup_);
    outputLayout->addWidget(output_);
}

void TBestaetigungForm::BuildButtonsAndLayout() {
    const auto button = [this](const char* caption, std::string_view key) {
        auto* b = Keyed(new QPushButton(QString::fromUtf8(caption), this), key);
        b->setAutoDefault(false);
        return b;
    };
    help_ = button("&Hilfe", TrKey("HilfeButton"));
    settings_ = button("&Einstellungen", TrKey("EinstellungenButton"));
    yes_ = button("&Ja", TrKey("JaButton"));
    yes_->setDefault(true);
    no_ = button("&Nein", TrKey("NeinButton"));
    stop_ = button("An&halten", TrKey("AnhaltenButton"));
    cancel_ = button("A&bbrechen", TrKey("AbbrechenButton"));
    calculator_ = button("&Rechner", TrKey("RechnerButton"));

    auto* currencyRow = new QHBoxLayout;
    currencyRow->addWidget(sourceGroup_, 1);
    currencyRow->addWidget(euroPanel_);
    currencyRow->addWidget(targetGroup_, 1);

    // Stop sits where Yes and No are; only one of them is shown at a time.
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(help_);
    buttonRow->addWidget(settings_);
    buttonRow->addStretch(1);
    buttonRow->addWidget(yes_);
    buttonRow->addWidget(no_);
    buttonRow->addWidget(stop_);
    buttonRow->addWidget(cancel_);
    buttonRow->addWidget(calculator_);

    auto* layout = new QVBoxLayout(this);
    // The window is as large as its contents: compact for one amount, taller for a long
    // text.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(inputGroup_);
    layout->addLayout(currencyRow);
    layout->addWidget(outputGroup_);
    layout->addLayout(buttonRow);
}

void TBestaetigungForm::ConnectControls() {
    // Plain functions, not member pointers: g++ 12's sanitizer build checks the object of
    // a member-pointer call through a register it never set, and reports a false error.
    using Handler = void (*)(ConfirmationDialog&);
    const auto clicked = [this](QPushButton* b, Handler handler) {
        connect(b, &QPushButton::clicked, this, [this, handler] {
            if (dialog_ != nullptr)
                handler(*dialog_);
        });
    };
    clicked(yes_, [](ConfirmationDialog& d) { d.YesClicked(); });
    clicked(no_, [](ConfirmationDialog& d) { d.NoClicked(); });
    clicked(cancel_, [](ConfirmationDialog& d) { d.CancelClicked(); });
    clicked(stop_, [](ConfirmationDialog& d) { d.StopContinueClicked(); });
    clicked(settings_, [](ConfirmationDialog& d) { d.SettingsClicked(); });
    clicked(help_, [](ConfirmationDialog& d) { d.HelpClicked(); });
    clicked(calculator_, [](ConfirmationDialog& d) { d.CalculatorClicked(); });
    clicked(formulaBack_, [](ConfirmationDialog& d) { d.FormulaBackClicked(); });

    // `activated` comes from the user only, so the dialog's own selections are not echoed.
    connect(sourceList_, &QComboBox::activated, this, [this](int position) {
        if (dialog_ != nullptr)
            dialog_->SourceSelected(position);
    });
    connect(targetList_, &QComboBox::activated, this, [this](int position) {
        if (dialog_ != nullptr)
            dialog_->TargetSelected(position);
    });
}

void TBestaetigungForm::Attach(ConfirmationDialog& dialog, Translator& translator) {
    dialog_ = &dialog;
    TranslateControls(this, translator);
    // Screen readers name the fields and lists by their groups, whose captions a formula
    // empties; the names stay.
    NameByCaption(input_, inputGroup_);
    NameByCaption(output_, outputGroup_);
    NameByCaption(sourceList_, sourceGroup_);
    NameByCaption(targetList_, targetGroup_);
    NameDropDownLists(this);
    const QString back = ToQString(translator.TranslateKey("FormelZurueck"));
    formulaBack_->setAccessibleName(back);
    formulaBack_->setToolTip(back);
}

void TBestaetigungForm::InstallKeyPreview() {
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

// ---- Events ----

bool TBestaetigungForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            return KeyPress(watched, static_cast<QKeyEvent*>(event));
        case QEvent::Resize:
            // A new width wraps the text anew.
            if (watched == input_ || watched == output_)
                FitHeight(static_cast<QTextEdit*>(watched));
            // Grown for a longer question, the window keeps its buttons on the screen and
            // the other windows beside it.
            if (watched == this && isVisible())
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        KeepWholeOnScreen(this);
                        MoveOthersAside();
                    },
                    Qt::QueuedConnection);
            break;
        case QEvent::Move:
            // The window manager may still move a window it has just framed; the others
            // follow until it has settled.
            if (watched == this && isVisible() && shownAt_.isValid() &&
                shownAt_.elapsed() < kSettleMs)
                QMetaObject::invokeMethod(
                    this, [this] { MoveOthersAside(); }, Qt::QueuedConnection);
            break;
        case QEvent::FocusIn: {
            // Coming back to the window is not entering the field.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (watched != input_ || reason == Qt::ActiveWindowFocusReason ||
                reason == Qt::PopupFocusReason)
                break;
            [[fallthrough]];
        }
        case QEvent::MouseButtonPress:
            if (watched != input_ && watched != input_->viewport())
                break;
            // Run after the field has placed its caret for this click.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (dialog_ != nullptr)
                        dialog_->InputFieldEntered(
                            static_cast<std::size_t>(input_->textCursor().position()));
                },
                Qt::QueuedConnection);
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

bool TBestaetigungForm::KeyPress(QObject* watched, QKeyEvent* event) {
    // A key the focused control leaves alone travels on to its parents; the dialog sees
    // it once, at the control that has the focus.
    QWidget* focused = focusWidget();
    if (dialog_ == nullptr || watched != (focused != nullptr ? focused : this))
        return false;
    KeyEvent key;
    key.Key = KeyOf(*event, key.Character);
    key.Modifier =
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0;
    key.Focus = FocusedControl();
    return dialog_->KeyPressed(key);
}

void TBestaetigungForm::closeEvent(QCloseEvent* event) {
    if (dialog_ == nullptr) {
        QWidget::closeEvent(event);
        return;
    }
    // The dialog answers the open question and hides the window itself.
    event->ignore();
    dialog_->WindowClosing();
}

ConfirmControl TBestaetigungForm::FocusedControl() const {
    const QWidget* focused = focusWidget();
    for (const ConfirmControl control :
         {ConfirmControl::InputField, ConfirmControl::SourceList, ConfirmControl::TargetList,
          ConfirmControl::OutputField, ConfirmControl::HelpButton, ConfirmControl::SettingsButton,
          ConfirmControl::YesButton, ConfirmControl::NoButton, ConfirmControl::StopButton,
          ConfirmControl::CancelButton, ConfirmControl::CalculatorButton,
          ConfirmControl::FormulaBackButton}) {
        if (focused != nullptr && focused == Control(control))
            return control;
    }
    // Anything else is not a button: Return there answers through the default button.
    return ConfirmControl::OutputField;
}

QWidget* TBestaetigungForm::Control(ConfirmControl control) const {
    switch (control) {
        case ConfirmControl::InputField:
            return input_;
        case ConfirmControl::SourceList:
            return sourceList_;
        case ConfirmControl::TargetList:
            return targetList_;
        case ConfirmControl::OutputField:
            return output_;
        case ConfirmControl::HelpButton:
            return help_;
        case ConfirmControl::SettingsButton:
            return settings_;
        case ConfirmControl::YesButton:
            return yes_;
        case ConfirmControl::NoButton:
            return no_;
        case ConfirmControl::StopButton:
            return stop_;
        case ConfirmControl::CancelButton:
            return cancel_;
        case ConfirmControl::CalculatorButton:
            return calculator_;
        case ConfirmControl::FormulaBackButton:
            return formulaBack_;
        case ConfirmControl::EuroPanel:
            return euroPanel_;
    }
    return nullptr;
}

// ---- What the dialog shows ----

void TBestaetigungForm::ShowWindow() {
    PlaceWindow(this, WindowPlace(this));
    show();
    shownAt_.start();
    // Placed again once it has its frame and its size.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!isVisible())
                return;
            MoveClearOf(this, amount_);
            MoveOthersAside();
        },
        Qt::QueuedConnection);
}

void TBestaetigungForm::HideWindow() {
    hide();
    amount_ = QRect();
    PutOthersBack();
}

bool TBestaetigungForm::KeepClearOf(const ScreenArea& area) {
    amount_ = QRect(area.Left, area.Top, area.Width, area.Height);
    if (!isVisible() || !MoveClearOf(this, amount_))
        return false;
    MoveOthersAside();
    return true;
}

void TBestaetigungForm::MoveOthersAside() {
    for (QWidget* other : QApplication::topLevelWidgets())
        MoveAside(other);
    raise();
}

void TBestaetigungForm::MoveAside(QWidget* other) {
    // Menus, lists and modal message boxes come and go on their own; the tray icon has
    // no title.
    const Qt::WindowType type = other->windowType();
    if (other == this || !other->isVisible() || other->isModal() ||
        other->windowTitle().isEmpty() ||
        (type != Qt::Window && type != Qt::Tool && type != Qt::Dialog))
        return;
    const QPoint from = WindowPlace(other);
    if (!MoveClearOf(other, frameGeometry()))
        return;
    for (MovedAside& moved : movedAside_) {
        if (moved.Window == other) {
            moved.To = WindowPlace(other);
            return;
        }
    }
    movedAside_.push_back({other, from, WindowPlace(other)});
}

void TBestaetigungForm::PutOthersBack() {
    for (const MovedAside& moved : movedAside_) {
        // The window manager may have put the frame where its inside was asked for.
        if (moved.Window != nullptr && moved.Window->isVisible() &&
            (WindowPlace(moved.Window) - moved.To).manhattanLength() <= kFrameSlack)
            moved.Window->move(moved.From);
    }
    movedAside_.clear();
}

void TBestaetigungForm::BringToFront() {
    // A question nobody sees holds up the program that asked it.
    BringWindowToFront(this);
}

void TBestaetigungForm::Focus(ConfirmControl control) {
    if (QWidget* widget = Control(control))
        widget->setFocus(Qt::OtherFocusReason);
}

void TBestaetigungForm::SetControlVisible(ConfirmControl control, bool visible) {
    if (QWidget* widget = Control(control))
        widget->setVisible(visible);
}

void TBestaetigungForm::SetControlEnabled(ConfirmControl control, bool enabled) {
    if (QWidget* widget = Control(control))
        widget->setEnabled(enabled);
}

void TBestaetigungForm::SetCaption(std::u32string_view caption) {
    setWindowTitle(ToQString(caption));
}

void TBestaetigungForm::SetGroupCaptions(std::u32string_view input, std::u32string_view output) {
    inputGroup_->setTitle(ToQString(input));
    outputGroup_->setTitle(ToQString(output));
}

void TBestaetigungForm::SetStopButtonCaption(std::u32string_view caption) {
    stop_->setText(ToQString(caption));
}

void TBestaetigungForm::SetFieldStyle(FieldStyle style) {
    const bool change = style == FieldStyle::Change;
    for (QTextEdit* field : {input_, output_}) {
        QPalette colours = field->palette();
        colours.setColor(QPalette::Base,
                         palette().color(change ? QPalette::Button : QPalette::Base));
        field->setPalette(colours);
        QFont face = field->font();
        face.setBold(change);
        field->setFont(face);
    }
}

void TBestaetigungForm::SetInputText(std::u32string_view text, const std::vector<TextRun>& runs) {
    ShowRichText(input_, text, runs);
}

void TBestaetigungForm::SelectInputText(std::size_t start, std::size_t length) {
    Select(input_, start, length);
}

void TBestaetigungForm::SetOutputText(std::u32string_view text, const std::vector<TextRun>& runs) {
    ShowRichText(output_, text, runs);
}

void TBestaetigungForm::SelectOutputText(std::size_t start, std::size_t length) {
    Select(output_, start, length);
}

void TBestaetigungForm::SetOldAmountLabel(std::u32string_view text) {
    oldAmount_->setText(ToQString(text));
}

void TBestaetigungForm::SetNewAmountLabel(std::u32string_view text) {
    newAmount_->setText(ToQString(text));
}

void TBestaetigungForm::SetEuroAmountLabel(std::u32string_view text) {
    euroAmount_->setText(ToQString(text));
}

void TBestaetigungForm::SetCurrencyLists(const std::vector<CurrencyListEntry>& entries) {
    // Each entry: the flag, and its code a fixed distance right of the flag's left edge
    // (grown with the font). The icon is as wide as that distance less the room the list
    // leaves between icon and text.
    const double scale = std::max(1.0, fontMetrics().height() / kDesignFontHeight);
    const int offset = static_cast<int>(std::lround(kDesignCodeOffset * scale));
    const int flagHeight = std::max(8, fontMetrics().height() - 2);
    const QSize iconSize(std::max(flagHeight * 3 / 2, offset - 4), flagHeight);
    for (QComboBox* list : {sourceList_, targetList_}) {
        const QSignalBlocker quiet(list);
        list->clear();
        list->setIconSize(iconSize);
        for (const CurrencyListEntry& entry : entries) {
            QPixmap icon(iconSize * devicePixelRatioF());
            icon.setDevicePixelRatio(devicePixelRatioF());
            icon.fill(Qt::transparent);
            if (HasCountryFlag(entry.Country)) {
                QPainter painter(&icon);
                painter.setRenderHint(QPainter::Antialiasing);
                PaintCountryFlag(painter, QRectF(0, 0, flagHeight * 1.5, flagHeight),
                                 entry.Country);
            }
            list->addItem(QIcon(icon), ToQString(entry.Code));
        }
    }
}

void TBestaetigungForm::SelectSourceEntry(int position) {
    const QSignalBlocker quiet(sourceList_);
    sourceList_->setCurrentIndex(position);
}

void TBestaetigungForm::SelectTargetEntry(int position) {
    const QSignalBlocker quiet(targetList_);
    targetList_->setCurrentIndex(position);
}

// ---- Position ----

int TBestaetigungForm::Left() const {
    return WindowPlace(this).x();
}

int TBestaetigungForm::Top() const {
    return WindowPlace(this).y();
}

void TBestaetigungForm::SetLeft(int left) {
    move(left, Top());
}

void TBestaetigungForm::SetTop(int top) {
    move(Left(), top);
}

}  // namespace kassavero
