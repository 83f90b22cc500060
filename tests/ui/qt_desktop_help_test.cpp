// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_desktop_help.h"

#include <QAbstractButton>
#include <QTextBrowser>
#include <QUrl>
#include <QtTest>

namespace kassavero {

class QtDesktopHelpTest : public QObject {
    Q_OBJECT

  private slots:
    // A desktop that cannot open a page (no browser, no xdg-open) gets the program's own
    // help window; with a browser the page goes there.
    void PagesShowInTheProgramsWindowWithoutABrowser() {
        bool browser = false;
        DesktopHelp help(QStringLiteral(KASSAVERO_HELP_FOLDER), QStringLiteral("de"),
                         [&](const QUrl&) { return browser; });
        help.ShowTopic(1100);
        QVERIFY(help.Window() != nullptr && help.Window()->isVisible());
        QVERIFY(help.Browser()->toPlainText().contains(QString::fromUtf8("Währungsrechner")));
        QCOMPARE(help.Window()->windowTitle(), help.Browser()->documentTitle());
        help.ShowTopic(4711);  // no page of its own: the contents
        QVERIFY(help.Browser()->source().toLocalFile().endsWith(QStringLiteral("/de/index.html")));
        // From any page the contents are one click away, and back leads where one was.
        help.ShowTopic(1100);
        const auto button = [&](const char* name) {
            return help.Window()->findChild<QAbstractButton*>(QString::fromLatin1(name));
        };
        QVERIFY(button("contents") != nullptr);
        button("contents")->click();
        QVERIFY(help.Browser()->source().toLocalFile().endsWith(QStringLiteral("/de/index.html")));
        button("back")->click();
        QVERIFY(help.Browser()->source().toLocalFile().endsWith(QStringLiteral("/de/1100.html")));
        QVERIFY(button("forward")->isEnabled());
        help.Close();
        QVERIFY(!help.Window()->isVisible());
        browser = true;
        help.ShowContents();
        QVERIFY(!help.Window()->isVisible());
    }
};

}  // namespace kassavero

QTEST_MAIN(kassavero::QtDesktopHelpTest)
#include "qt_desktop_help_test.moc"
