#pragma once

#include <QString>

#include "platform/help.h"

namespace kassavero {

// Help pages are HTML files in a folder beside the program: "<number>.html" for a
// context number and "index.html" for the contents. They open in the desktop's
// browser.
class DesktopHelp final : public Help {
  public:
    explicit DesktopHelp(QString folder) : folder_(std::move(folder)) {}

    void ShowTopic(int contextNumber) override;
    void ShowContents() override;
    // A browser the desktop started is not ours to close; nothing to do.
    void Close() override {}

    QString PageOf(int contextNumber) const;

  private:
    void Open(const QString& page) const;

    QString folder_;
};

}  // namespace kassavero
