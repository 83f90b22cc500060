// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TRechnerForm: the calculator window. It shows what CalculatorModel holds (lines,
// columns, fonts, texts, selections, size, position, check marks) and hands every key,
// edit, click and menu command to it; it decides nothing itself.

#include <QPoint>
#include <QWidget>
#include <array>
#include <optional>

#include "calculator/calculator_model.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;

namespace kassavero {

struct ProfileSettings;
class TSKEdit;
class Translator;

// The layout's sizes in the desktop's font: the design's pixel sizes, widened where a
// text of the fixed currencies (amounts of fifteen digits, codes, names in every
// language, rates) would not fit in bold, and the rows as tall as the field needs.
CalculatorGeometry MeasureCalculatorGeometry(const ProfileSettings& settings,
                                             char32_t decimalSeparator,
                                             std::uint16_t systemLanguageId);

class TRechnerForm final : public QWidget, public CalculatorView {
    Q_OBJECT

  public:
    // The model must outlive the window. Translates the captions and menus.
    TRechnerForm(CalculatorModel& model, Translator& translator, char32_t decimalSeparator,
                 QWidget* parent = nullptr);
    ~TRechnerForm() override;
    TRechnerForm(const TRechnerForm&) = delete;
    TRechnerForm& operator=(const TRechnerForm&) = delete;

    // ---- CalculatorView ----
    void ModelChanged() override;
    void BringToFront() override;

    // The controls of a slot and the menu entries, for tests.
    TSKEdit* Field(int slot) const { return rows_[Index(slot)].Field; }
    QLabel* CodeLabel(int slot) const { return rows_[Index(slot)].Code; }
    QLabel* FlagImage(int slot) const { return rows_[Index(slot)].Flag; }
    QLabel* NameLabel(int slot) const { return rows_[Index(slot)].Name; }
    QLabel* RateLabel(int slot) const { return rows_[Index(slot)].Rate; }
    QAction* Action(CalculatorCommand command) const;
    QAction* Action(EditAction action) const;
    QMenuBar* MenuBar() const { return menuBar_; }
    QMenu* ContextMenu() const { return contextMenu_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    struct Row {
        TSKEdit* Field = nullptr;
        QLabel* Code = nullptr;
        QLabel* Flag = nullptr;
        QLabel* Name = nullptr;
        QLabel* Rate = nullptr;
        std::u32string FlagShown;
    };

    static std::size_t Index(int slot) { return static_cast<std::size_t>(slot); }
    void BuildMenus();
    void BuildRows(char32_t decimalSeparator);
    void ConnectField(int slot);
    // Takes over the model's state.
    void Sync();
    void SyncRow(int slot);
    void SyncVisibility();
    // Where the window is, for the model to save when it hides.
    void ReportPosition();
    // The field with the keyboard focus, or -1.
    int ActiveSlot() const;
    void RunCommand(CalculatorCommand command);
    void RunEditAction(EditAction action);

    CalculatorModel& model_;
    QMenuBar* menuBar_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    QWidget* client_ = nullptr;
    std::array<Row, kCalculatorSlots> rows_;
    std::array<QAction*, 9> commands_{};
    std::array<QAction*, 3> editActions_{};
    int fieldHeight_ = 0;
    int topMargin_ = 0;
    // The model is being shown: no signal of a widget goes back to it.
    bool syncing_ = false;
    int focusedSlotShown_ = -1;
    // The first place, until a stored one replaces it; taken again with the size the
    // window has when it shows.
    std::optional<QPoint> defaultPlace_;
    QPoint DefaultPlace();
    // The line a mouse click has just entered, until the button is released.
    int enteredByMouse_ = -1;
};

}  // namespace kassavero
