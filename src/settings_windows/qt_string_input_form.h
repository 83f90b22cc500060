// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The small modal window that asks for a name: an instruction above a one-line field,
// OK and Cancel.

#include <QDialog>
#include <optional>
#include <string>

#include "settings/name_input.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kassavero {

class Translator;

class TStringInputForm final : public QDialog, public NameInput {
    Q_OBJECT

  public:
    explicit TStringInputForm(Translator& translator, QWidget* parent = nullptr);

    std::optional<std::u32string> AskName(const std::u32string& caption,
                                          const std::u32string& instruction,
                                          const std::u32string& proposed) override;

    QLabel* AnweisungLabel() const { return label_; }
    QLineEdit* Edit() const { return edit_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* AbbrechenButton() const { return cancel_; }

  private:
    QLabel* label_;
    QLineEdit* edit_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace kassavero
