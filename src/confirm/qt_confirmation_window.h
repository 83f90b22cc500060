// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The confirmation window: a non-modal tool window that shows what ConfirmationDialog
// tells it and hands every click, selection and key back to it.

#include <QElapsedTimer>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstddef>
#include <string_view>
#include <vector>

#include "confirm/confirmation_dialog.h"
#include "confirm/confirmation_view.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTextEdit;

namespace kassavero {

class Translator;

class TBestaetigungForm final : public QWidget, public ConfirmationView {
    Q_OBJECT

  public:
    explicit TBestaetigungForm(QWidget* parent = nullptr);

    // The dialog takes this window in its constructor, so the window is created first and
    // connected afterwards. Translates the captions; until then user events go nowhere.
    void Attach(ConfirmationDialog& dialog, Translator& translator);

    // ---- ConfirmationView ----
    void ShowWindow() override;
    void HideWindow() override;
    void BringToFront() override;
    bool KeepClearOf(const ScreenArea& area) override;
    void Focus(ConfirmControl control) override;
    void SetControlVisible(ConfirmControl control, bool visible) override;
    void SetControlEnabled(ConfirmControl control, bool enabled) override;
    void SetCaption(std::u32string_view caption) override;
    void SetGroupCaptions(std::u32string_view input, std::u32string_view output) override;
    void SetStopButtonCaption(std::u32string_view caption) override;
    void SetFieldStyle(FieldStyle style) override;
    void SetInputText(std::u32string_view text, const std::vector<TextRun>& runs) override;
    void SelectInputText(std::size_t start, std::size_t length) override;
    void SetOutputText(std::u32string_view text, const std::vector<TextRun>& runs) override;
    void SelectOutputText(std::size_t start, std::size_t length) override;
    void SetOldAmountLabel(std::u32string_view text) override;
    void SetNewAmountLabel(std::u32string_view text) override;
    void SetEuroAmountLabel(std::u32string_view text) override;
    void SetCurrencyLists(const std::vector<CurrencyListEntry>& entries) override;
    void SelectSourceEntry(int position) override;
    void SelectTargetEntry(int position) override;

    // ---- FormPosition ----
    int Left() const override;
    int Top() const override;
    void SetLeft(int left) override;
    void SetTop(int top) override;

    // The widget of a control, for tests and for focus; null for none.
    QWidget* Control(ConfirmControl control) const;
    QLabel* OldAmountLabel() const { return oldAmount_; }
    QLabel* NewAmountLabel() const { return newAmount_; }
    QLabel* EuroAmountLabel() const { return euroAmount_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildAmountFields();
    void BuildButtonsAndLayout();
    void ConnectControls();
    void InstallKeyPreview();
    // The program's other windows step aside from the question; those that did go back
    // when it is hidden, unless the user moved them meanwhile.
    void MoveOthersAside();
    void MoveAside(QWidget* other);
    void PutOthersBack();
    // The control the focus is in, as the dialog knows it.
    ConfirmControl FocusedControl() const;
    bool KeyPress(QObject* watched, QKeyEvent* event);

    ConfirmationDialog* dialog_ = nullptr;
    // The amount the question is about, in screen pixels; empty when not known.
    QRect amount_;
    QElapsedTimer shownAt_;
    struct MovedAside {
        QPointer<QWidget> Window;
        QPoint From, To;
    };
    std::vector<MovedAside> movedAside_;

    QGroupBox* inputGroup_ = nullptr;
    QPushButton* formulaBack_ = nullptr;
    QTextEdit* input_ = nullptr;
    QGroupBox* sourceGroup_ = nullptr;
    QLabel* oldAmount_ = nullptr;
    QComboBox* sourceList_ = nullptr;
    QWidget* euroPanel_ = nullptr;
    QLabel* euroAmount_ = nullptr;
    QGroupBox* targetGroup_ = nullptr;
    QLabel* newAmount_ = nullptr;
    QComboBox* targetList_ = nullptr;
    QGroupBox* outputGroup_ = nullptr;
    QTextEdit* output_ = nullptr;
    QPushButton* help_ = nullptr;
    QPushButton* settings_ = nullptr;
    QPushButton* yes_ = nullptr;
    QPushButton* no_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* calculator_ = nullptr;
};

}  // namespace kassavero
