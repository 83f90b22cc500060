// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The small flags shown beside the currencies in the calculator, the confirmation window
// and the settings window: the euro's, the first euro countries' and those of the
// countries that joined later. They are drawn, not loaded, so they are sharp at any size
// and scale.

#include <QPixmap>
#include <QRectF>
#include <QSize>

#include <string_view>

class QPainter;

namespace kassavero {

// Whether there is a flag for a country code ("DE", "BG"; "EU" for the euro).
bool HasCountryFlag(std::u32string_view country);

// Draws the flag into the rectangle, keeping its 3:2 shape centred inside it, with a
// thin grey frame. Draws nothing for a country without a flag.
void PaintCountryFlag(QPainter& painter, const QRectF& rect, std::u32string_view country);

// The flag as a picture of the given size in device-independent pixels, sharp on a
// screen with the given pixel ratio; a transparent picture for a country without one.
QPixmap CountryFlagPixmap(std::u32string_view country, QSize size, qreal devicePixelRatio);

}  // namespace kassavero
