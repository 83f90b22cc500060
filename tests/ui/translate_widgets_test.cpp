// SPDX-License-Identifier: GPL-3.0-or-later
#include "i18n/translate_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "fakes/fake_translator.h"
#include "i18n/translation.h"

namespace kassavero {
namespace {

using testing::FakeTranslator;

template <typename T>
T* Keyed(T* object, const char* key) {
    SetTranslationKey(object, key);
    return object;
}

}  // namespace

class TranslateWidgetsTest : public QObject {
    Q_OBJECT

  private slots:
    void CaptionsOfTheNamedKinds() {
        QDialog window;
        window.setWindowTitle("layout title");
        SetTranslationKey(&window, "SettingsForm");
        auto* button = Keyed(new QPushButton("b", &window), "OkButton");
        auto* check = Keyed(new QCheckBox("c", &window), "Check");
        auto* radio = Keyed(new QRadioButton("r", &window), "Radio");
        auto* group = Keyed(new QGroupBox("g", &window), "InputGroupbox");
        auto* inner = Keyed(new QLabel("inner", group), "Inner");
        auto* label = Keyed(new QLabel("l", &window), "AktivesProfilLabel");

        FakeTranslator translator;
        TranslateControls(&window, translator);

        QCOMPARE(window.windowTitle(), QString("[SettingsForm]"));
        QCOMPARE(button->text(), QString("[OkButton]"));
        QCOMPARE(check->text(), QString("[Check]"));
        QCOMPARE(radio->text(), QString("[Radio]"));
        QCOMPARE(group->title(), QString("[InputGroupbox]"));
        QCOMPARE(inner->text(), QString("[Inner]"));
        QCOMPARE(label->text(), QString("[AktivesProfilLabel]"));
        // The window first, then its children in order, each group before what it holds.
        QCOMPARE(translator.lookups,
                 (std::vector<std::string>{"SettingsForm", "OkButton", "Check", "Radio",
                                           "InputGroupbox", "Inner", "AktivesProfilLabel"}));
    }

    void OtherKindsAndEmptyKeysKeepTheirText() {
        QDialog window;
        auto* unkeyed = new QLabel("layout caption", &window);
        auto* emptyKey = Keyed(new QLabel("also kept", &window), "");
        auto* edit = Keyed(new QLineEdit("typed text", &window), "SomeEditKey");
        auto* combo = Keyed(new QComboBox(&window), "SomeComboKey");
        combo->addItem("entry");

        FakeTranslator translator;
        TranslateControls(&window, translator);

        QCOMPARE(unkeyed->text(), QString("layout caption"));
        QCOMPARE(emptyKey->text(), QString("also kept"));
        QCOMPARE(edit->text(), QString("typed text"));
        QCOMPARE(combo->itemText(0), QString("entry"));
        // Their keys are still looked up, so missing ones are reported.
        QCOMPARE(translator.lookups, (std::vector<std::string>{"SomeEditKey", "SomeComboKey"}));
    }

    void TabPagesTakeTheirTabText() {
        QDialog window;
        auto* tabs = new QTabWidget(&window);
        auto* general = Keyed(new QWidget, "AllgemeinTabSheet");
        auto* profiles = Keyed(new QWidget, "ProfileTabSheet");
        tabs->addTab(general, "Allgemein");
        tabs->addTab(profiles, "Profile");
        auto* onPage = Keyed(new QPushButton("x", profiles), "ProfilAktivierenButton");

        FakeTranslator translator;
        translator.texts["AllgemeinTabSheet"] = U"General";
        translator.texts["ProfileTabSheet"] = U"Profiles";
        TranslateControls(&window, translator);

        QCOMPARE(tabs->tabText(0), QString("General"));
        QCOMPARE(tabs->tabText(1), QString("Profiles"));
        QCOMPARE(general->windowTitle(), QString());
        QCOMPARE(onPage->text(), QString("[ProfilAktivierenButton]"));
    }

    void KeysAndTextsInAnyScript() {
        QDialog window;
        auto* label = Keyed(new QLabel(&window), "W\xC3\xA4hrungenTabSheet");
        QCOMPARE(TranslationKeyOf(label), std::string("W\xC3\xA4hrungenTabSheet"));
        FakeTranslator translator;
        translator.texts["W\xC3\xA4hrungenTabSheet"] =
            U"\u0412\u0430\u043B\u0443\u0442\u0438 \u20AC";
        TranslateControls(&window, translator);
        QCOMPARE(
            label->text(),
            QString::fromUtf8("\xD0\x92\xD0\xB0\xD0\xBB\xD1\x83\xD1\x82\xD0\xB8 \xE2\x82\xAC"));
    }

    void MenusAreLeftToTranslateMenu() {
        QMainWindow window;
        SetTranslationKey(&window, "W\xC3\xA4hrungsrechner");
        QMenu* file = window.menuBar()->addMenu("&Datei");
        SetTranslationKey(file, "RechnerDateiMenuitem");
        SetTranslationKey(file->addAction("&Schlie\xC3\x9F"
                                          "en"),
                          "RechnerDateiSchlie\xC3\x9F"
                          "enMenuItem");

        FakeTranslator translator;
        TranslateControls(&window, translator);
        QCOMPARE(translator.lookups, (std::vector<std::string>{"W\xC3\xA4hrungsrechner"}));
        QCOMPARE(file->title(), QString("&Datei"));
    }

    void MenuRootWithoutKeyStillTranslatesItsItems() {
        QMenuBar bar;
        QMenu* file = bar.addMenu("&Datei");
        SetTranslationKey(file, "RechnerDateiMenuitem");  // key on the menu
        QAction* settings =
            Keyed(file->addAction("&Einstellungen"), "RechnerDateiEinstellungenMenuitem");
        file->addSeparator();
        QAction* unkeyed = file->addAction("layout text");
        QMenu* precision = bar.addMenu("&Genauigkeit");
        SetTranslationKey(precision->menuAction(), "RechnerGenauigkeitMenuItem");  // on its action
        QMenu* nested = precision->addMenu("nested");
        QAction* deep = Keyed(nested->addAction("deep"), "Deep");

        FakeTranslator translator;
        TranslateMenu(&bar, translator);

        QCOMPARE(file->title(), QString("[RechnerDateiMenuitem]"));
        QCOMPARE(settings->text(), QString("[RechnerDateiEinstellungenMenuitem]"));
        QCOMPARE(unkeyed->text(), QString("layout text"));
        QCOMPARE(precision->title(), QString("[RechnerGenauigkeitMenuItem]"));
        QCOMPARE(nested->title(), QString("nested"));
        QCOMPARE(deep->text(), QString("[Deep]"));
        QCOMPARE(
            translator.lookups,
            (std::vector<std::string>{"RechnerDateiMenuitem", "RechnerDateiEinstellungenMenuitem",
                                      "RechnerGenauigkeitMenuItem", "Deep"}));
    }

    void PopupMenuWithAndWithoutKey() {
        QMenu tray;
        QAction* show = Keyed(tray.addAction("show"), "W\xC3\xA4hrungsrechnerAnzeigenMenuitem");
        FakeTranslator translator;
        TranslateMenu(&tray, translator);
        QCOMPARE(tray.title(), QString());
        QCOMPARE(show->text(), QString::fromUtf8("[W\xC3\xA4hrungsrechnerAnzeigenMenuitem]"));

        QMenu titled("old");
        SetTranslationKey(&titled, "ProfilAktivierenMenuitem");
        TranslateMenu(&titled, translator);
        QCOMPARE(titled.title(), QString("[ProfilAktivierenMenuitem]"));
    }

    void MissingTextsLeaveEmptyCaptionsAndAreReported() {
        QTemporaryDir directory;
        QVERIFY(directory.isValid());
        const std::string path = directory.filePath("i18n.dat").toStdString();
        std::ofstream(path) << "[Allgemein]\nSprache=Deutsch\n[Deutsch]\nOkButton=&OK\n";
        Translation translation(path);

        QDialog window;
        auto* ok = Keyed(new QPushButton("ok", &window), "OkButton");
        auto* cancel = Keyed(new QPushButton("cancel", &window), "AbbrechenButton");
        QMenu menu;
        QAction* quit = Keyed(menu.addAction("quit"), "BeendenMenuItem");
        TranslateControls(&window, translation);
        TranslateMenu(&menu, translation);

        QCOMPARE(ok->text(), QString("&OK"));
        QCOMPARE(cancel->text(), QString());
        QCOMPARE(quit->text(), QString());
        QVERIFY(translation.MissingKeys().ends_with(U"AbbrechenButton BeendenMenuItem "));
    }
};

}  // namespace kassavero

QTEST_MAIN(kassavero::TranslateWidgetsTest)
#include "translate_widgets_test.moc"
