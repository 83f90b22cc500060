// SPDX-License-Identifier: GPL-3.0-or-later
#include <QClipboard>
#include <QGuiApplication>
#include <QTextEdit>
#include <QtTest>

#include "fakes/fake_clipboard.h"
#include "fakes/temp_dir.h"
#include "platform/qt_clipboard.h"
#include "platform/registry_file.h"
#include "settings/transfer_ini_file.h"
#include "shell/qt_clipboard_form.h"

namespace kassavero {
namespace {

struct CountingViewer final : ClipboardViewer {
    int changes = 0;
    void ClipboardChanged() override { ++changes; }
    void ChainChanged(ClipboardViewerId, ClipboardViewerId) override {}
};

class QtClipboardTest : public QObject {
    Q_OBJECT

  private slots:
    void TextGoesInAndComesOutUnchanged() {
        QtClipboard clipboard;
        const std::string text = "Preis 100 DM – 5 € ✓ Ελλάδα 😀";
        clipboard.SetText(text);
        QVERIFY(clipboard.HasText());
        QCOMPARE(clipboard.Text(), text);
        QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
        QVERIFY(!clipboard.HasText());
    }

    void TheViewerHearsOfChangesUntilItLeaves() {
        QtClipboard clipboard;
        CountingViewer viewer;
        QCOMPARE(clipboard.JoinChain(viewer), kNoViewer);
        QCOMPARE(viewer.changes, 1);  // at once, on joining
        QGuiApplication::clipboard()->setText(QStringLiteral("100 DM"));
        QCOMPARE(viewer.changes, 2);
        clipboard.LeaveChain(viewer, kNoViewer);
        QGuiApplication::clipboard()->setText(QStringLiteral("200 DM"));
        QCOMPARE(viewer.changes, 2);
    }

    void ViewerWindowKeepsItsPositionUnderClipboardForm() {
        testing::TempDir dir;
        RegistryFile store(dir.Path());
        testing::FakeClipboard clipboard;
        clipboard.text = "100 DM ✓";
        {
            TEditorForm form(store, clipboard);
            QCOMPARE(form.windowTitle(), QStringLiteral("Inhalt der Zwischenablage"));
            form.show();
            QCOMPARE(form.Field()->toPlainText(), QStringLiteral("100 DM ✓"));
            QVERIFY(form.Field()->isReadOnly());
            form.move(123, 77);
            form.hide();
        }
        QCOMPARE(store.ReadString(kGeneralSection, U"ClipboardFormXPos").value_or(U""),
                 std::u32string(U"123"));
        QCOMPARE(store.ReadString(kGeneralSection, U"ClipboardFormYPos").value_or(U""),
                 std::u32string(U"77"));
        TEditorForm again(store, clipboard);
        again.show();
        QCOMPARE(again.pos(), QPoint(123, 77));
    }
};

}  // namespace
}  // namespace kassavero

QTEST_MAIN(kassavero::QtClipboardTest)
#include "qt_clipboard_test.moc"
