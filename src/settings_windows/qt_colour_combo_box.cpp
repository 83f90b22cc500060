// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_windows/qt_colour_combo_box.h"

#include <QApplication>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace kassavero {
namespace {

void PaintSwatch(QPainter& painter, const QRect& area, const QColor& colour, bool enabled) {
    const QRect swatch = area.adjusted(3, 3, -3, -3);
    painter.save();
    painter.setPen(enabled ? QColor(0, 0, 0) : QColor(128, 128, 128));
    painter.setBrush(enabled ? colour : colour.lighter(150));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    painter.restore();
}

class ColourDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        plain.text.clear();
        plain.icon = QIcon();
        QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter);
        PaintSwatch(*painter, option.rect, index.data(Qt::UserRole).value<QColor>(), true);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), option.fontMetrics.height() + 8));
        return size;
    }
};

}  // namespace

ColourComboBox::ColourComboBox(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new ColourDelegate(this));
    setMinimumWidth(fontMetrics().averageCharWidth() * 12);
}

void ColourComboBox::AddColour(const QString& name, const QColor& colour) {
    addItem(name, colour);
}

void ColourComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0)
        return;
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    PaintSwatch(painter, field, currentData(Qt::UserRole).value<QColor>(), isEnabled());
}

}  // namespace kassavero
