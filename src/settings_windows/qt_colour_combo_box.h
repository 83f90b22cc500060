// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A combo box of colours: every entry, and the chosen one in the closed box, is drawn as
// a rectangle of its colour. The entries keep their names as their texts, for screen
// readers and for choosing an entry by typing its first letter.

#include <QComboBox>

class QColor;

namespace kassavero {

class ColourComboBox final : public QComboBox {
  public:
    explicit ColourComboBox(QWidget* parent = nullptr);

    void AddColour(const QString& name, const QColor& colour);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kassavero
