// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_desktop_help.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/qt_window_front.h"

namespace kassavero {

DesktopHelp::DesktopHelp(QString folder, QString language, Opener opener, HelpButtonTexts texts)
    : folder_(std::move(folder)),
      language_(std::move(language)),
      opener_(std::move(opener)),
      texts_(std::move(texts)) {
    if (!opener_)
        opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

DesktopHelp::~DesktopHelp() = default;

QString DesktopHelp::Find(const QString& page) const {
    for (const QString& language : {language_, QStringLiteral("en")}) {
        QString path = QDir(folder_).filePath(language + QLatin1Char('/') + page);
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

QString DesktopHelp::ContentsPage() const {
    const QString page = Find(QStringLiteral("index.html"));
    return page.isEmpty() ? QDir(folder_).filePath(QStringLiteral("en/index.html")) : page;
}

QString DesktopHelp::PageOf(int contextNumber) const {
    const QString page = Find(QString::number(contextNumber) + QStringLiteral(".html"));
    // A number without its own page shows the contents rather than an error page.
    return page.isEmpty() ? ContentsPage() : page;
}

void DesktopHelp::ShowTopic(int contextNumber) {
    Open(PageOf(contextNumber));
}

void DesktopHelp::ShowContents() {
    Open(ContentsPage());
}

void DesktopHelp::Close() {
    if (window_ != nullptr)
        window_->hide();
}

void DesktopHelp::Open(const QString& page) {
    // Help asked for must show somewhere: a desktop without a browser gets our window.
    if (!opener_(QUrl::fromLocalFile(page)))
        ShowInWindow(page);
}

void DesktopHelp::ShowInWindow(const QString& page) {
    if (window_ == nullptr) {
        window_ = std::make_unique<QWidget>(nullptr, Qt::Window);
        window_->setWindowTitle(QStringLiteral("Kassavero"));
        const auto button = [this](QStyle::StandardPixmap icon, const QString& text,
                                   const char* name) {
            auto* b = new QToolButton(window_.get());
            b->setObjectName(QString::fromLatin1(name));
            b->setIcon(window_->style()->standardIcon(icon));
            b->setText(text);
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            b->setAutoRaise(true);
            return b;
        };
        QToolButton* back = button(QStyle::SP_ArrowBack, texts_.Back, "back");
        QToolButton* forward = button(QStyle::SP_ArrowForward, texts_.Forward, "forward");
        QToolButton* contents =
            button(QStyle::SP_FileDialogContentsView, texts_.Contents, "contents");
        back->setEnabled(false);
        forward->setEnabled(false);
        browser_ = new QTextBrowser(window_.get());
        // Links to other sites go to the desktop; the pages link each other.
        browser_->setOpenExternalLinks(true);
        QObject::connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
        QObject::connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
        QObject::connect(contents, &QToolButton::clicked, browser_,
                         [this] { browser_->setSource(QUrl::fromLocalFile(ContentsPage())); });
        QObject::connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
        QObject::connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
        // Each page's own title, in its own language, names the window.
        QObject::connect(browser_, &QTextBrowser::sourceChanged, window_.get(), [this] {
            const QString title = browser_->documentTitle();
            window_->setWindowTitle(title.isEmpty() ? QStringLiteral("Kassavero") : title);
        });
        auto* bar = new QHBoxLayout;
        bar->addWidget(back);
        bar->addWidget(forward);
        bar->addWidget(contents);
        bar->addStretch(1);
        auto* layout = new QVBoxLayout(window_.get());
        layout->setContentsMargins(4, 4, 4, 4);
        layout->addLayout(bar);
        layout->addWidget(browser_, 1);
        window_->resize(760, 620);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            window_->resize(window_->size().boundedTo(area.size() * 0.9));
            QRect frame(QPoint(), window_->size());
            frame.moveCenter(area.center());
            PlaceWindow(window_.get(), frame.topLeft());
        }
    }
    browser_->setSource(QUrl::fromLocalFile(page));
    window_->show();
    BringWindowToFront(window_.get());
}

}  // namespace kassavero
