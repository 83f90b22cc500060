// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TSKEdit: the calculator's amount field. A one-line edit field whose typed characters and
// pasted texts pass the numeric filter, with left, right or centred text.

#include <QLineEdit>
#include <functional>
#include <optional>

#include "calculator/numeric_edit.h"

namespace kassavero {

class TSKEdit final : public QLineEdit {
    Q_OBJECT

  public:
    explicit TSKEdit(char32_t decimalSeparator, QWidget* parent = nullptr);

    TextAlignment Alignment() const { return alignment_; }
    void SetAlignment(TextAlignment alignment);

    // The text read as a number: empty is 0, anything else not a number gives nothing.
    std::optional<double> Value() const;

    // Text and selection as the program sees them.
    EditSelection Selection() const;
    void SetSelection(EditSelection selection);

    // The owner's handler sees every typed character first, unfiltered; it may change it
    // or set it to 0 to consume it.
    void SetKeyPressHandler(std::function<void(char32_t& key)> handler) {
        keyPressHandler_ = std::move(handler);
    }

    // Pastes the clipboard text if the filter takes all of it; refused otherwise, and the
    // field stays as it was. True when something was pasted.
    bool PasteFiltered();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    bool InsertFiltered(const QString& pasted);

    const char32_t decimalSeparator_;
    TextAlignment alignment_ = TextAlignment::Left;
    std::function<void(char32_t&)> keyPressHandler_;
};

}  // namespace kassavero
