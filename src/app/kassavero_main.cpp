// SPDX-License-Identifier: GPL-3.0-or-later
// kassavero: the tray program. main() is the composition root: it creates every service
// and window once, in start-up order, hands each the references it needs, runs the
// event loop and takes everything down in the reverse order.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSystemTrayIcon>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "app/dde_form.h"
#include "calculator/calculator_model.h"
#include "calculator/qt_calculator_window.h"
#include "confirm/confirmation_dialog.h"
#include "confirm/engine_desktop_adapter.h"
#include "confirm/qt_confirmation_window.h"
#include "core/currency.h"
#include "core/unicode_text.h"
#include "engine/engine.h"
#include "i18n/interface_language.h"
#include "i18n/translation.h"
#include "kassavero_version.h"
#include "macro/status_file.h"
#include "platform/atomic_file.h"
#include "platform/dbus_dde_service.h"
#include "platform/dde_names.h"
#include "platform/dde_server.h"
#include "platform/large_buffers.h"
#include "platform/posix_system_info.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_desktop_help.h"
#include "platform/qt_instance_lock.h"
#include "platform/qt_message_boxes.h"
#include "platform/qt_message_loop.h"
#include "platform/qt_text.h"
#include "platform/qt_translations.h"
#include "platform/qt_unix_signals.h"
#include "platform/registry_file.h"
#include "platform/single_message_box.h"
#include "platform/vector_state.h"
#include "platform/x11_global_hotkeys.h"
#include "settings/active_profile.h"
#include "settings/profile_manager.h"
#include "settings/transfer_ini_file.h"
#include "settings_windows/qt_settings_dialog.h"
#include "settings_windows/qt_string_input_form.h"
#include "settings_windows/qt_symbol_list_form.h"
#include "shell/clipboard_conversion.h"
#include "shell/qt_about_window.h"
#include "shell/qt_clipboard_form.h"
#include "shell/qt_tray.h"
#include "shell/tray_menu.h"

namespace kassavero {
namespace {

constexpr const char32_t* kTitle = U"Kassavero";

// A start that cannot run ends with these, so an autostart or the bus reports it.
constexpr int kExitLockUnjudged = 2;
constexpr int kExitOtherSession = 3;
constexpr int kExitSharedFolder = 4;

// A Kassavero of this session that is still starting holds the lock before it owns its
// name on the bus; for this long after taking the lock it is not taken for another
// session's.
constexpr std::chrono::seconds kStartUpTime{10};

constexpr const char* kUsage =
    "Usage: kassavero [/nowarning]\n"
    "       kassavero --help | --version\n"
    "\n"
    "Kassavero converts amounts between the euro and the currencies it replaced. It\n"
    "lives in the notification area (system tray); its calculator, settings and\n"
    "clipboard conversion are reached from the tray icon's menu, from two global\n"
    "hotkeys (Ctrl+Alt+W and Ctrl+Alt+Z by default) and from kassavero-dde.\n"
    "Only one Kassavero runs per user; a second start says so and ends. It ends with its\n"
    "session bus; a start that finds a Kassavero of another session fails (status 3).\n"
    "A settings folder that other users can write is refused (status 4).\n"
    "\n"
    "  /nowarning   end silently (without the message) when Kassavero is already running\n"
    "               in this session; other failures go to standard error only\n"
    "  --help       print this text and end\n"
    "  --version    print the version and end\n"
    "\n"
    "Settings: $XDG_CONFIG_HOME/Kassavero/registry.reg (~/.config/Kassavero by default).\n"
    "Word processors, spreadsheets and scripts reach Kassavero on the session bus; see\n"
    "kassavero-dde --help.\n";

// The directory the program was started from, through any links.
std::filesystem::path ProgramDirectory() {
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

// Without a notification area the program has no icon; every other way in still works.
// Said on standard error at every start and, on a screen someone looks at, in a message
// the first time only. The message does not hold up the start.
void ReportMissingTray(Registry& store, Translator& translator) {
    std::fprintf(stderr,
                 "kassavero: this desktop has no notification area (system tray), so Kassavero "
                 "shows no icon. Use the hotkeys, or kassavero-dde show-calculator, "
                 "scan-clipboard and \"call settings showdialog\".\n");
    if (!FirstStartWithoutTray(store,
                               QGuiApplication::platformName() != QStringLiteral("offscreen")))
        return;
    auto* box =
        new QMessageBox(QMessageBox::Information, QString::fromUcs4(kTitle),
                        ToQString(translator.TranslateKey("KeinInfobereich")), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // A message box is modal unless told otherwise; this one must not block the windows.
    box->setWindowModality(Qt::NonModal);
    box->show();
}

// What the start-up settles before the one instance runs: the language, the machine and
// where the program's files are.
struct StartUp {
    QApplication& app;
    std::filesystem::path programDirectory;
    std::filesystem::path configDirectory;
    Translation& translation;
    QString language;
    const PosixSystemInfo& system;
    CurrencyIndex home;
    QtMessageBoxes& qtMessageBoxes;
    SingleMessageBox& messageBoxes;
    std::string service;
};

// The services and windows the hidden main window stands on, made before it.
struct Services {
    const StartUp& start;
    UnixSignals& unixSignals;
    const bool& terminated;
    QtMessageLoop& messageLoop;
    DesktopHelp& help;
    RegistryFile& store;
    TAboutForm& about;
    ActiveProfile& profile;
    ProfileManager& profiles;
    TEinstellungen2Form& settingsForm;
    ClipboardConversion& editorForm;
    CalculatorModel& calculator;
    ConfirmationDialog& confirmation;
};

// Another user who can write the settings folder could change the settings, or plant a
// lock there and hold every start off: refused, as ssh refuses such a key folder.
bool RefuseSharedFolder(const std::filesystem::path& configDirectory) {
    const std::string problem = OthersCanWrite(configDirectory);
    if (problem.empty())
        return false;
    std::fprintf(stderr,
                 "kassavero: %s, so other users could change Kassavero's settings or keep "
                 "it from starting. Make it writable by you alone (chmod go-w) and start "
                 "Kassavero again.\n",
                 problem.c_str());
    return true;
}

// One instance per user: a second one in the same session says so (unless told not to)
// and ends without touching anything. The exit status when this start is to end.
std::optional<int> EndIfRunning(InstanceLock& instance, const std::string& service, bool noWarning,
                                Translation& translation, SingleMessageBox& messageBoxes) {
    InstanceLock::State lock = instance.TryLock();
    bool reachable = true;
    for (int look = 0; lock == InstanceLock::State::Running; ++look) {
        if (look > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        // Once the name has an owner here, this session is served, whoever took the lock
        // meanwhile. Without a session bus to ask, the holder counts as this session's.
        reachable = SessionBusNameHasOwner(DdeBusName(service)).value_or(true);
        if (reachable || instance.HeldFor() >= kStartUpTime)
            break;
        lock = instance.TryLock();
    }
    // Neither of these may end in silence: this session could neither start Kassavero
    // nor reach it, so the autostart and the bus are told by the exit status as well.
    if (lock == InstanceLock::State::Unjudged) {
        const std::string path = instance.Path().toStdString();
        const std::string problem = instance.Problem().toStdString();
        std::fprintf(stderr,
                     "kassavero: cannot tell whether Kassavero is already running: its lock file "
                     "%s cannot be judged (%s). If no Kassavero is running, remove the file and "
                     "start Kassavero again.\n",
                     path.c_str(), problem.c_str());
        if (!noWarning) {
            messageBoxes.ShowMessageBox(translation.TranslateKey("SperrdateiNichtPruefbar") +
                                            Utf8ToText(path) + U"\n(" + Utf8ToText(problem) + U")",
                                        kTitle, mb::kOk | mb::kIconWarning);
        }
        return kExitLockUnjudged;
    }
    if (lock == InstanceLock::State::Running && !reachable) {
        const std::string pid = std::to_string(instance.HolderPid());
        std::fprintf(stderr,
                     "kassavero: Kassavero is still running in another session (process %s) and "
                     "cannot be reached from this one. End that process, then start Kassavero "
                     "again.\n",
                     pid.c_str());
        if (!noWarning) {
            messageBoxes.ShowMessageBox(translation.TranslateKey("KassaveroLaeuftAnderswo1") +
                                            AsciiToText(pid) +
                                            translation.TranslateKey("KassaveroLaeuftAnderswo2"),
                                        kTitle, mb::kOk | mb::kIconWarning);
        }
        return kExitOtherSession;
    }
    if (lock == InstanceLock::State::Running) {
        if (!noWarning) {
            messageBoxes.ShowMessageBox(translation.TranslateKey("KassaveroLaeuftSchon"), kTitle,
                                        mb::kOk | mb::kIconInformation);
        }
        return 0;
    }
    return std::nullopt;
}

// The hidden main window (engine, tray menu and hotkeys, command interpreter, status
// file, bus), the event loop and the shut-down.
int RunMainWindow(const Services& s) {
    const StartUp& start = s.start;
    EngineDesktopAdapter engineDesktop(start.messageBoxes, s.messageLoop, s.help);
    Engine engine(
        s.profile, start.translation, engineDesktop, s.confirmation,
        RegionOfLanguage(start.system.DefaultLanguageId(), start.system.DecimalSeparator()));
    // An open question's wait unwinds only after this has run, so its client is told the
    // conversion was cancelled.
    QObject::connect(&s.unixSignals, &UnixSignals::Terminate, &start.app,
                     [&engine] { engine.BeginShutdown(); });
    const std::unique_ptr<GlobalHotkeys> hotkeys = X11GlobalHotkeys::ForDesktop();
    TrayMenu trayMenu({s.profile, s.profiles, s.settingsForm, s.calculator,
                       [&calculator = s.calculator] { calculator.UpdateLayout(); }, s.editorForm,
                       s.help, s.about, *hotkeys, s.messageLoop,
                       [&engine] { return engine.ConfirmQuit(); }, [] { QApplication::quit(); }});
    QtTray tray(trayMenu, start.translation,
                ProgramIcon(QString::fromStdString(start.programDirectory.string())));
    MacroServices services{engine,
                           s.profile,
                           s.confirmation,
                           s.calculator,
                           s.settingsForm,
                           s.about,
                           s.help,
                           [configDirectory = start.configDirectory] {
                               return std::make_unique<RegistryFile>(configDirectory);
                           },
                           start.system.DecimalSeparator()};
    TDDEForm ddeForm(engine, services, start.service, StatusFilePath(start.configDirectory));
    ddeForm.SetHotkeyHandler(
        [&trayMenu](unsigned id) { return trayMenu.HotkeyPressed(static_cast<int>(id)); });
    // Without its bus no client reaches the program, and it would keep the next session
    // from starting one: it ends as at the end of a session, with its orderly shut-down.
    ddeForm.SetBusLostHandler(
        [&unixSignals = s.unixSignals] { emit unixSignals.Terminate(SIGHUP); });
    QString busError;
    if (!ddeForm.ConnectBus(QString::fromStdString(DdeBusName(start.service)), busError)) {
        std::fprintf(stderr, "kassavero: the command interface is not on the session bus: %s\n",
                     busError.toLocal8Bit().constData());
    }

    // The clipboard viewer joins the chain: from now on changes of the clipboard are
    // scanned (when the profile says so), and the tray and the bus may ask for a scan.
    s.editorForm.Start(engine, s.calculator);

    if (!start.translation.MissingKeys().empty()) {
        start.messageBoxes.ShowMessageBox(
            U"There are strings missing in the translation file for your language:" +
                start.translation.MissingKeys(),
            kTitle, mb::kOk | mb::kIconWarning);
    }

    // The icon goes into the notification area; a desktop without one is told once.
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        tray.Show();
    } else {
        ReportMissingTray(s.store, start.translation);
    }

    int result = 0;
    if (!s.terminated) {
        ddeForm.Status().WriteDdeStatus(true);
        // The toolkit's start leaves the vector registers in a state that slows every SSE
        // instruction of ours down.
        ClearUpperVectorState();
        result = QApplication::exec();
    }

    // Shut-down: "DDEStatus" first; "Runs" goes with the hidden main window, last.
    ddeForm.Status().WriteDdeStatus(false);
    tray.Hide();
    if (s.confirmation.Visible())
        s.confirmation.Hide();
    // Hiding saves where the calculator stood, for the next start.
    if (s.calculator.Visible())
        s.calculator.Hide();
    engine.Shutdown();
    return result;
}

// The one instance: its services and windows in start-up order.
int RunInstance(const StartUp& start) {
    // This is the one instance now: a SIGTERM from here on waits for its handler below, so
    // the program always ends in order (before, nothing of its own was touched yet).
    UnixSignals::HoldUntilHandled();
    QApplication::setApplicationName(QString::fromUcs4(kTitle));
    QApplication::setQuitOnLastWindowClosed(false);
    // Help pages in the language of the interface, English where a page is missing.
    DesktopHelp help(QString::fromStdString((start.programDirectory / "help").string()),
                     start.language, {},
                     {ToQString(start.translation.TranslateKey("HilfeZurueck")),
                      ToQString(start.translation.TranslateKey("HilfeVor")),
                      ToQString(start.translation.TranslateKey("RechnerHilfeInhaltMenuitem"))});
    QtMessageLoop messageLoop;
    UnixSignals unixSignals;
    // A question may be open in a nested wait: end that first, then the event loop. A
    // message box of the start-up, before the event loop runs, is ended as well, and
    // the start-up then goes straight to the shut-down.
    bool terminated = false;
    QObject::connect(&unixSignals, &UnixSignals::Terminate, &start.app,
                     [&messageLoop, &qtMessageBoxes = start.qtMessageBoxes, &terminated] {
                         terminated = true;
                         qtMessageBoxes.CloseAllForShutDown();
                         messageLoop.Quit();
                         QCoreApplication::exit(0);
                     });

    // What a save cut short by a crash left behind; the files themselves are whole.
    RemoveLeftoverTemporary(start.configDirectory / "registry.reg");
    RemoveLeftoverTemporary(StatusFilePath(start.configDirectory));
    // The profile store lives for the whole run.
    RegistryFile store(start.configDirectory);

    TStringInputForm nameInput(start.translation);
    // The About window, shown at once as the start-up picture.
    TAboutForm about(start.translation,
                     QString::fromStdString((start.programDirectory / "about.svg").string()));
    about.ShowStartUp();
    messageLoop.ProcessPendingMessages();

    // The settings holder loads the default profile; the settings window edits it.
    ActiveProfile profile;
    ProfileManager profiles(profile, store, start.system, start.translation, start.messageBoxes,
                            nameInput);
    profiles.LoadAtStartUp(start.translation.LanguageSection());
    // The symbol list editor comes before its place in the start-up order (after the
    // confirmation dialog), because the settings window takes it when it is created.
    TSymbolListForm symbolListForm(start.translation, start.messageBoxes, help);
    FileInterfaceLanguages languages(start.programDirectory / "i18n.dat",
                                     start.configDirectory / "i18n.dat");
    TEinstellungen2Form settingsForm(profile, profiles, store, start.system, start.translation,
                                     start.messageBoxes, help, &symbolListForm, &languages);
    const CurrencyTable currencies(profile, start.system.DecimalSeparator(), start.home);

    // The clipboard viewer: the calculator tells it which clipboard change is its own. It
    // scans nothing until it joins the viewer chain, after the hidden main window.
    QtClipboard clipboard;
    ClipboardConversion editorForm(clipboard, profile, start.translation, start.messageBoxes);
    TEditorForm clipboardForm(store, clipboard);

    // The calculator, then the confirmation dialog that hands amounts to it.
    CalculatorModel calculator(
        profile, currencies, start.system, start.translation, store, editorForm, settingsForm,
        about, help,
        MeasureCalculatorGeometry(profile.Settings(), start.system.DecimalSeparator(),
                                  start.system.DefaultLanguageId()));
    TBestaetigungForm confirmationWindow;
    ConfirmationDialog confirmation(confirmationWindow, profile, currencies,
                                    start.system.ThousandSeparator(), start.translation.Common(),
                                    start.translation, messageLoop, store, help, calculator,
                                    settingsForm);
    confirmationWindow.Attach(confirmation, start.translation);

    // The calculator's window, in its place after the confirmation dialog. It follows every
    // change of the model, whoever makes it; the model stays what the others reach.
    TRechnerForm calculatorWindow(calculator, start.translation, start.system.DecimalSeparator());

    return RunMainWindow({start, unixSignals, terminated, messageLoop, help, store, about, profile,
                          profiles, settingsForm, editorForm, calculator, confirmation});
}

int Run(QApplication& app) {
    const std::filesystem::path programDirectory = ProgramDirectory();

    const std::filesystem::path configDirectory = DefaultRegistryDirectory();

    // Set up before anything else, as every text the user sees comes from here. The user's
    // own choice of language beats the shipped file's; without either the desktop's holds.
    Translation translation(
        programDirectory / "i18n.dat",
        {configDirectory / "i18n.dat", DesktopLanguageSection(LocaleVariablesFromEnvironment())});
    // Qt's own texts (the standard buttons of message boxes, key names) in the same language.
    const QString language = LanguageCodeOfSection(ToQString(translation.LanguageSection()));
    if (!InstallQtTranslations(app, language)) {
        std::fprintf(stderr,
                     "kassavero: Qt's translations for \"%s\" are not installed "
                     "(qt6-translations-l10n); standard buttons and key names stay English\n",
                     language.toLatin1().constData());
    }
    const PosixSystemInfo system;
    const CurrencyIndex home = HomeCurrencyForLanguage(system.DefaultLanguageId());
    QtMessageBoxes qtMessageBoxes;
    // Bus calls are served while a box is open; one box at a time keeps that bounded.
    SingleMessageBox messageBoxes(qtMessageBoxes);

    const QStringList args = app.arguments();
    const bool noWarning = args.size() >= 2 && args[1] == QStringLiteral("/nowarning");
    const std::string programPath = QCoreApplication::applicationFilePath().toStdString();
    const std::string service = DdeServiceName(programPath);
    if (RefuseSharedFolder(configDirectory))
        return kExitSharedFolder;
    InstanceLock instance;
    if (const std::optional<int> status =
            EndIfRunning(instance, service, noWarning, translation, messageBoxes))
        return *status;
    return RunInstance({app, programDirectory, configDirectory, translation, language, system, home,
                        qtMessageBoxes, messageBoxes, service});
}

}  // namespace
}  // namespace kassavero

int main(int argc, char** argv) {
    // --help and --version answer without a display and without touching a running
    // Kassavero.
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kassavero::kUsage, stdout);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Kassavero %s\n", KASSAVERO_VERSION);
        return 0;
    }
    kassavero::KeepLargeBuffersForReuse();
    // Without any display Qt would abort; the program still serves its command
    // interface, so it runs on the offscreen platform instead and says so.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "kassavero: no display; running on the offscreen platform\n");
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return kassavero::Run(app);
}
