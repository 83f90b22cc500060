#pragma once

// What a screen reader would say of a window's controls.

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace kassavero::testing {

// The controls of the window (every widget that can take the focus, shown or not, and the
// drop-down lists of its combo boxes) whose accessible name has no letter, by object name
// or class.
inline QStringList UnnamedControls(const QWidget* window) {
    QStringList unnamed;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        // Qt's own parts of a control, popups, and containers that only scroll or switch.
        if (widget->focusPolicy() == Qt::NoFocus || widget->window() != window ||
            widget->objectName().startsWith(QStringLiteral("qt_")) ||
            qobject_cast<QScrollArea*>(widget) != nullptr ||
            qobject_cast<QTabBar*>(widget) != nullptr ||
            qobject_cast<QTabWidget*>(widget) != nullptr ||
            qobject_cast<QMenuBar*>(widget) != nullptr || qobject_cast<QMenu*>(widget) != nullptr)
            continue;
        QList<QWidget*> parts{widget};
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            parts << combo->view();  // its drop-down list
        for (QWidget* part : parts) {
            const QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(part);
            const QString name =
                accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
            bool letter = false;
            for (const QChar c : name)
                letter = letter || c.isLetter();
            if (!letter) {
                unnamed << (widget->objectName().isEmpty()
                                ? QString::fromLatin1(part->metaObject()->className())
                                : widget->objectName());
            }
        }
    }
    return unnamed;
}

}  // namespace kassavero::testing
