// SPDX-License-Identifier: GPL-3.0-or-later
// The tray menu as the user sees it: entries in order with their captions, the bold
// default, the hotkeys as shortcut text, and the profile submenu with its tick.

#include "shell/qt_tray.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

#include "fakes/fake_about_window.h"
#include "fakes/fake_calculator_access.h"
#include "fakes/fake_global_hotkeys.h"
#include "fakes/fake_help.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_name_input.h"
#include "fakes/fake_settings_window.h"
#include "fakes/fake_system_info.h"
#include "fakes/fake_translator.h"
#include "fakes/temp_dir.h"
#include "platform/message_loop.h"
#include "platform/program_windows.h"
#include "platform/registry_file.h"
#include "settings/active_profile.h"
#include "settings/profile_manager.h"

namespace kassavero {
namespace {

struct ImmediateLoop final : MessageLoop {
    void ProcessPendingMessages() override {}
    void RunUntil(const std::function<bool()>&) override {}
};

struct NoScanner final : ClipboardScanner {
    int scans = 0;
    void ScanClipboard(bool) override { ++scans; }
};

}  // namespace

class QtTrayTest : public QObject {
    Q_OBJECT

  private slots:
    void MenuAsTheUserSeesIt() {
        testing::TempDir temp;
        RegistryFile store(temp.Path() / "Kassavero");
        ActiveProfile profile;
        testing::FakeSystemInfo system;
        testing::FakeTranslator translator;
        translator.texts = {{"EinstellungenMenuitem", U"&Settings"},
                            {"W\xC3\xA4hrungsrechnerAnzeigenMenuitem", U"Show &calculator"}};
        testing::FakeMessageBoxes boxes;
        testing::FakeNameInput nameInput;
        ProfileManager profiles(profile, store, system, translator, boxes, nameInput);
        profiles.LoadAtStartUp(U"English");
        nameInput.answer = U"A & B";
        profiles.SaveProfileAs();

        testing::FakeSettingsWindow settings;
        testing::FakeCalculatorAccess calculator;
        NoScanner scanner;
        testing::FakeHelp help;
        testing::FakeAboutWindow about;
        testing::FakeGlobalHotkeys hotkeys;
        ImmediateLoop loop;
        TrayMenu model({profile,
                        profiles,
                        settings,
                        calculator,
                        {},
                        scanner,
                        help,
                        about,
                        hotkeys,
                        loop,
                        [] { return true; },
                        [] {}});
        QtTray tray(model, translator, QIcon());

        QStringList seen;
        for (QAction* action : tray.Menu()->actions())
            seen << (action->isSeparator() ? QStringLiteral("-") : action->text());
        const QStringList expected{
            QStringLiteral("Show &calculator\tCtrl+Alt+W"),
            QStringLiteral("[ZwischenablageDurchsuchenMenuitem]\tCtrl+Alt+Z"),
            QStringLiteral("-"),
            QStringLiteral("&Settings"),
            QStringLiteral("[ProfilAktivierenMenuitem]"),
            QStringLiteral("-"),
            QStringLiteral("[HilfeMenuitem]"),
            QString::fromUtf8("[Info\xc3\x9c"
                              "berMenuItem]"),
            QStringLiteral("-"),
            QStringLiteral("[BeendenMenuItem]"),
        };
        QCOMPARE(seen, expected);
        QVERIFY(tray.ActionOf(TrayAction::Settings)->font().bold());
        QVERIFY(!tray.ActionOf(TrayAction::Help)->font().bold());

        // The user's profile name shows as typed; the active one is ticked.
        const QList<QAction*> entries = tray.ProfileMenu()->actions();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[1]->text(), QStringLiteral("A && B"));
        QVERIFY(entries[1]->isChecked() && !entries[0]->isChecked());
        entries[0]->trigger();
        QVERIFY(tray.ProfileMenu()->actions()[0]->isChecked());
        QVERIFY(!tray.ProfileMenu()->actions()[1]->isChecked());

        // Switching a hotkey off takes its shortcut text away at once.
        profile.MutableSettings().ClipboardUseHotkey = false;
        profile.NotifySettingsChanged();
        QCOMPARE(tray.ActionOf(TrayAction::ScanClipboard)->text(),
                 QStringLiteral("[ZwischenablageDurchsuchenMenuitem]"));

        tray.ActionOf(TrayAction::ScanClipboard)->trigger();
        QCOMPARE(scanner.scans, 1);
    }
};

}  // namespace kassavero

QTEST_MAIN(kassavero::QtTrayTest)
#include "qt_tray_test.moc"
