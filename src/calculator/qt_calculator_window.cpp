// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/qt_calculator_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "calculator/sk_edit.h"
#include "core/number_text.h"
#include "i18n/translate_widgets.h"
#include "platform/flag_painter.h"
#include "platform/qt_text.h"
#include "platform/qt_window_front.h"
#include "settings/currency_names.h"
#include "settings/profile_settings.h"

namespace kassavero {
namespace {

// The design's field height, against which the flag and the margins grow.
constexpr double kDesignFieldHeight = 21.0;
// Room a label keeps beside its text.
constexpr int kLabelPadding = 4;

constexpr std::array kEditActions = {
    std::pair{EditAction::Copy, TrKey("RechnerKopierenMenuItem")},
    std::pair{EditAction::Cut, TrKey("RechnerAusschneidenMenuItem")},
    std::pair{EditAction::Paste, TrKey("RechnerEinfuegenMenuItem")},
};

QKeySequence EditShortcut(EditAction action) {
    switch (action) {
        case EditAction::Copy:
            return QKeySequence(QKeySequence::Copy);
        case EditAction::Cut:
            return QKeySequence(QKeySequence::Cut);
        case EditAction::Paste:
            break;
    }
    return QKeySequence(QKeySequence::Paste);
}

// The keys the model's key handler knows.
CalculatorKey KeyOf(int key) {
    switch (key) {
        case Qt::Key_Up:
            return CalculatorKey::Up;
        case Qt::Key_Down:
            return CalculatorKey::Down;
        case Qt::Key_Insert:
            return CalculatorKey::Insert;
        case Qt::Key_Delete:
            return CalculatorKey::Delete;
        case Qt::Key_C:
            return CalculatorKey::C;
        case Qt::Key_X:
            return CalculatorKey::X;
        default:
            return CalculatorKey::Other;
    }
}

int Scaled(int design, double scale) {
    return static_cast<int>(std::lround(design * scale));
}

int WidestText(const QFontMetrics& metrics, const QStringList& texts) {
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

QFont WithBold(QFont font, bool bold) {
    font.setBold(bold);
    return font;
}

// A label's text; a text too long for the column (a custom currency's) is shortened with
// an ellipsis and shown whole in its tooltip.
void ShowLabelText(QLabel* label, const QString& text, int width) {
    const QFontMetrics metrics(label->font());
    const QString shown = metrics.horizontalAdvance(text) <= width - kLabelPadding
                              ? text
                              : metrics.elidedText(text, Qt::ElideRight, width - kLabelPadding);
    if (label->text() != shown)
        label->setText(shown);
    label->setToolTip(shown == text ? QString() : text);
}

}  // namespace

CalculatorGeometry MeasureCalculatorGeometry(const ProfileSettings& settings,
                                             char32_t decimalSeparator,
                                             std::uint16_t systemLanguageId) {
    CalculatorGeometry geometry;
    // Measured as a field of the window measures, in the pixels of the screen it is on.
    const TSKEdit probe(decimalSeparator);
    const QFontMetrics plain = probe.fontMetrics();
    const QFontMetrics bold(WithBold(probe.font(), true), &probe);
    const int fieldHeight = probe.sizeHint().height();
    const double scale = std::max(1.0, fieldHeight / kDesignFieldHeight);
    // The frame and margins of a field, beside its text.
    const int fieldPadding =
        std::max(8, probe.sizeHint().width() - 17 * plain.horizontalAdvance(QLatin1Char('x')));

    QStringList amounts{QStringLiteral("-") + QString(static_cast<int>(kMaxTypedDigits), '0') +
                        QLatin1Char(decimalSeparator)};
    QStringList codes{QStringLiteral("CUS1")};
    QStringList names;
    QStringList rates;
    for (CurrencyIndex c = 0; c < kFixedCurrencyCount; ++c) {
        codes << ToQString(CurrencyCode(c));
        for (const int language : {0, 1, 3})
            names << ToQString(CurrencyName(settings, c, language));
        names << ToQString(CalculatorCurrencyName(settings, c, systemLanguageId));
        rates << ToQString(FormatGeneralNumber(FixedCurrencyRate(c), decimalSeparator));
    }

    geometry.FieldLeft = Scaled(geometry.FieldLeft, scale);
    geometry.FieldWidth = std::max(geometry.FieldWidth, WidestText(bold, amounts) + fieldPadding);
    geometry.CodeWidth = std::max(geometry.CodeWidth, WidestText(bold, codes) + kLabelPadding);
    geometry.FlagWidth = Scaled(geometry.FlagWidth, scale);
    geometry.NameWidth = std::max(geometry.NameWidth, WidestText(bold, names) + kLabelPadding);
    geometry.RateWidth = std::max(geometry.RateWidth, WidestText(bold, rates) + kLabelPadding);
    geometry.RateLeft = geometry.FieldLeft + geometry.FieldWidth + kCalculatorColumnGap +
                        geometry.CodeWidth + kCalculatorColumnGap + geometry.FlagWidth +
                        kCalculatorColumnGap + geometry.NameWidth + kCalculatorColumnGap;
    // The right margin matches the left one.
    geometry.WindowWidth = geometry.RateLeft + geometry.RateWidth + geometry.FieldLeft;
    geometry.RowPitch = std::max(geometry.RowPitch, fieldHeight + Scaled(3, scale));
    const int margin = Scaled(4, scale);
    geometry.WindowHeight = 2 * margin + (kCalculatorSlots - 1) * geometry.RowPitch + fieldHeight;
    return geometry;
}

TRechnerForm::TRechnerForm(CalculatorModel& model, Translator& translator,
                           char32_t decimalSeparator, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      model_(model) {
    SetTranslationKey(this, kCalculatorCaptionKey);
    setWindowTitle(QStringLiteral("Kassavero W\u00e4hrungsrechner"));

    menuBar_ = new QMenuBar(this);
    contextMenu_ = new QMenu(this);
    client_ = new QWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar_);
    layout->addWidget(client_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    BuildMenus();
    BuildRows(decimalSeparator);
    TranslateControls(this, translator);
    TranslateMenu(menuBar_, translator);
    TranslateMenu(contextMenu_, translator);

    model_.SetView(this);
    Sync();
    defaultPlace_ = DefaultPlace();
    model_.SetLeft(defaultPlace_->x());
    model_.SetTop(defaultPlace_->y());
}

QPoint TRechnerForm::DefaultPlace() {
    // Until a position is stored the window opens in the top right corner of the screen:
    // the middle is where documents, questions and their message boxes are.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return QPoint(0, 0);
    const QRect available = screen->availableGeometry();
    const int margin = available.width() / 50;
    this->layout()->activate();
    return QPoint(available.right() + 1 - sizeHint().width() - margin, available.top() + margin);
}

TRechnerForm::~TRechnerForm() {
    model_.SetView(nullptr);
}

void TRechnerForm::BuildMenus() {
    for (const CalculatorMenu& menu : CalculatorMenus()) {
        QMenu* sub = menuBar_->addMenu(ToQString(menu.Key));
        SetTranslationKey(sub, menu.Key);
        for (const CalculatorMenuItem& item : menu.Items) {
            QAction* action = sub->addAction(ToQString(item.Key));
            SetTranslationKey(action, item.Key);
            const CalculatorCommand command = item.Command;
            action->setCheckable(command >= CalculatorCommand::HighPrecision &&
                                 command <= CalculatorCommand::CurrencySettings);
            connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
            commands_[static_cast<std::size_t>(command)] = action;
        }
    }

    // The right mouse button offers the clipboard commands of the fields and the menus.
    for (const auto& [editAction, key] : kEditActions) {
        QAction* action = contextMenu_->addAction(ToQString(key));
        SetTranslationKey(action, key);
        action->setShortcut(EditShortcut(editAction));
        // The fields do the work of the keys themselves; the shortcut is shown only.
        action->setShortcutContext(Qt::WidgetShortcut);
        const EditAction what = editAction;
        connect(action, &QAction::triggered, this, [this, what] { RunEditAction(what); });
        editActions_[static_cast<std::size_t>(editAction)] = action;
    }
    contextMenu_->addSeparator();
    for (QAction* menu : menuBar_->actions())
        contextMenu_->addAction(menu);
}

void TRechnerForm::BuildRows(char32_t decimalSeparator) {
    for (int n = 0; n < kCalculatorSlots; ++n) {
        Row& row = rows_[Index(n)];
        row.Field = new TSKEdit(decimalSeparator, client_);
        row.Code = new QLabel(client_);
        row.Flag = new QLabel(client_);
        row.Name = new QLabel(client_);
        row.Rate = new QLabel(client_);
        row.Rate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row.Flag->setAlignment(Qt::AlignCenter);
        for (QLabel* label : {row.Code, row.Name})
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        ConnectField(n);
    }
    fieldHeight_ = std::min(rows_[0].Field->sizeHint().height(), model_.Geometry().RowPitch);
    const CalculatorGeometry& geometry = model_.Geometry();
    topMargin_ = std::max(
        0, (geometry.WindowHeight - (kCalculatorSlots - 1) * geometry.RowPitch - fieldHeight_) / 2);
}

void TRechnerForm::ConnectField(int slot) {
    TSKEdit* field = rows_[Index(slot)].Field;
    field->installEventFilter(this);
    field->SetKeyPressHandler([this, slot, field](char32_t& key) {
        model_.SelectionChanged(slot, field->Selection());
        ReportPosition();
        model_.EditKeyPress(slot, key);
        Sync();
    });
    connect(field, &QLineEdit::textEdited, this, [this, slot, field](const QString& text) {
        if (syncing_)
            return;
        model_.FieldEdited(slot, FromQString(text), field->Selection());
        Sync();
    });
    const auto selection = [this, slot, field] {
        if (!syncing_)
            model_.SelectionChanged(slot, field->Selection());
    };
    connect(field, &QLineEdit::selectionChanged, this, selection);
    connect(field, &QLineEdit::cursorPositionChanged, this, selection);
}

// ---- Events ----

bool TRechnerForm::eventFilter(QObject* watched, QEvent* event) {
    int slot = -1;
    for (int n = 0; n < kCalculatorSlots; ++n) {
        if (watched == rows_[Index(n)].Field)
            slot = n;
    }
    if (slot < 0 || syncing_)
        return QWidget::eventFilter(watched, event);
    TSKEdit* field = rows_[Index(slot)].Field;
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            const CalculatorKey known = KeyOf(key->key());
            if (known == CalculatorKey::Other)
                break;
            KeyModifiers modifiers;
            modifiers.Shift = key->modifiers().testFlag(Qt::ShiftModifier);
            modifiers.Ctrl = key->modifiers().testFlag(Qt::ControlModifier);
            modifiers.Alt = key->modifiers().testFlag(Qt::AltModifier);
            model_.SelectionChanged(slot, field->Selection());
            const bool consumed = model_.EditKeyDown(slot, known, modifiers);
            Sync();
            return consumed;
        }
        case QEvent::FocusIn: {
            // Coming back to the window is not entering the field.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
                break;
            model_.EditEnter(slot);
            focusedSlotShown_ = slot;
            Sync();
            // The click that brought the focus places the caret after this; its release
            // selects the whole line again, unless the mouse chose a part of it.
            enteredByMouse_ = reason == Qt::MouseFocusReason ? slot : -1;
            break;
        }
        case QEvent::MouseButtonPress:
            // A click into the line that has the focus already enters it anew.
            if (field->hasFocus() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                enteredByMouse_ = slot;
            break;
        case QEvent::MouseButtonRelease:
            if (enteredByMouse_ == slot && !field->hasSelectedText()) {
                model_.EditEnter(slot);
                Sync();
            }
            enteredByMouse_ = -1;
            break;
        case QEvent::FocusOut:
            enteredByMouse_ = -1;
            model_.EditExit(slot);
            break;
        case QEvent::MouseButtonDblClick:
            model_.FormDblClick();
            return true;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void TRechnerForm::closeEvent(QCloseEvent* event) {
    // Closing only hides; the amounts stay for the next showing.
    event->ignore();
    ReportPosition();
    model_.Hide();
}

void TRechnerForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A minimised tool window has no taskbar entry to come back from: it is hidden like
    // a closed one, so that the hotkey and the tray menu show it again.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && !syncing_ &&
        model_.Visible()) {
        ReportPosition();
        model_.Hide();
    }
}

void TRechnerForm::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!syncing_)
        ReportPosition();
}

void TRechnerForm::contextMenuEvent(QContextMenuEvent* event) {
    const int slot = ActiveSlot();
    const TSKEdit* field = slot >= 0 ? rows_[Index(slot)].Field : nullptr;
    const bool selected = field != nullptr && field->hasSelectedText();
    Action(EditAction::Copy)->setEnabled(selected);
    Action(EditAction::Cut)->setEnabled(selected);
    Action(EditAction::Paste)->setEnabled(field != nullptr);
    contextMenu_->popup(event->globalPos());
    event->accept();
}

void TRechnerForm::mouseDoubleClickEvent(QMouseEvent* event) {
    // Labels and flags pass their clicks on to the window.
    event->accept();
    model_.FormDblClick();
}

void TRechnerForm::ReportPosition() {
    if (isVisible()) {
        const QPoint place = WindowPlace(this);
        model_.SetLeft(place.x());
        model_.SetTop(place.y());
    }
}

int TRechnerForm::ActiveSlot() const {
    const QWidget* focused = focusWidget();
    for (int n = 0; n < kCalculatorSlots; ++n) {
        if (focused != nullptr && focused == rows_[Index(n)].Field)
            return n;
    }
    return -1;
}

void TRechnerForm::RunCommand(CalculatorCommand command) {
    ReportPosition();
    model_.Execute(command);
    Sync();
}

void TRechnerForm::RunEditAction(EditAction action) {
    const int slot = ActiveSlot();
    if (slot < 0)
        return;
    TSKEdit* field = rows_[Index(slot)].Field;
    model_.ActionList1Execute(action);
    switch (action) {
        case EditAction::Copy:
            field->copy();
            break;
        case EditAction::Cut:
            field->cut();
            break;
        case EditAction::Paste:
            field->PasteFiltered();
            break;
    }
}

QAction* TRechnerForm::Action(CalculatorCommand command) const {
    return commands_[static_cast<std::size_t>(command)];
}

QAction* TRechnerForm::Action(EditAction action) const {
    return editActions_[static_cast<std::size_t>(action)];
}

// ---- Showing the model ----

void TRechnerForm::ModelChanged() {
    Sync();
}

void TRechnerForm::BringToFront() {
    BringWindowToFront(this);
}

void TRechnerForm::Sync() {
    if (syncing_)
        return;
    syncing_ = true;
    client_->setFixedSize(model_.Width(), model_.Height());
    for (int n = 0; n < kCalculatorSlots; ++n)
        SyncRow(n);
    for (int c = 0; c < static_cast<int>(commands_.size()); ++c) {
        const auto command = static_cast<CalculatorCommand>(c);
        if (QAction* action = commands_[static_cast<std::size_t>(c)]) {
            if (action->isCheckable())
                action->setChecked(model_.IsChecked(command));
            action->setEnabled(model_.CommandAvailable(command));
        }
    }
    SyncVisibility();
    syncing_ = false;
}

void TRechnerForm::SyncRow(int slot) {
    const CalculatorGeometry& geometry = model_.Geometry();
    const LineSlot& line = model_.Slot(slot);
    Row& row = rows_[Index(slot)];
    const int top = topMargin_ + slot * geometry.RowPitch;

    TSKEdit* field = row.Field;
    field->setGeometry(geometry.FieldLeft, top, geometry.FieldWidth, fieldHeight_);
    field->setFont(WithBold(font(), line.Field.Bold));
    field->SetAlignment(line.Field.Edit.Alignment());
    const QString text = ToQString(line.Field.Edit.Text());
    if (field->text() != text)
        field->setText(text);
    // Only the line being worked in shows its selection.
    if (slot == model_.FocusedSlot())
        field->SetSelection(line.Field.Edit.Selection());
    else if (field->hasSelectedText())
        field->deselect();
    field->setVisible(line.Field.Visible);
    // A screen reader names the line by its currency, whichever columns are shown.
    const QString name = ToQString(
        line.Name.Text.empty() ? line.Code.Text : line.Code.Text + U", " + line.Name.Text);
    if (field->accessibleName() != name)
        field->setAccessibleName(name);

    const auto showLabel = [&](QLabel* label, const CalculatorLabel& shown, int width) {
        label->setFont(WithBold(font(), shown.Bold));
        label->setGeometry(shown.Left, top, width, fieldHeight_);
        ShowLabelText(label, ToQString(shown.Text), width);
        label->setVisible(shown.Visible);
    };
    showLabel(row.Code, line.Code, geometry.CodeWidth);
    showLabel(row.Name, line.Name, geometry.NameWidth);
    showLabel(row.Rate, line.Rate, geometry.RateWidth);

    // A 3:2 flag as tall as the row allows.
    const int flagHeight = std::min(fieldHeight_ - 2, geometry.FlagWidth * 2 / 3);
    row.Flag->setGeometry(line.Flag.Left, top, geometry.FlagWidth, fieldHeight_);
    if (row.FlagShown != line.Flag.Country) {
        row.FlagShown = line.Flag.Country;
        if (HasCountryFlag(line.Flag.Country))
            row.Flag->setPixmap(CountryFlagPixmap(
                line.Flag.Country, QSize(flagHeight * 3 / 2, flagHeight), devicePixelRatioF()));
        else
            row.Flag->clear();
    }
    row.Flag->setVisible(line.Flag.Visible);
}

void TRechnerForm::SyncVisibility() {
    if (!model_.Visible()) {
        focusedSlotShown_ = -1;
        if (isVisible())
            hide();
        return;
    }
    const bool showing = !isVisible();
    if (showing) {
        // Hidden when it was minimised, it comes back as a window, not as an icon.
        if (isMinimized())
            setWindowState(windowState() & ~Qt::WindowMinimized);
        // Its columns are known now.
        if (defaultPlace_ && QPoint(model_.Left(), model_.Top()) == *defaultPlace_) {
            defaultPlace_ = DefaultPlace();
            model_.SetLeft(defaultPlace_->x());
            model_.SetTop(defaultPlace_->y());
        } else {
            defaultPlace_.reset();
        }
        // A position saved on a screen that is gone would put the window out of reach.
        PlaceWindow(this, QPoint(model_.Left(), model_.Top()));
        const QPoint place = WindowPlace(this);
        model_.SetLeft(place.x());
        model_.SetTop(place.y());
        show();
    }
    const int focused = model_.FocusedSlot();
    if (focused >= 0 && (showing || focused != focusedSlotShown_)) {
        focusedSlotShown_ = focused;
        rows_[Index(focused)].Field->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace kassavero
