// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/translate_widgets.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVariant>

#include "i18n/translation.h"
#include "platform/qt_text.h"

namespace kassavero {
namespace {

// The tab widget that shows the widget as one of its pages, if any. Pages sit in the tab
// widget's internal stack.
QTabWidget* TabWidgetOfPage(QWidget* widget) {
    auto* stack = qobject_cast<QStackedWidget*>(widget->parentWidget());
    if (stack == nullptr)
        return nullptr;
    auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
    if (tabs == nullptr || tabs->indexOf(widget) < 0)
        return nullptr;
    return tabs;
}

void SetCaption(QWidget* control, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (QTabWidget* tabs = TabWidgetOfPage(control)) {
        tabs->setTabText(tabs->indexOf(control), text);
    } else if (control->isWindow()) {
        control->setWindowTitle(text);
    }
}

}  // namespace

void SetTranslationKey(QObject* object, std::string_view key) {
    object->setProperty(kTranslationKeyProperty,
                        QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
}

std::string TranslationKeyOf(const QObject* object) {
    return object->property(kTranslationKeyProperty).toString().toStdString();
}

void TranslateControls(QWidget* control, Translator& translator) {
    if (qobject_cast<QMenu*>(control) != nullptr || qobject_cast<QMenuBar*>(control) != nullptr) {
        return;
    }
    if (const std::string key = TranslationKeyOf(control); !key.empty()) {
        SetCaption(control, ToQString(translator.TranslateKey(key)));
    }
    for (QObject* child : control->children()) {
        if (auto* widget = qobject_cast<QWidget*>(child))
            TranslateControls(widget, translator);
    }
}

void TranslateMenu(QAction* item, Translator& translator) {
    QMenu* submenu = item->menu();
    // A submenu's title is the text of its action; its key may sit on either.
    std::string key = TranslationKeyOf(item);
    if (key.empty() && submenu != nullptr)
        key = TranslationKeyOf(submenu);
    if (!key.empty())
        item->setText(ToQString(translator.TranslateKey(key)));
    if (submenu != nullptr) {
        for (QAction* action : submenu->actions())
            TranslateMenu(action, translator);
    }
}

void TranslateMenu(QWidget* menu, Translator& translator) {
    if (auto* popup = qobject_cast<QMenu*>(menu)) {
        TranslateMenu(popup->menuAction(), translator);
        return;
    }
    for (QAction* action : menu->actions())
        TranslateMenu(action, translator);
}

QString SpokenCaption(const QString& caption) {
    QString spoken;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;  // "&&" stands for one ampersand
        spoken += caption[i];
    }
    spoken = spoken.trimmed();
    while (spoken.endsWith(QLatin1Char(':')) || spoken.endsWith(QLatin1Char('.')) ||
           spoken.endsWith(QChar(0x2026)))
        spoken.chop(1);
    return spoken.trimmed();
}

void NameByCaption(QWidget* field, const QWidget* caption) {
    QString text;
    if (const auto* button = qobject_cast<const QAbstractButton*>(caption))
        text = button->text();
    else if (const auto* label = qobject_cast<const QLabel*>(caption))
        text = label->text();
    else if (const auto* group = qobject_cast<const QGroupBox*>(caption))
        text = group->title();
    field->setAccessibleName(SpokenCaption(text));
}

void NameDropDownLists(QWidget* window) {
    for (QComboBox* combo : window->findChildren<QComboBox*>()) {
        // The combo box's own name may come from its label (its buddy).
        if (const QAccessibleInterface* named = QAccessible::queryAccessibleInterface(combo))
            combo->view()->setAccessibleName(SpokenCaption(named->text(QAccessible::Name)));
    }
}

}  // namespace kassavero
