// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_windows/qt_string_input_form.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "i18n/translate_widgets.h"
#include "i18n/translator.h"
#include "platform/qt_text.h"
#include "platform/qt_window_front.h"

namespace kassavero {

TStringInputForm::TStringInputForm(Translator& translator, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setModal(true);
    label_ = new QLabel(this);
    label_->setWordWrap(true);
    edit_ = new QLineEdit(this);
    label_->setBuddy(edit_);
    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    SetTranslationKey(ok_, TrKey("OkButton"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("&Abbrechen"), this);
    SetTranslationKey(cancel_, TrKey("AbbrechenButton"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(ok_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel_, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    TranslateControls(this, translator);
    // Modal, without a minimise button: minimised, it would block the settings unseen.
    KeepFromMinimising(this);
    // Wide enough for a long profile name and the instruction on one or two lines.
    setMinimumWidth(fontMetrics().averageCharWidth() * 64);
}

std::optional<std::u32string> TStringInputForm::AskName(const std::u32string& caption,
                                                        const std::u32string& instruction,
                                                        const std::u32string& proposed) {
    setWindowTitle(ToQString(caption));
    label_->setText(ToQString(instruction));
    edit_->setText(ToQString(proposed));
    edit_->selectAll();
    edit_->setFocus();
    adjustSize();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return FromQString(edit_->text());
}

}  // namespace kassavero
