// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The small flags shown beside the eleven fixed currencies in the calculator, the
// confirmation window and the settings window. They are drawn, not loaded, so they are
// sharp at any size and scale; custom currencies have none.

#include <QPixmap>
#include <QRectF>
#include <QSize>

#include "core/currency.h"

class QPainter;

namespace kassavero {

// Whether the currency has a flag (the eleven fixed currencies).
bool HasCurrencyFlag(CurrencyIndex currency);

// Draws the flag into the rectangle, keeping its 3:2 shape centred inside it, with a
// thin grey frame. Draws nothing for a currency without a flag.
void PaintCurrencyFlag(QPainter& painter, const QRectF& rect, CurrencyIndex currency);

// The flag as a picture of the given size in device-independent pixels, sharp on a
// screen with the given pixel ratio; a transparent picture for a currency without one.
QPixmap CurrencyFlagPixmap(CurrencyIndex currency, QSize size, qreal devicePixelRatio);

}  // namespace kassavero
