// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "platform/help.h"

class QTextBrowser;
class QUrl;
class QWidget;

namespace kassavero {

// The captions of the help window's buttons, in the interface language ("&" marks the
// access key).
struct HelpButtonTexts {
    QString Back = QStringLiteral("&Back");
    QString Forward = QStringLiteral("&Forward");
    QString Contents = QStringLiteral("C&ontents");
};

// Help pages are HTML files in a folder beside the program, one subfolder per language
// ("en", "de", ...): "<number>.html" for a context number and "index.html" for the
// contents. A page missing in the chosen language is taken in English, a number without
// a page opens the contents. Pages open in the desktop's browser; where the desktop
// cannot open one (no browser, no xdg-open), in a help window of the program's own, with
// back, forward and the contents.
class DesktopHelp final : public Help {
  public:
    // Asks the desktop to open a page; false when it cannot.
    using Opener = std::function<bool(const QUrl&)>;
    // Without an opener pages go to QDesktopServices.
    DesktopHelp(QString folder, QString language, Opener opener = {}, HelpButtonTexts texts = {});
    ~DesktopHelp() override;
    DesktopHelp(const DesktopHelp&) = delete;
    DesktopHelp& operator=(const DesktopHelp&) = delete;

    void ShowTopic(int contextNumber) override;
    void ShowContents() override;
    // Hides the program's own help window; a browser the desktop started is not ours.
    void Close() override;

    QString PageOf(int contextNumber) const;
    QString ContentsPage() const;
    // The program's own help window, null until it was needed; for tests.
    QWidget* Window() const { return window_.get(); }
    QTextBrowser* Browser() const { return browser_; }

  private:
    QString Find(const QString& page) const;
    void Open(const QString& page);
    void ShowInWindow(const QString& page);

    QString folder_;
    QString language_;
    Opener opener_;
    HelpButtonTexts texts_;
    std::unique_ptr<QWidget> window_;
    QTextBrowser* browser_ = nullptr;
};

}  // namespace kassavero
