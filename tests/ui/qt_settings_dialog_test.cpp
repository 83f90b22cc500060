// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_windows/qt_settings_dialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

#include "accessible_names.h"
#include "fakes/fake_help.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_name_input.h"
#include "fakes/fake_system_info.h"
#include "fakes/fake_translator.h"
#include "fakes/temp_dir.h"
#include "i18n/translation.h"
#include "platform/registry_file.h"
#include "settings_windows/qt_hotkey_edit.h"

namespace kassavero {

using testing::FakeHelp;
using testing::FakeMessageBoxes;
using testing::FakeNameInput;
using testing::FakeSystemInfo;
using testing::FakeTranslator;
using testing::TempDir;

namespace {

// One run of the program's settings part against a store in a temporary directory.
struct Rig {
    explicit Rig(Translator& texts, const std::function<void(Registry&)>& prepare = {},
                 std::uint16_t language = 0x0407)
        : store(temp.Path() / "Kassavero"), translator(texts) {
        system.languageId = language;
        if (prepare)
            prepare(store);
        profiles =
            std::make_unique<ProfileManager>(profile, store, system, translator, boxes, names);
        profiles->LoadAtStartUp(U"Deutsch");
        form = std::make_unique<TEinstellungen2Form>(profile, *profiles, store, system, translator,
                                                     boxes, help, nullptr);
    }

    template <typename T>
    T* Get(const char* name) {
        T* control = form->Control<T>(name);
        if (control == nullptr)
            qFatal("no control %s", name);
        return control;
    }
    void Click(const char* name) { Get<QAbstractButton>(name)->click(); }
    void Choose(const char* combo, int index) {
        auto* box = Get<QComboBox>(combo);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void Type(const char* edit, const QString& text) {
        auto* field = Get<QLineEdit>(edit);
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    // Every named control's state and enabled state, as one text per control.
    QStringList Snapshot() const {
        QStringList states;
        for (QWidget* widget : form->findChildren<QWidget*>()) {
            const QString name = widget->objectName();
            if (name.isEmpty() || name.startsWith(QStringLiteral("qt_")))
                continue;
            QString state;
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                state = button->text() + (button->isChecked() ? "[x]" : "[ ]");
            else if (auto* edit = qobject_cast<QLineEdit*>(widget))
                state = edit->text();
            else if (auto* spin = qobject_cast<QSpinBox*>(widget))
                state = QString::number(spin->value());
            else if (auto* combo = qobject_cast<QComboBox*>(widget))
                state = QStringLiteral("%1/%2").arg(combo->currentIndex()).arg(combo->count());
            else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
                state = memo->toPlainText();
            else if (auto* list = qobject_cast<QListWidget*>(widget))
                state = QString::number(list->count());
            else
                continue;
            states << name + "=" + state + (widget->isEnabled() ? "" : " (disabled)");
        }
        return states;
    }

    TempDir temp;
    RegistryFile store;
    Translator& translator;
    FakeSystemInfo system;
    FakeMessageBoxes boxes;
    FakeNameInput names;
    FakeHelp help;
    ActiveProfile profile;
    std::unique_ptr<ProfileManager> profiles;
    std::unique_ptr<TEinstellungen2Form> form;
};

QChar AccessKey(const QString& caption) {
    QString plain = caption;
    plain.replace(QStringLiteral("&&"), QString());
    const qsizetype at = plain.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < plain.size() ? plain[at + 1].toLower() : QChar();
}

QString Caption(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        return group->title();
    return QString();
}

}  // namespace

class QtSettingsDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void CancelRestoresEveryControl() {
        FakeTranslator translator;
        Rig rig(translator);
        rig.form->ShowSettings(SettingsPage::Current);
        // Which currency the page "Währungen" shows is no setting; Cancel keeps it.
        rig.Choose("ZielWaehrungWahlComboBox", kDEM);
        const QStringList before = rig.Snapshot();

        rig.Click("hinzufuegenRadioButton");
        rig.Type("KlammerAufEdit", "[[");
        rig.Get<QSpinBox>("AusgabeNachkommastellenEdit")->setValue(5);
        rig.Click("VielfacheRundenRadioButton");
        rig.Click("NameCheckBox");
        rig.Click("DEMDisplayCheckBox");
        QTest::keyClick(rig.Get<HotkeyEdit>("RechnerHotKey"), Qt::Key_Q);
        rig.Type("DezimalSymbolEdit", ";");
        rig.Click("StandardWaehrungCheckBox");
        rig.Click("HervorhebenCheckBox");
        rig.Choose("FarbenComboBox", 2);
        rig.Click("autoSucheCheckBox");
        QVERIFY(rig.Snapshot() != before);
        QCOMPARE(rig.profile.Settings().CalculatorHotkey, 0xC051);  // live at once

        rig.Click("AbbrechenButton");

        QVERIFY(!rig.form->isVisible());
        QCOMPARE(rig.Snapshot(), before);
    }

    void ApplyStoresOnceAndNotifiesInOrder() {
        FakeTranslator translator;
        Rig rig(translator);
        std::vector<std::string> calls;
        rig.profile.SettingsChangedCallback(0).Set([&](ActiveProfile&) { calls.push_back("0"); });
        rig.profile.CalculatorLayoutCallback().Set(
            [&](ActiveProfile&) { calls.push_back("layout"); });
        rig.profile.SettingsChangedCallback(1).Set([&](ActiveProfile&) { calls.push_back("1"); });
        rig.profile.HotkeysCallback().Set([&](ActiveProfile&) { calls.push_back("hotkeys"); });
        rig.form->ShowSettings(SettingsPage::Current);
        rig.Click("ersetzenRadioButton");
        const int writes = rig.store.WriteCount();

        rig.Click("UebernehmenButton");

        QCOMPARE(rig.store.WriteCount() - writes, 1);
        QCOMPARE(rig.store.ReadString(U"Profile [Unbenannt]", U"OutputReplace"),
                 std::optional<std::u32string>(U"1"));
        QCOMPARE(calls, (std::vector<std::string>{"0", "layout", "1", "hotkeys"}));
        QVERIFY(rig.form->isVisible());
    }

    void NonNumericRateIsRefusedWithTheFocusOnIt() {
        FakeTranslator translator;
        Rig rig(translator);
        rig.form->ShowSettings(SettingsPage::Current);
        rig.form->Pages()->setCurrentIndex(static_cast<int>(SettingsTab::Anwendungen));
        rig.Type("Cus1ISOSymbolEdit", "CHF");
        rig.Type("Cus1KursEdit", "abc");
        const int writes = rig.store.WriteCount();

        rig.Click("OkButton");

        QVERIFY(rig.form->isVisible());
        QCOMPARE(rig.store.WriteCount(), writes);
        QCOMPARE(rig.boxes.shown.size(), std::size_t{1});
        QCOMPARE(rig.boxes.shown[0].text, std::u32string(U"[KursAngeben]"));
        QCOMPARE(rig.form->Pages()->currentIndex(), static_cast<int>(SettingsTab::Allgemein));
        QCOMPARE(rig.form->focusWidget(), rig.Get<QWidget>("Cus1KursEdit"));
    }

    void TypedDecimalKeysBecomeTheSystemSeparator() {
        FakeTranslator translator;
        Rig rig(translator);
        rig.Type("Cus2KursEdit", "1.5,2");
        QCOMPARE(rig.Get<QLineEdit>("Cus2KursEdit")->text(), QString("1,5,2"));
        QCOMPARE(rig.profile.Settings().CustomCurrencyRate[1], std::u32string(U"1,5,2"));
    }

    void SwitchingTheCurrencyCommitsThePreviousOne() {
        FakeTranslator translator;
        Rig rig(translator);
        rig.Choose("ZielWaehrungWahlComboBox", kDEM);
        rig.Get<QSpinBox>("AusgabeNachkommastellenEdit")->setValue(4);
        rig.Type("ZielWaehrungszeichenEdit", "DM");
        QCOMPARE(rig.profile.Settings().Output[kDEM].Decimals, 2);  // not before the commit

        rig.Choose("ZielWaehrungWahlComboBox", kFRF);

        QCOMPARE(rig.profile.Settings().Output[kDEM].Decimals, 4);
        QCOMPARE(rig.profile.Settings().Output[kDEM].Symbol, std::u32string(U"DM"));
        QCOMPARE(rig.Get<QLineEdit>("ZielWaehrungszeichenEdit")->text(), QString("FRF"));
        QCOMPARE(rig.Get<QLabel>("NWELabel1")->text(), QString("FRF"));
    }

    void EnablingRulesAtCreationAndAfterActivation() {
        FakeTranslator translator;
        Rig rig(translator, [](Registry& store) {
            store.WriteString(U"General", U"EntriesValid", U"1");
            store.WriteString(U"General", U"DefaultProfile", U"A");
            store.WriteString(U"Profile A", U"OutputReplace", U"0");
            store.WriteString(U"Profile B", U"OutputReplace", U"1");
            store.WriteString(U"Profile B", U"CalculatorUseHotkey", U"0");
            store.WriteString(U"Profile B", U"ClipboardReplace", U"1");
            store.WriteString(U"Profile B", U"CustomCurrency1Symbol", U"CHF");
            store.WriteString(U"Profile B", U"CustomCurrency1Rate", U"1,5");
        });
        struct Case {
            const char* control;
            bool atCreation;
            bool afterActivation;
        };
        const Case cases[] = {
            {"KlammerAufEdit", true, false},
            {"RechnerHotKey", true, false},
            {"ClipboardAenderungBestaetigenCheckBox", false, true},
            {"CUS1DisplayCheckBox", false, true},
            {"CUS1CheckBox", false, true},
            {"DEMKontextButton", false, false},  // no symbol list editor yet
            {"VielfachesRundenEdit", false, false},
        };
        for (const Case& c : cases)
            QVERIFY2(rig.Get<QWidget>(c.control)->isEnabled() == c.atCreation, c.control);

        rig.Get<QListWidget>("profileListBox")->setCurrentRow(1);
        rig.Click("ProfilAktivierenButton");

        QCOMPARE(rig.profile.Name(), std::u32string(U"B"));
        QCOMPARE(rig.Get<QLabel>("StandardProfilNameLabel")->text(), QString("B"));
        for (const Case& c : cases)
            QVERIFY2(rig.Get<QWidget>(c.control)->isEnabled() == c.afterActivation, c.control);
        QCOMPARE(rig.Get<QAbstractButton>("CUS1DisplayCheckBox")->text(), QString("CHF"));
        QCOMPARE(rig.Get<QComboBox>("WaehrungComboBox")->count(), 12);
        QCOMPARE(rig.Get<QComboBox>("WaehrungComboBox")->itemText(11), QString("CHF"));
    }

    void ProfileSavedUnderANewNameIsListedAndActive() {
        FakeTranslator translator;
        Rig rig(translator);
        rig.names.answer = U"Reise";
        rig.Click("ProfilSpeichernButton");
        auto* list = rig.Get<QListWidget>("profileListBox");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text(), QString("Reise"));
        QCOMPARE(list->currentRow(), 1);
        QCOMPARE(rig.Get<QLabel>("StandardProfilNameLabel")->text(), QString("Reise"));
        QVERIFY(rig.store.SectionExists(U"Profile Reise"));
    }

    void ColumnsAndLabelsFollowTheirRules() {
        FakeTranslator translator;
        Rig rig(translator);
        rig.Click("FlaggeCheckBox");  // flags off, codes still on
        rig.Click("WrgCheckBox");     // the last one: flags come back
        QVERIFY(rig.Get<QAbstractButton>("FlaggeCheckBox")->isChecked());
        QVERIFY(!rig.Get<QAbstractButton>("WrgCheckBox")->isChecked());

        QTest::mouseClick(rig.Get<QLabel>("Label7"), Qt::LeftButton);
        QVERIFY(!rig.profile.Settings().ClipboardAsAWhole);

        QTest::keyClick(rig.Get<HotkeyEdit>("ClipboardHotKey"), Qt::Key_F5, Qt::ShiftModifier);
        QCOMPARE(rig.profile.Settings().ClipboardHotkey, 0xE074);
    }

    // Every caption of every language is in the file, each page's access keys are unique
    // (the buttons below the pages count on every page), and the largest page fits a
    // 1366x768 screen.
    void EveryLanguageHasUniqueAccessKeysPerPage() {
        for (const char* language :
             {"Deutsch", "English", "Fran\303\247ais", "Nederlands", "Espa\xC3\xB1ol", "Italiano",
              "\u0411\u044A\u043B\u0433\u0430\u0440\u0441\u043A\u0438", "Hrvatski",
              "\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC"}) {
            QTemporaryDir directory;
            std::ifstream original(KASSAVERO_LANGUAGE_FILE);
            std::stringstream text;
            text << original.rdbuf();
            const std::string content = std::regex_replace(text.str(), std::regex("Sprache=[^\n]*"),
                                                           std::string("Sprache=") + language);
            const std::string path = directory.filePath("i18n.dat").toStdString();
            std::ofstream(path) << content;
            Translation translation(path);
            Rig rig(translation);
            QVERIFY2(translation.MissingKeys().empty(),
                     TextToUtf8(translation.MissingKeys()).c_str());

            QTabWidget* pages = rig.form->Pages();
            QSize largest;
            for (int page = 0; page < pages->count(); ++page) {
                QWidgetList captioned = pages->widget(page)->findChildren<QWidget*>();
                for (const char* button :
                     {"OkButton", "UebernehmenButton", "AbbrechenButton", "HilfeButton"})
                    captioned << rig.Get<QWidget>(button);
                QMap<QChar, QString> seen;
                for (QWidget* widget : captioned) {
                    const QString caption = Caption(widget);
                    QVERIFY2(
                        caption.count(QLatin1Char('&')) - 2 * caption.count(QStringLiteral("&&")) <=
                            1,
                        qPrintable(caption));
                    const QChar key = AccessKey(caption);
                    if (key.isNull())
                        continue;
                    QVERIFY2(!seen.contains(key),
                             qPrintable(QStringLiteral("%1 page %2: '%3' in %4 and %5")
                                            .arg(language)
                                            .arg(page)
                                            .arg(key)
                                            .arg(seen.value(key), caption)));
                    seen.insert(key, caption);
                }
                largest = largest.expandedTo(
                    qobject_cast<QScrollArea*>(pages->widget(page))->widget()->sizeHint());
            }
            // The window shows the largest page and every tab whole, and not much more; a
            // screen reader can name every control.
            rig.form->show();
            const QSize area = pages->currentWidget()->size();
            const QSize needed(std::max(largest.width(), pages->tabBar()->sizeHint().width()),
                               largest.height());
            QVERIFY2(area.expandedTo(needed) == area && (area - needed).width() < 40 &&
                         (area - needed).height() < 40 && rig.form->height() < 700,
                     qPrintable(QStringLiteral("%1: %2x%3")
                                    .arg(language)
                                    .arg(area.width())
                                    .arg(area.height())));
            QCOMPARE(testing::UnnamedControls(rig.form.get()), QStringList());
        }
    }

    // A row that holds a later euro currency (put there at the first start on a Bulgarian
    // desktop, or chosen) shows it in its drop-down; a row of the user's own, the prompt.
    // Each of these drop-downs, and the colour list, has a label of its own.
    void LaterCurrencyRowsShowWhatTheyHold() {
        FakeTranslator translator;
        Rig rig(translator, {}, 0x0402);
        const auto later = [&](int row) {
            return rig.Get<QComboBox>(qPrintable(QStringLiteral("Cus%1SpaeterComboBox").arg(row)));
        };
        QVERIFY2(later(1)->currentText().startsWith("BGN"), qPrintable(later(1)->currentText()));
        QCOMPARE(later(2)->currentIndex(), 0);
        rig.Choose("Cus2SpaeterComboBox", 2);
        QCOMPARE(later(2)->currentIndex(), 2);
        QStringList labels;
        for (QWidget* list : std::initializer_list<QWidget*>{later(1), later(2), later(3),
                                                             rig.Get<QWidget>("FarbenComboBox")}) {
            const auto related =
                QAccessible::queryAccessibleInterface(list)->relations(QAccessible::Label);
            QStringList own;
            for (const auto& [label, relation] : related) {
                if (label->object() != list->parentWidget())
                    own << label->text(QAccessible::Name);
            }
            QVERIFY2(own.size() == 1 && !own[0].isEmpty(), qPrintable(list->objectName()));
            labels << own;
        }
        labels.removeDuplicates();
        QCOMPARE(labels.size(), 4);
    }

    // Fields that only show a value do not look editable.
    void ReadOnlyFieldsLookReadOnly() {
        FakeTranslator translator;
        Rig rig(translator);
        const auto base = [&](const char* name) {
            return rig.Get<QWidget>(name)->palette().color(QPalette::Base);
        };
        const QColor window = rig.form->palette().color(QPalette::Window);
        for (const char* name :
             {"KursEdit", "KleinsteMuenzeEdit", "DEMSymbolEdit", "NonCurrencySymbolMemo"})
            QVERIFY2(base(name) == window, name);
        QVERIFY(base("ZielWaehrungszeichenEdit") != window);
    }
};

}  // namespace kassavero

QTEST_MAIN(kassavero::QtSettingsDialogTest)
#include "qt_settings_dialog_test.moc"
