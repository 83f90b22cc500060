// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a screen reader would say of a window's controls.

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QStringList>
#include <QWidget>
#include <algorithm>

namespace kassavero::testing {

// The controls of the window (what takes the focus, shown or not, and the lists of its
// combo boxes) whose accessible name has no letter. Qt's inner parts, popups, menus and
// the containers that only scroll or switch pages are left out.
inline QStringList UnnamedControls(const QWidget* window) {
    const QStringList containers{"QScrollArea", "QTabBar", "QTabWidget", "QMenuBar", "QMenu"};
    QStringList unnamed;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->focusPolicy() == Qt::NoFocus || widget->window() != window ||
            widget->objectName().startsWith(QStringLiteral("qt_")) ||
            containers.contains(QString::fromLatin1(widget->metaObject()->className())))
            continue;
        QWidgetList parts{widget};
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            parts << combo->view();
        for (QWidget* part : parts) {
            const QString name =
                QAccessible::queryAccessibleInterface(part)->text(QAccessible::Name);
            if (std::none_of(name.begin(), name.end(), [](QChar c) { return c.isLetter(); }))
                unnamed << widget->objectName() + QLatin1Char('/') +
                               part->metaObject()->className();
        }
    }
    return unnamed;
}

}  // namespace kassavero::testing
