// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace kassavero {

QtClipboard::QtClipboard(QObject* parent) : QObject(parent) {}

QtClipboard::~QtClipboard() {
    QObject::disconnect(notice_);
}

bool QtClipboard::HasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    return data != nullptr && data->hasText();
}

std::string QtClipboard::Text() {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard).toStdString();
}

void QtClipboard::SetText(std::string_view utf8) {
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), QClipboard::Clipboard);
}

bool QtClipboard::OwnedByThisProgram() {
    return QGuiApplication::clipboard()->ownsClipboard();
}

ClipboardViewerId QtClipboard::JoinChain(ClipboardViewer& viewer) {
    QObject::disconnect(notice_);
    viewer_ = &viewer;
    notice_ = connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (viewer_ != nullptr)
            viewer_->ClipboardChanged();
    });
    // As a newly joined viewer would, it hears about the clipboard at once.
    viewer.ClipboardChanged();
    return kNoViewer;
}

void QtClipboard::LeaveChain(ClipboardViewer& viewer, ClipboardViewerId) {
    if (viewer_ != &viewer)
        return;
    QObject::disconnect(notice_);
    viewer_ = nullptr;
}

}  // namespace kassavero
