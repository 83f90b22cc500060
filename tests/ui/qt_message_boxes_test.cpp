// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_message_boxes.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "platform/qt_keyboard.h"
#include "platform/qt_translations.h"
#include "settings/profile_settings.h"

namespace kassavero {
namespace {

using Button = QMessageBox::StandardButton;
using ButtonList = QList<Button>;

// Runs `answer` on the message box as soon as it is shown.
void WhenShown(const std::function<void(QMessageBox*)>& answer) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(box);
        }
    });
    timer->start(10);
}

ButtonList ButtonsOf(const QMessageBox& box) {
    ButtonList buttons;
    for (QAbstractButton* button : box.buttons())
        buttons.append(box.standardButton(button));
    std::sort(buttons.begin(), buttons.end());
    return buttons;
}

}  // namespace

class QtMessageBoxesTest : public QObject {
    Q_OBJECT

  private slots:
    void FlagsChooseButtonsIconAndDefault_data() {
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<ButtonList>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("closeButton");

        QTest::newRow("ok") << (mb::kOk) << ButtonList{QMessageBox::Ok} << int(QMessageBox::NoIcon)
                            << int(QMessageBox::Ok) << int(QMessageBox::Ok);
        QTest::newRow("ok cancel, second default, error")
            << (mb::kOkCancel | mb::kIconError | mb::kDefaultButton2)
            << ButtonList{QMessageBox::Ok, QMessageBox::Cancel} << int(QMessageBox::Critical)
            << int(QMessageBox::Cancel) << int(QMessageBox::Cancel);
        QTest::newRow("abort retry ignore, third default")
            << (mb::kAbortRetryIgnore | mb::kDefaultButton3)
            << ButtonList{QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore}
            << int(QMessageBox::NoIcon) << int(QMessageBox::Ignore) << int(QMessageBox::Abort);
        QTest::newRow("yes no cancel, no preselected, question")
            << (mb::kYesNoCancel | mb::kIconQuestion | mb::kDefaultButton2)
            << ButtonList{QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}
            << int(QMessageBox::Question) << int(QMessageBox::No) << int(QMessageBox::Cancel);
        QTest::newRow("yes no, information")
            << (mb::kYesNo | mb::kIconInformation) << ButtonList{QMessageBox::Yes, QMessageBox::No}
            << int(QMessageBox::Information) << int(QMessageBox::Yes) << int(QMessageBox::No);
        QTest::newRow("retry cancel, warning")
            << (mb::kRetryCancel | mb::kIconWarning)
            << ButtonList{QMessageBox::Retry, QMessageBox::Cancel} << int(QMessageBox::Warning)
            << int(QMessageBox::Retry) << int(QMessageBox::Cancel);
        QTest::newRow("default beyond the buttons falls back to the first")
            << (mb::kYesNo | mb::kDefaultButton3) << ButtonList{QMessageBox::Yes, QMessageBox::No}
            << int(QMessageBox::NoIcon) << int(QMessageBox::Yes) << int(QMessageBox::No);
        QTest::newRow("unknown button set shows OK")
            << 0x6U << ButtonList{QMessageBox::Ok} << int(QMessageBox::NoIcon)
            << int(QMessageBox::Ok) << int(QMessageBox::Ok);
    }

    void FlagsChooseButtonsIconAndDefault() {
        QFETCH(unsigned, flags);
        QFETCH(ButtonList, buttons);
        QFETCH(int, icon);
        QFETCH(int, defaultButton);
        QFETCH(int, closeButton);
        QMessageBox box;
        SetUpMessageBox(box, U"text", U"Kassavero", flags);
        std::sort(buttons.begin(), buttons.end());
        QCOMPARE(ButtonsOf(box), buttons);
        QCOMPARE(int(box.icon()), icon);
        QCOMPARE(int(box.standardButton(box.defaultButton())), defaultButton);
        QCOMPARE(int(box.standardButton(box.escapeButton())), closeButton);
    }

    void TextsAreCutAndShownAsPlainText() {
        QMessageBox box;
        const std::u32string text = U"<b>100 \u20AC \u043B\u0432.</b>" + std::u32string(2000, U'x');
        SetUpMessageBox(box, text, std::u32string(1500, U'c'), mb::kOk);
        QCOMPARE(box.textFormat(), Qt::PlainText);
        QCOMPARE(box.text().size(), 1023);
        QVERIFY(box.text().startsWith(
            QString::fromUtf8("<b>100 \xE2\x82\xAC \xD0\xBB\xD0\xB2.</b>xx")));
        QCOMPARE(box.windowTitle(), QString(1023, 'c'));
    }

    void AnswersThePressedButton_data() {
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<int>("press");  // a standard button, or 0 to close with Escape
        QTest::addColumn<int>("answer");

        QTest::newRow("ok") << mb::kOk << int(QMessageBox::Ok) << int(kIdOk);
        QTest::newRow("escape on ok") << mb::kOk << 0 << int(kIdOk);
        QTest::newRow("cancel") << mb::kOkCancel << int(QMessageBox::Cancel) << int(kIdCancel);
        QTest::newRow("yes") << mb::kYesNoCancel << int(QMessageBox::Yes) << int(kIdYes);
        QTest::newRow("no") << mb::kYesNoCancel << int(QMessageBox::No) << int(kIdNo);
        QTest::newRow("escape on yes no cancel") << mb::kYesNoCancel << 0 << int(kIdCancel);
        QTest::newRow("escape on yes no") << mb::kYesNo << 0 << int(kIdNo);
        QTest::newRow("abort") << mb::kAbortRetryIgnore << int(QMessageBox::Abort) << int(kIdAbort);
        QTest::newRow("retry") << mb::kRetryCancel << int(QMessageBox::Retry) << int(kIdRetry);
        QTest::newRow("ignore") << mb::kAbortRetryIgnore << int(QMessageBox::Ignore)
                                << int(kIdIgnore);
    }

    void AnswersThePressedButton() {
        QFETCH(unsigned, flags);
        QFETCH(int, press);
        QFETCH(int, answer);
        QString shownText;
        WhenShown([&](QMessageBox* box) {
            shownText = box->text();
            if (press == 0) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                box->button(static_cast<Button>(press))->click();
            }
        });
        QtMessageBoxes boxes;
        QCOMPARE(boxes.ShowMessageBox(U"Wirklich beenden?", U"Kassavero", flags), answer);
        QCOMPARE(shownText, QString("Wirklich beenden?"));
    }

    // The standard buttons and key names are Qt's: they follow the interface's language,
    // not the desktop's.
    void QtTextsFollowTheInterfaceLanguage() {
        struct Row {
            const char *section, *yes, *cancel, *hotkey;
        };
        const Row rows[] = {
            {"Deutsch", "&Ja", "Abbrechen", "Strg+Alt+Umschalt+Leertaste"},
            {"Fran\u00e7ais", "&Oui", "Annuler", "Ctrl+Alt+Maj+Espace"},
            {"English", "&Yes", "Cancel", "Ctrl+Alt+Shift+Space"},
        };
        for (const Row& row : rows) {
            QVERIFY(InstallQtTranslations(*qApp,
                                          LanguageCodeOfSection(QString::fromUtf8(row.section))));
            QMessageBox box;
            SetUpMessageBox(box, U"?", U"Kassavero", mb::kYesNoCancel);
            QCOMPARE(box.button(QMessageBox::Yes)->text(), QString::fromUtf8(row.yes));
            QCOMPARE(box.button(QMessageBox::Cancel)->text(), QString::fromUtf8(row.cancel));
            QCOMPARE(HotkeyText(kHotkeyCtrl | kHotkeyAlt | kHotkeyShift | 0x20),
                     QString::fromUtf8(row.hotkey));
        }
        InstallQtTranslations(*qApp, QStringLiteral("en"));
    }
};

}  // namespace kassavero

QTEST_MAIN(kassavero::QtMessageBoxesTest)
#include "qt_message_boxes_test.moc"
