// SPDX-License-Identifier: GPL-3.0-or-later
#include "confirm/qt_confirmation_window.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <string>
#include <utility>

#include "accessible_names.h"
#include "calculator/calculator_access.h"
#include "confirm/confirm_test_texts.h"
#include "confirm/confirmation_dialog.h"
#include "core/currency.h"
#include "engine/german_profile.h"
#include "fakes/fake_help.h"
#include "fakes/fake_translator.h"
#include "fakes/temp_dir.h"
#include "i18n/translation.h"
#include "platform/program_windows.h"
#include "platform/qt_message_loop.h"
#include "platform/registry_file.h"
#include "settings/active_profile.h"

namespace kassavero {
namespace {

using C = ConfirmControl;
using testing::Found;
using testing::GermanTexts;

struct NoCalculator final : CalculatorAccess {
    void ShowAmount(CurrencyIndex, bool, double) override {}
    void Show() override {}
    void Hide() override {}
    bool Visible() const override { return false; }
};

struct NoSettingsWindow final : SettingsWindow {
    void ShowSettings(SettingsPage) override {}
};

// The window under a real dialog on a German system, waiting in the Qt event loop.
struct Rig {
    Rig() {
        MakeGermanProfile(profile.MutableSettings());
        window.Attach(dialog, translator);
    }

    QTextEdit* Field(C control) const { return qobject_cast<QTextEdit*>(window.Control(control)); }
    QComboBox* List(C control) const { return qobject_cast<QComboBox*>(window.Control(control)); }
    bool AskDm(bool ask) {
        return dialog.AskChange(Found(1234.5, kDEM, U"1234,5 DM", 1, true), ask, U"Writer");
    }
    // Runs the action from the nested wait, once the question is open. Should the action
    // fail to answer, the window is closed after a while so the test ends instead of hanging.
    void WhenAsked(const std::function<void()>& action) {
        QTimer::singleShot(0, &window, [this, action] {
            if (!dialog.QuestionOpen()) {
                WhenAsked(action);
                return;
            }
            askedVisible = window.isVisible();
            action();
        });
        QTimer::singleShot(5000, &window, [this] {
            if (dialog.QuestionOpen()) {
                timedOut = true;
                dialog.WindowClosing();
            }
        });
    }

    ActiveProfile profile;
    CurrencyTable currencies{profile, ',', kDEM};
    CommonTexts texts = GermanTexts();
    testing::FakeTranslator translator;
    QtMessageLoop loop;
    testing::TempDir temp;
    RegistryFile store{temp.Path() / "Kassavero"};
    testing::FakeHelp help;
    NoCalculator calculator;
    NoSettingsWindow settingsWindow;
    TBestaetigungForm window;
    ConfirmationDialog dialog{window, profile, currencies, '.',        texts,         translator,
                              loop,   store,   help,       calculator, settingsWindow};
    bool askedVisible = false;
    bool timedOut = false;
};

enum class Action { ClickYes, ClickNo, Escape, ReturnOnOutput, ReturnOnNo, KeyJ, Close };

}  // namespace
}  // namespace kassavero

Q_DECLARE_METATYPE(kassavero::Action)

namespace kassavero {

class QtConfirmationWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void CaptionsAreTranslatedOnAttach() {
        Rig rig;
        QCOMPARE(rig.window.windowTitle(), QString("[UmrechnungForm]"));
        QCOMPARE(qobject_cast<QPushButton*>(rig.window.Control(C::YesButton))->text(),
                 QString("[JaButton]"));
        QVERIFY(!rig.window.isModal());
        QVERIFY(rig.window.windowFlags().testFlag(Qt::Tool));
    }

    void ProposalWithoutAskingFillsTheWindow() {
        Rig rig;
        // Hidden, the window is left alone: the change is computed aside.
        QVERIFY(rig.AskDm(false));
        QVERIFY(rig.Field(C::InputField)->toPlainText().isEmpty());
        rig.dialog.Show();
        QVERIFY(rig.AskDm(false));
        QVERIFY(rig.window.isVisible());
        QCOMPARE(rig.Field(C::InputField)->toPlainText(), QString("1234,5 DM"));
        QCOMPARE(rig.window.OldAmountLabel()->text(), QString("1.234,50"));
        QCOMPARE(rig.window.NewAmountLabel()->text(), QString("631,19"));
        QCOMPARE(rig.Field(C::OutputField)->toPlainText(),
                 QString::fromUtf8("\u20ac 631,19 (1234,5 DM)"));
        QCOMPARE(rig.List(C::SourceList)->currentText(), QString("DEM"));
        QCOMPARE(rig.List(C::TargetList)->currentText(), QString("EUR"));
        // Stop replaces Yes and No once the question is over.
        QVERIFY(rig.window.Control(C::StopButton)->isVisibleTo(&rig.window));
        QVERIFY(!rig.window.Control(C::YesButton)->isVisibleTo(&rig.window));
    }

    void UserSelectionReachesTheDialog() {
        Rig rig;
        rig.dialog.Show();
        rig.AskDm(false);
        QComboBox* target = rig.List(C::TargetList);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Down);
        QCOMPARE(target->currentIndex(), 1);
        QCOMPARE(rig.dialog.TargetCurrency(), rig.dialog.CurrencyList()[1].Currency);
        QVERIFY(rig.window.NewAmountLabel()->text() != QString("631,19"));
        // Selecting from the program is not taken for the user's choice.
        rig.window.SelectSourceEntry(0);
        QCOMPARE(rig.dialog.SourceCurrency(), kDEM);
    }

    void AnswersWhileAsked_data() {
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("stopRequest");
        QTest::addColumn<bool>("visibleAfter");
        QTest::newRow("yes button") << Action::ClickYes << true << kAnswerYes << 0 << true;
        QTest::newRow("no button") << Action::ClickNo << false << kAnswerNo << 0 << true;
        QTest::newRow("escape") << Action::Escape << false << kAnswerCancel << kAnswerCancel
                                << true;
        QTest::newRow("return on a field")
            << Action::ReturnOnOutput << true << kAnswerYes << 0 << true;
        QTest::newRow("return on no") << Action::ReturnOnNo << false << kAnswerNo << 0 << true;
        QTest::newRow("initial of yes") << Action::KeyJ << true << kAnswerYes << 0 << true;
        QTest::newRow("closing") << Action::Close << false << kAnswerCancel << kAnswerCancel
                                 << false;
    }

    void AnswersWhileAsked() {
        QFETCH(Action, action);
        QFETCH(bool, accepted);
        QFETCH(int, answer);
        QFETCH(int, stopRequest);
        QFETCH(bool, visibleAfter);
        Rig rig;
        TBestaetigungForm& w = rig.window;
        QWidget* focusAtQuestion = nullptr;
        rig.WhenAsked([&] {
            focusAtQuestion = w.focusWidget();
            const auto key = [&](C control, Qt::Key k) {
                w.Control(control)->setFocus();
                QTest::keyClick(w.Control(control), k);
            };
            switch (action) {
                case Action::ClickYes:
                    QTest::mouseClick(w.Control(C::YesButton), Qt::LeftButton);
                    break;
                case Action::ClickNo:
                    QTest::mouseClick(w.Control(C::NoButton), Qt::LeftButton);
                    break;
                case Action::Escape:
                    QTest::keyClick(w.focusWidget(), Qt::Key_Escape);
                    break;
                case Action::ReturnOnOutput:
                    key(C::OutputField, Qt::Key_Return);
                    break;
                case Action::ReturnOnNo:
                    key(C::NoButton, Qt::Key_Return);
                    break;
                case Action::KeyJ:
                    key(C::SourceList, Qt::Key_J);
                    break;
                case Action::Close:
                    w.close();
                    break;
            }
        });
        QCOMPARE(rig.AskDm(true), accepted);
        QVERIFY(!rig.timedOut);
        QVERIFY(rig.askedVisible);
        QCOMPARE(focusAtQuestion, w.Control(C::YesButton));
        QCOMPARE(rig.dialog.Answer(), answer);
        QCOMPARE(rig.dialog.StopRequest(), stopRequest);
        QCOMPARE(w.isVisible(), visibleAfter);
    }

    // After a formula no session closes the window, so Cancel does; between the changes of
    // a conversion it only stops the conversion, whose end closes the window. Fields and
    // lists keep their names for screen readers when a formula empties the group captions.
    void CancelClosesTheWindowWhenNothingHoldsIt() {
        Rig rig;
        QWidget* cancel = rig.window.Control(C::CancelButton);
        bool cancelled = false;
        std::u32string result;
        QStringList unnamed{QStringLiteral("not asked")};
        rig.WhenAsked([&] {
            unnamed = testing::UnnamedControls(&rig.window);
            rig.dialog.YesClicked();
        });
        rig.dialog.AskFormula(U"=A1*2", kDEM, kEUR, FormulaConstants::InFormula, cancelled, result);
        QCOMPARE(unnamed, QStringList());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(!cancelled && !rig.window.isVisible());
        rig.dialog.SetStopRequest(0);  // as a new session does
        rig.WhenAsked([&] { rig.dialog.YesClicked(); });
        QVERIFY(rig.AskDm(true));
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(rig.window.isVisible());
    }

    // A question nobody sees holds up the program that asked it: the window without a
    // minimise button comes back at once when a window manager minimises it anyway.
    void MinimisedDuringAQuestionComesBack() {
        Rig rig;
        bool back = false;
        rig.WhenAsked([&] {
            rig.window.setWindowState(Qt::WindowMinimized);
            QCoreApplication::processEvents();
            back = rig.window.isVisible() && !rig.window.isMinimized();
            rig.dialog.YesClicked();
        });
        QVERIFY(rig.AskDm(true) && back);
    }

    void RunsAreBoldAndRedOnTheirCharacters() {
        Rig rig;
        rig.window.SetFieldStyle(FieldStyle::Formula);
        // The euro sign is one character in the field as in the program's text.
        rig.window.SetOutputText(U"=\u20AC 12+345*6", {{1, 4, false}, {6, 3, true}});
        rig.window.SelectOutputText(6, 3);
        QTextEdit* output = rig.Field(C::OutputField);
        QString bold, red;
        for (int k = 0; k < 11; ++k) {
            QTextCursor cursor(output->document());
            cursor.setPosition(k + 1);  // the format of the character before the cursor
            const QTextCharFormat format = cursor.charFormat();
            bold += format.fontWeight() == QFont::Bold ? 'b' : '.';
            red += format.foreground().color() == QColor(255, 0, 0) ? 'r' : '.';
        }
        QCOMPARE(bold, QString(".bbbb.bbb.."));
        QCOMPARE(red, QString("......rrr.."));
        QCOMPARE(output->textCursor().selectedText(), QString("345"));
    }

    // A field filled again after a bold red run was selected starts from the plain
    // format: nothing of the earlier runs spreads over the new text.
    void RefillAfterFormattedRunsIsPlain() {
        Rig rig;
        for (C control : {C::InputField, C::OutputField}) {
            const bool input = control == C::InputField;
            const auto fill = [&](std::u32string_view text, const std::vector<TextRun>& runs) {
                input ? rig.window.SetInputText(text, runs) : rig.window.SetOutputText(text, runs);
            };
            fill(U"=12+345", {{1, 2, true}, {4, 3, true}});
            input ? rig.window.SelectInputText(4, 3) : rig.window.SelectOutputText(4, 3);
            fill(U"100 DM", {});
            for (int k = 0; k < 6; ++k) {
                QTextCursor cursor(rig.Field(control)->document());
                cursor.setPosition(k + 1);
                QVERIFY(cursor.charFormat().fontWeight() != QFont::Bold);
                QVERIFY(cursor.charFormat().foreground().color() != QColor(255, 0, 0));
            }
        }
    }
};

}  // namespace kassavero

QTEST_MAIN(kassavero::QtConfirmationWindowTest)
#include "qt_confirmation_window_test.moc"
