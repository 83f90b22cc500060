// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_windows/qt_symbol_list_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "accessible_names.h"
#include "fakes/fake_help.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_translator.h"

namespace kassavero {
namespace {

using Button = TSymbolListForm::Button;
using Option = SymbolListEditorModel::Option;

struct Rig {
    testing::FakeTranslator translator;
    testing::FakeMessageBoxes boxes;
    testing::FakeHelp help;
    TSymbolListForm form{translator, boxes, help};

    void Click(Button button) { QTest::mouseClick(form.ButtonOf(button), Qt::LeftButton); }

    // Edits the list in the modal window: the steps run once it is open; a window left
    // open is cancelled after a while so that a failing test ends.
    bool Edit(SymbolList& list, const std::function<void()>& steps) {
        QTimer::singleShot(0, &form, [this, steps] {
            steps();
            QTimer::singleShot(5000, &form, [this] { form.reject(); });
        });
        return form.EditSymbolList(list, U"Currency symbols for DEM", false);
    }
};

const SymbolList kDm = {TCurrencySymbol::FromOptionNumber(U"DM", 19),
                        TCurrencySymbol::FromOptionNumber(U"Deutsche Mark", 3)};

class QtSymbolListFormTest : public QObject {
    Q_OBJECT

  private slots:
    void OkHandsTheEditedListBack() {
        Rig rig;
        SymbolList list = kDm;
        const bool ok = rig.Edit(list, [&rig] {
            QCOMPARE(rig.form.windowTitle(), QStringLiteral("Currency symbols for DEM"));
            QCOMPARE(testing::UnnamedControls(&rig.form), QStringList());
            QCOMPARE(rig.form.List()->count(), 2);
            QCOMPARE(rig.form.SymbolField()->text(), QStringLiteral("DM"));
            QVERIFY(rig.form.ButtonOf(Button::Ok)->isDefault());
            // A new symbol typed by the user, with an option and the dot changed.
            rig.Click(Button::New);
            QCOMPARE(rig.form.focusWidget(), rig.form.SymbolField());
            QVERIFY(rig.form.ButtonOf(Button::Save)->isDefault());
            QVERIFY(!rig.form.ButtonOf(Button::Save)->isEnabled());
            QTest::keyClicks(rig.form.SymbolField(), QStringLiteral("D 1"));
            QVERIFY(!rig.form.ButtonOf(Button::Save)->isEnabled());
            QVERIFY(!rig.form.OptionBox(Option::SpaceOptional)->isEnabled());
            QTest::keyClick(rig.form.SymbolField(), Qt::Key_Backspace);
            // A key that types the euro sign, as a keyboard layout would.
            QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("€"));
            QApplication::sendEvent(rig.form.SymbolField(), &euro);
            QTest::keyClicks(rig.form.SymbolField(), QStringLiteral("uro"));
            QVERIFY(rig.form.ButtonOf(Button::Save)->isEnabled());
            rig.form.DotButton(AbbreviationDot::Never)->click();
            // Enter presses the default button: Save.
            QTest::keyClick(rig.form.SymbolField(), Qt::Key_Return);
            QCOMPARE(rig.form.List()->count(), 3);
            QCOMPARE(rig.form.List()->currentRow(), 2);
            QCOMPARE(rig.form.List()->item(2)->text(), QStringLiteral("D €uro"));
            // The first entry removed.
            rig.form.List()->setCurrentRow(0);
            rig.Click(Button::Delete);
            QCOMPARE(rig.form.List()->count(), 2);
            rig.Click(Button::Ok);
        });
        QVERIFY(ok);
        QCOMPARE(list.size(), std::size_t{2});
        QVERIFY(list[0] == kDm[1]);
        QVERIFY(list[1].Symbol == U"D \u20ACuro");
        QCOMPARE(list[1].OptionNumber(), 3);  // blank: no optional space; dot never
        QVERIFY(rig.boxes.shown.empty());
    }

    void CancelDiscardsEveryChange() {
        Rig rig;
        SymbolList list = kDm;
        const bool ok = rig.Edit(list, [&rig] {
            // An existing entry changed and saved, then a duplicate refused.
            rig.form.List()->setCurrentRow(1);
            rig.form.OptionBox(Option::CaseSensitive)->click();
            rig.Click(Button::Save);
            QVERIFY(rig.form.Model().Rows()[1].CaseSensitive);
            rig.Click(Button::New);
            QTest::keyClicks(rig.form.SymbolField(), QStringLiteral("DM"));
            rig.Click(Button::Save);
            QCOMPARE(rig.boxes.shown.size(), std::size_t{1});
            QCOMPARE(rig.form.List()->count(), 2);
            QTest::keyClick(&rig.form, Qt::Key_Escape);
        });
        QVERIFY(!ok);
        QVERIFY(list == kDm);
        QCOMPARE(rig.form.List()->count(), 0);  // nothing left for the next opening
    }

    void NonCurrencyListsAreLabelledSymbol() {
        Rig rig;
        SymbolList list;
        QTimer::singleShot(0, &rig.form, [&rig] {
            QCOMPARE(rig.form.SymbolLabel()->text(), QStringLiteral("[Symbol]"));
            QVERIFY(!rig.form.OptionBox(Option::AsDecimalSeparator)->isVisible());
            rig.Click(Button::Help);
            rig.form.reject();
        });
        rig.form.EditSymbolList(list, U"Non-currency symbols", true);
        QVERIFY(rig.help.calls == std::vector<std::string>{"topic 1020"});
    }
};

}  // namespace
}  // namespace kassavero

QTEST_MAIN(kassavero::QtSymbolListFormTest)
#include "qt_symbol_list_form_test.moc"
