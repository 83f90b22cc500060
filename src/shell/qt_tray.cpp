// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/qt_tray.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QSvgRenderer>
#include <QSystemTrayIcon>

#include "i18n/translate_widgets.h"
#include "platform/qt_keyboard.h"
#include "platform/qt_text.h"

namespace kassavero {
namespace {

constexpr char kActionProperty[] = "trayAction";
constexpr char kCaptionProperty[] = "trayCaption";

// A gold coin with a euro sign, for a program directory without the icon file.
QPixmap DrawnIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x8a, 0x5a, 0x00), size / 16.0));
    painter.setBrush(QColor(0xf2, 0xb7, 0x05));
    painter.drawEllipse(QRectF(size * 0.06, size * 0.06, size * 0.88, size * 0.88));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(size * 0.6);
    painter.setFont(font);
    painter.setPen(QColor(0x5a, 0x3a, 0x00));
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QString(QChar(0x20ac)));
    return pixmap;
}

}  // namespace

QIcon ProgramIcon(const QString& programDirectory) {
    QIcon icon;
    QSvgRenderer renderer(QDir(programDirectory).filePath(QStringLiteral("icons/kassavero.svg")));
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        if (!renderer.isValid()) {
            icon.addPixmap(DrawnIcon(size));
            continue;
        }
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QtTray::QtTray(TrayMenu& menu, Translator& translator, const QIcon& icon)
    : model_(menu), menu_(std::make_unique<QMenu>()), icon_(std::make_unique<QSystemTrayIcon>()) {
    for (const TrayMenuEntry& entry : kTrayMenu) {
        if (entry.action == TrayAction::None) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = nullptr;
        if (entry.action == TrayAction::Profiles) {
            profiles_ = menu_->addMenu(QString());
            action = profiles_->menuAction();
        } else {
            action = menu_->addAction(QString());
            const TrayAction which = entry.action;
            connect(action, &QAction::triggered, this, [this, which] { model_.Execute(which); });
        }
        action->setProperty(kActionProperty, static_cast<int>(entry.action));
        SetTranslationKey(action, entry.key);
        if (entry.action == kTrayDefaultAction) {
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
        }
    }
    TranslateMenu(menu_.get(), translator);
    for (QAction* action : menu_->actions())
        action->setProperty(kCaptionProperty, action->text());

    icon_->setIcon(icon);
    icon_->setToolTip(QStringLiteral("Kassavero"));
    icon_->setContextMenu(menu_.get());
    connect(icon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick)
                    model_.DoubleClicked();
            });

    model_.SetChangedHandler([this] { Refresh(); });
    Refresh();
}

QtTray::~QtTray() {
    model_.SetChangedHandler({});
}

void QtTray::Show() {
    icon_->show();
}

void QtTray::Hide() {
    icon_->hide();
}

QAction* QtTray::ActionOf(TrayAction action) const {
    for (QAction* candidate : menu_->actions()) {
        if (!candidate->isSeparator() &&
            candidate->property(kActionProperty).toInt() == static_cast<int>(action))
            return candidate;
    }
    return nullptr;
}

void QtTray::Refresh() {
    // The shortcut text stands after a tab, where menus show shortcuts; the hotkey
    // itself is the desktop's, not the menu's.
    for (TrayAction which : {TrayAction::ShowCalculator, TrayAction::ScanClipboard}) {
        QAction* action = ActionOf(which);
        const QString caption = action->property(kCaptionProperty).toString();
        // Named as the settings window names it, in Qt's key names.
        const QString shortcut = HotkeyText(model_.ShownShortcut(which));
        action->setText(shortcut.isEmpty() ? caption : caption + QLatin1Char('\t') + shortcut);
    }

    const std::vector<std::u32string>& names = model_.ProfileEntries();
    // Rebuilt only when the list changed: a click on an entry must not delete it
    // while its signal runs.
    if (shownProfiles_ != names) {
        shownProfiles_ = names;
        profiles_->clear();
        for (std::size_t i = 0; i < names.size(); ++i) {
            // Profile names are the user's own: no access key may hide in them.
            QString caption = ToQString(names[i]);
            QAction* action = profiles_->addAction(caption.replace(QLatin1Char('&'), "&&"));
            action->setCheckable(true);
            const int index = static_cast<int>(i);
            connect(action, &QAction::triggered, this, [this, index] {
                model_.ProfileClicked(index);
                Refresh();  // the tick stays where activation put it
            });
        }
    }
    const QList<QAction*> entries = profiles_->actions();
    for (qsizetype i = 0; i < entries.size(); ++i)
        entries[i]->setChecked(i == model_.CheckedProfile());
    profiles_->menuAction()->setEnabled(!names.empty());
}

}  // namespace kassavero
