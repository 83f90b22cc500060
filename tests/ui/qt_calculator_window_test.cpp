// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/qt_calculator_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QScreen>
#include <QtTest>
#include <optional>

#include "accessible_names.h"
#include "calculator/sk_edit.h"
#include "core/currency.h"
#include "fakes/fake_about_window.h"
#include "fakes/fake_clipboard_watch.h"
#include "fakes/fake_help.h"
#include "fakes/fake_settings_window.h"
#include "fakes/fake_system_info.h"
#include "fakes/fake_translator.h"
#include "fakes/temp_dir.h"
#include "platform/registry_file.h"
#include "settings/active_profile.h"

namespace kassavero {
namespace {

// The window over a real model on a German system (decimal comma), home currency DEM.
struct Rig {
    explicit Rig(bool singleKeyUpdate = true) {
        SettingsToDefaults(profile.MutableSettings(), U',', U'.', kDEM);
        profile.MutableSettings().CalculatorSingleKeyUpdate = singleKeyUpdate;
        profile.MutableSettings().CalculatorPrecision = 1;
        translator.texts["Overflow"] = U"Overflow";
        Start();
    }
    void Start() {
        model.emplace(profile, currencies, system, translator, store, clipboard, settingsWindow,
                      about, help, MeasureCalculatorGeometry(profile.Settings(), U',', 0x0407));
        window.emplace(*model, translator, U',');
        model->Show();
        // Focus changes reach a field only in the active window.
        active = QTest::qWaitForWindowActive(&*window);
    }
    // A new start of the program: a new window over the same store.
    void Restart() {
        window.reset();
        model.reset();
        Start();
    }
    ~Rig() {
        window.reset();
        model.reset();
    }

    TSKEdit* Line(CurrencyIndex c) const { return window->Field(model->SlotOf(c)); }
    QString Text(CurrencyIndex c) const { return Line(c)->text(); }
    // Enters the line as the keyboard does and types into it.
    void Type(CurrencyIndex c, const char* keys) {
        Line(c)->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(Line(c), QString::fromLatin1(keys));
    }

    ActiveProfile profile;
    testing::FakeSystemInfo system;
    CurrencyTable currencies{profile, ',', kDEM};
    testing::FakeTranslator translator;
    testing::TempDir temp;
    RegistryFile store{temp.Path() / "Kassavero"};
    testing::FakeClipboardWatch clipboard;
    testing::FakeSettingsWindow settingsWindow;
    testing::FakeAboutWindow about;
    testing::FakeHelp help;
    std::optional<CalculatorModel> model;
    std::optional<TRechnerForm> window;
    bool active = false;
};

}  // namespace

class QtCalculatorWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void TypingConvertsEveryLine() {
        Rig rig;
        QVERIFY(rig.window->isVisible());
        QVERIFY(rig.active);
        rig.Type(kDEM, "1.5");
        QCOMPARE(rig.Text(kDEM), QString("1,5"));
        QCOMPARE(rig.Text(kEUR), QString("0,77"));
        QCOMPARE(rig.Text(kITL), QString("1485"));
        for (CurrencyIndex c = 0; c < kFixedCurrencyCount; ++c) {
            const QString text = rig.Text(c);
            QVERIFY2(!text.isEmpty() && text != QString("0"), qPrintable(text));
            QCOMPARE(rig.Line(c)->font().bold(), c == kDEM);
        }
        // Letters never reach a field.
        QTest::keyClicks(rig.Line(kDEM), QStringLiteral("x "));
        QCOMPARE(rig.Text(kDEM), QString("1,5"));
    }

    void PasteIsTakenWholeOrNotAtAll() {
        Rig rig;
        rig.Type(kDEM, "7");
        QApplication::clipboard()->setText(QStringLiteral("12a"));
        rig.Line(kDEM)->selectAll();
        QTest::keyClick(rig.Line(kDEM), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rig.Text(kDEM), QString("7"));
        QApplication::clipboard()->setText(QStringLiteral(" 100.5\n"));
        rig.Line(kDEM)->selectAll();
        QTest::keyClick(rig.Line(kDEM), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rig.Text(kDEM), QString("100,5"));
        QCOMPARE(rig.Text(kEUR), QString("51,38"));
        // Paste leaves the clipboard alone, so there is nothing for the watcher to skip.
        QCOMPARE(rig.clipboard.skipRequests, 0);
    }

    void EnterConvertsWhenSingleKeyUpdateIsOff() {
        Rig rig(false);
        rig.Type(kDEM, "100");
        QCOMPARE(rig.Text(kEUR), QString());
        QVERIFY(rig.Line(kDEM)->font().bold());
        QTest::keyClick(rig.Line(kDEM), Qt::Key_Return);
        QCOMPARE(rig.Text(kEUR), QString("51,13"));
        QCOMPARE(rig.Text(kDEM), QString("100"));
        QCOMPARE(rig.Line(kDEM)->selectedText(), QString("100"));
    }

    void PrecisionMenuChangesTheLines() {
        Rig rig;
        rig.Type(kDEM, "1");
        QCOMPARE(rig.Text(kEUR), QString("0,51"));
        QVERIFY(rig.window->Action(CalculatorCommand::TransferUnit)->isChecked());
        rig.window->Action(CalculatorCommand::HighPrecision)->trigger();
        QCOMPARE(rig.Text(kEUR), QString("0,51129188119622"));
        QVERIFY(rig.window->Action(CalculatorCommand::HighPrecision)->isChecked());
        QVERIFY(!rig.window->Action(CalculatorCommand::TransferUnit)->isChecked());
        QCOMPARE(rig.profile.Settings().CalculatorPrecision, 0);
    }

    // The place kept is the frame's corner; the window comes back there after hiding and
    // after a new start, its inside the frame's width from it.
    void PlaceSurvivesHidingAndANewStart() {
        Rig rig;
        const QPoint frame =
            rig.window->geometry().topLeft() - rig.window->frameGeometry().topLeft();
        QVERIFY(!frame.isNull());  // the test platform draws a frame
        const auto at = [&](QPoint place) {
            return rig.window->frameGeometry().topLeft() == place &&
                   rig.window->geometry().topLeft() == place + frame;
        };
        rig.window->move(123, 145);
        rig.Type(kDEM, "5");
        QTest::keyClick(rig.Line(kDEM), Qt::Key_Escape);
        QVERIFY(!rig.window->isVisible() && !rig.model->Visible());
        rig.window->move(400, 300);
        rig.model->Show();
        QVERIFY(at(QPoint(123, 145)));
        // The last conversion is shown again, with the source line ready for typing.
        QCOMPARE(rig.Line(kDEM)->selectedText(), QString("5"));
        rig.Restart();
        QVERIFY(at(QPoint(123, 145)));
    }

    // Minimised, the tool window has no taskbar entry to come back from: it counts as
    // hidden, so the hotkey and the tray entry show it again, where it was.
    void MinimisedComesBackWhereItWas() {
        Rig rig;
        rig.window->move(222, 111);
        rig.window->setWindowState(Qt::WindowMinimized);
        QVERIFY(!rig.model->Visible());
        rig.model->Show();
        QVERIFY(rig.window->isVisible() && !rig.window->isMinimized());
        QCOMPARE(rig.window->frameGeometry().topLeft(), QPoint(222, 111));
    }

    // A click enters a line as the keyboard does: all of it selected, so typing replaces the
    // amount; only the line being worked in shows a selection. Screen readers name each
    // line by its currency.
    void ClickSelectsTheWholeLine() {
        Rig rig;
        rig.Type(kDEM, "100");
        TSKEdit* euro = rig.Line(kEUR);
        QTest::mouseClick(euro, Qt::LeftButton, {}, euro->rect().center());
        QCOMPARE(euro->selectedText(), QString("51,13"));
        QTest::keyClicks(euro, QStringLiteral("7"));
        QCOMPARE(rig.Text(kEUR), QString("7"));
        // Clicking again into the line that has the focus selects it again.
        QTest::mouseClick(euro, Qt::LeftButton, {}, euro->rect().center());
        QCOMPARE(euro->selectedText(), QString("7"));
        QTest::keyClick(euro, Qt::Key_Down);
        QTest::keyClick(rig.Line(kATS), Qt::Key_Return);
        for (int n = 0; n < kCalculatorSlots; ++n)
            QCOMPARE(rig.window->Field(n)->hasSelectedText(), n == rig.model->SlotOf(kATS));
        QCOMPARE(testing::UnnamedControls(&*rig.window), QStringList());
        QCOMPARE(QAccessible::queryAccessibleInterface(rig.Line(kDEM))->text(QAccessible::Name),
                 QString("DEM, deutsche Mark"));
    }

    void CopyFromALineSetsTheSkipFlag() {
        Rig rig;
        rig.Type(kDEM, "42");
        rig.Line(kEUR)->setFocus(Qt::TabFocusReason);
        QCOMPARE(rig.Line(kEUR)->selectedText(), QString("21,47"));
        QTest::keyClick(rig.Line(kEUR), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(rig.clipboard.skipRequests, 1);
        QCOMPARE(QApplication::clipboard()->text(), QString("21,47"));
        rig.window->Action(EditAction::Copy)->trigger();
        QCOMPARE(rig.clipboard.skipRequests, 2);
    }

    void LayoutShowsEveryTextWhole() {
        Rig rig;
        rig.profile.MutableSettings().CalculatorColCurrencyNames = true;
        rig.profile.CalculatorLayoutCallback().Notify(rig.profile);
        int rows = 0;
        for (int n = 0; n < kCalculatorSlots; ++n) {
            if (!rig.window->Field(n)->isVisibleTo(rig.window.operator->()))
                continue;
            ++rows;
            for (QLabel* label :
                 {rig.window->CodeLabel(n), rig.window->NameLabel(n), rig.window->RateLabel(n)}) {
                QVERIFY(label->isVisibleTo(rig.window.operator->()));
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                         qPrintable(label->text()));
                QVERIFY(label->toolTip().isEmpty());
            }
            QVERIFY(!rig.window->FlagImage(n)->pixmap().isNull());
        }
        QCOMPARE(rows, kFixedCurrencyCount);
        // High precision writes fifteen digits in every line; each fits its field.
        rig.window->Action(CalculatorCommand::HighPrecision)->trigger();
        rig.Type(kITL, "-999999999999999");
        for (int n = 0; n < rows; ++n) {
            const TSKEdit* field = rig.window->Field(n);
            QVERIFY2(field->fontMetrics().horizontalAdvance(field->text()) <= field->width() - 8,
                     qPrintable(field->text()));
        }
        QVERIFY(rig.window->NameLabel(rig.model->SlotOf(kDEM))->text() == QString("deutsche Mark"));
        QVERIFY(rig.window->width() <= 1366 && rig.window->height() <= 700);
        // Entries whose window exists are enabled; double-click opens the settings.
        QVERIFY(rig.window->Action(CalculatorCommand::Settings)->isEnabled());
        QTest::mouseDClick(rig.window->CodeLabel(0), Qt::LeftButton);
        QCOMPARE(rig.settingsWindow.shown.size(), std::size_t{1});
    }
};

}  // namespace kassavero

QTEST_MAIN(kassavero::QtCalculatorWindowTest)
#include "qt_calculator_window_test.moc"
