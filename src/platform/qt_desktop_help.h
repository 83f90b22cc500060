#pragma once

#include <QString>

#include "platform/help.h"

namespace kassavero {

// Help pages are HTML files in a folder beside the program, one subfolder per language
// ("en", "de", ...): "<number>.html" for a context number and "index.html" for the
// contents. A page missing in the chosen language is taken in English, a number without
// a page opens the contents. Pages open in the desktop's browser.
class DesktopHelp final : public Help {
  public:
    DesktopHelp(QString folder, QString language)
        : folder_(std::move(folder)), language_(std::move(language)) {}

    void ShowTopic(int contextNumber) override;
    void ShowContents() override;
    // A browser the desktop started is not ours to close; nothing to do.
    void Close() override {}

    QString PageOf(int contextNumber) const;
    QString ContentsPage() const;

  private:
    QString Find(const QString& page) const;
    void Open(const QString& page) const;

    QString folder_;
    QString language_;
};

// The help language of a translation section name ("Deutsch" -> "de"); English for
// any other name.
QString HelpLanguageOfSection(const QString& sectionName);

}  // namespace kassavero
