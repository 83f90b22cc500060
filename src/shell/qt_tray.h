// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The icon in the notification area and its menu: shows the state of TrayMenu and
// hands the user's clicks to it.

#include <QIcon>
#include <QObject>

#include <memory>
#include <string>
#include <vector>

#include "shell/tray_menu.h"

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace kassavero {

class Translator;

// The program's icon, drawn from data/icons/kassavero.svg beside the program (a
// built-in drawing when the file is missing), at the sizes desktops ask for.
QIcon ProgramIcon(const QString& programDirectory);

class QtTray final : public QObject {
    Q_OBJECT
  public:
    // Builds and translates the menu; the icon is not shown until Show().
    QtTray(TrayMenu& menu, Translator& translator, const QIcon& icon);
    ~QtTray() override;

    // Puts the icon into the notification area.
    void Show();
    void Hide();

    QMenu* Menu() const { return menu_.get(); }
    QMenu* ProfileMenu() const { return profiles_; }
    QAction* ActionOf(TrayAction action) const;

  private:
    void Refresh();

    TrayMenu& model_;
    std::unique_ptr<QMenu> menu_;
    QMenu* profiles_ = nullptr;
    std::vector<std::u32string> shownProfiles_;
    std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace kassavero
