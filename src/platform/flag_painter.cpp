// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/flag_painter.h"

#include <QColor>
#include <QPainter>
#include <QPolygonF>
#include <QtMath>

#include <array>

namespace kassavero {
namespace {

enum class Stripes { Horizontal, Vertical };

struct Colors {
    Stripes direction;
    std::array<QRgb, 3> colors;
    std::array<int, 3> weights;  // relative width of each stripe
};

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;

void PaintStripes(QPainter& painter, const QRectF& r, const Colors& flag) {
    int total = 0;
    for (int w : flag.weights)
        total += w;
    qreal offset = 0;
    for (std::size_t i = 0; i < flag.colors.size(); ++i) {
        if (flag.weights[i] == 0)
            continue;
        const qreal share = flag.weights[i] / static_cast<qreal>(total);
        QRectF stripe =
            flag.direction == Stripes::Horizontal
                ? QRectF(r.left(), r.top() + offset * r.height(), r.width(), share * r.height())
                : QRectF(r.left() + offset * r.width(), r.top(), share * r.width(), r.height());
        painter.fillRect(stripe, QColor::fromRgb(flag.colors[i]));
        offset += share;
    }
}

void PaintEuropeanFlag(QPainter& painter, const QRectF& r) {
    painter.fillRect(r, QColor(0x00, 0x33, 0x99));
    const QPointF centre = r.center();
    const qreal ring = r.height() / 3.0;
    const qreal star = qMax<qreal>(r.height() / 18.0, 0.6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0xcc, 0x00));
    for (int i = 0; i < 12; ++i) {
        const qreal angle = i * M_PI / 6.0;
        painter.drawEllipse(
            QPointF(centre.x() + ring * qCos(angle), centre.y() + ring * qSin(angle)), star, star);
    }
}

void PaintFinnishFlag(QPainter& painter, const QRectF& r) {
    painter.fillRect(r, Qt::white);
    const QColor blue(0x00, 0x35, 0x80);
    const qreal bar = r.height() * 3.0 / 11.0;
    painter.fillRect(QRectF(r.left(), r.center().y() - bar / 2, r.width(), bar), blue);
    painter.fillRect(QRectF(r.left() + r.width() * 5.0 / 18.0, r.top(), bar, r.height()), blue);
}

// A horizontal cross, as on the Greek canton: bars a fifth of the square wide.
void PaintCross(QPainter& painter, const QRectF& square, const QColor& color) {
    const qreal bar = square.height() / 5.0;
    painter.fillRect(QRectF(square.left(), square.center().y() - bar / 2, square.width(), bar),
                     color);
    painter.fillRect(QRectF(square.center().x() - bar / 2, square.top(), bar, square.height()),
                     color);
}

void PaintGreekFlag(QPainter& painter, const QRectF& r) {
    const QColor blue(0x0d, 0x5e, 0xaf);
    const qreal stripe = r.height() / 9.0;
    for (int i = 0; i < 9; ++i)
        painter.fillRect(QRectF(r.left(), r.top() + i * stripe, r.width(), stripe),
                         i % 2 == 0 ? blue : QColor(Qt::white));
    const QRectF canton(r.left(), r.top(), 5 * stripe, 5 * stripe);
    painter.fillRect(canton, blue);
    PaintCross(painter, canton, Qt::white);
}

// A small shield in the hoist half, as the Croatian, Slovak and Slovenian flags carry.
QRectF Shield(const QRectF& r, qreal centreX) {
    const qreal height = r.height() * 0.5;
    const qreal width = height * 0.8;
    return {r.left() + r.width() * centreX - width / 2, r.center().y() - height / 2, width, height};
}

void PaintCroatianFlag(QPainter& painter, const QRectF& r) {
    PaintStripes(painter, r, {Stripes::Horizontal, {0xffff0000, kWhite, 0xff171796}, {1, 1, 1}});
    const QRectF shield = Shield(r, 0.5);
    const qreal cell = shield.width() / 4.0;
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 4; ++column)
            painter.fillRect(
                QRectF(shield.left() + column * cell, shield.top() + row * cell, cell, cell),
                (row + column) % 2 == 0 ? QColor(0xff, 0, 0) : QColor(Qt::white));
    }
}

void PaintSlovakFlag(QPainter& painter, const QRectF& r) {
    PaintStripes(painter, r, {Stripes::Horizontal, {kWhite, 0xff0b4ea2, 0xffee1c25}, {1, 1, 1}});
    const QRectF shield = Shield(r, 0.33);
    painter.fillRect(shield, QColor(0xee, 0x1c, 0x25));
    const qreal bar = shield.width() / 6.0;
    const QColor white(Qt::white);
    painter.fillRect(
        QRectF(shield.center().x() - bar / 2, shield.top() + bar, bar, shield.height() - 3 * bar),
        white);
    painter.fillRect(
        QRectF(shield.left() + bar, shield.top() + 2 * bar, shield.width() - 2 * bar, bar * 0.8),
        white);
    painter.fillRect(QRectF(shield.left() + bar * 0.5, shield.bottom() - 2 * bar,
                            shield.width() - bar, bar * 1.5),
                     QColor(0x0b, 0x4e, 0xa2));
}

void PaintSlovenianFlag(QPainter& painter, const QRectF& r) {
    PaintStripes(painter, r, {Stripes::Horizontal, {kWhite, 0xff005da4, 0xffed1c24}, {1, 1, 1}});
    const QRectF shield = Shield(r.adjusted(0, -r.height() / 6, 0, -r.height() / 6), 0.28);
    painter.fillRect(shield, QColor(0x00, 0x5d, 0xa4));
    QPolygonF mountain;
    mountain << QPointF(shield.left(), shield.bottom())
             << QPointF(shield.center().x(), shield.top() + shield.height() * 0.35)
             << QPointF(shield.right(), shield.bottom());
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPolygon(mountain);
}

void PaintMalteseFlag(QPainter& painter, const QRectF& r) {
    PaintStripes(painter, r, {Stripes::Vertical, {kWhite, 0xffcf142b, 0xffcf142b}, {1, 1, 0}});
    const qreal size = r.height() / 5.0;
    const QRectF cross(r.left() + size / 2, r.top() + size / 2, size, size);
    painter.fillRect(cross, QColor(0xa0, 0xa0, 0xa0));
    PaintCross(painter, cross, QColor(0xe0, 0xe0, 0xe0));
}

void PaintCypriotFlag(QPainter& painter, const QRectF& r) {
    painter.fillRect(r, Qt::white);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xd5, 0x78, 0x00));
    painter.drawEllipse(QRectF(r.left() + r.width() * 0.25, r.top() + r.height() * 0.22,
                               r.width() * 0.5, r.height() * 0.3));
    painter.setBrush(QColor(0x4e, 0x5b, 0x31));
    painter.drawEllipse(QRectF(r.left() + r.width() * 0.3, r.top() + r.height() * 0.62,
                               r.width() * 0.4, r.height() * 0.12));
}

struct StripedFlag {
    std::u32string_view country;
    Colors colors;
};

constexpr std::array<StripedFlag, 13> kStripedFlags{{
    {U"AT", {Stripes::Horizontal, {0xffed2939, kWhite, 0xffed2939}, {1, 1, 1}}},
    {U"BE", {Stripes::Vertical, {kBlack, 0xfffae042, 0xffed2939}, {1, 1, 1}}},
    {U"DE", {Stripes::Horizontal, {kBlack, 0xffdd0000, 0xffffce00}, {1, 1, 1}}},
    {U"ES", {Stripes::Horizontal, {0xffaa151b, 0xfff1bf00, 0xffaa151b}, {1, 2, 1}}},
    {U"FR", {Stripes::Vertical, {0xff002395, kWhite, 0xffed2939}, {1, 1, 1}}},
    {U"IE", {Stripes::Vertical, {0xff169b62, kWhite, 0xffff883e}, {1, 1, 1}}},
    {U"IT", {Stripes::Vertical, {0xff009246, kWhite, 0xffce2b37}, {1, 1, 1}}},
    {U"NL", {Stripes::Horizontal, {0xffae1c28, kWhite, 0xff21468b}, {1, 1, 1}}},
    {U"PT", {Stripes::Vertical, {0xff006600, 0xffff0000, 0xffff0000}, {2, 3, 0}}},
    {U"BG", {Stripes::Horizontal, {kWhite, 0xff00966e, 0xffd62612}, {1, 1, 1}}},
    {U"LT", {Stripes::Horizontal, {0xfffdb913, 0xff006a44, 0xffc1272d}, {1, 1, 1}}},
    {U"LV", {Stripes::Horizontal, {0xff9e3039, kWhite, 0xff9e3039}, {2, 1, 2}}},
    {U"EE", {Stripes::Horizontal, {0xff0072ce, kBlack, kWhite}, {1, 1, 1}}},
}};

using Painter = void (*)(QPainter&, const QRectF&);

struct DrawnFlag {
    std::u32string_view country;
    Painter paint;
};

constexpr std::array<DrawnFlag, 8> kDrawnFlags{{
    {U"EU", PaintEuropeanFlag},
    {U"FI", PaintFinnishFlag},
    {U"GR", PaintGreekFlag},
    {U"HR", PaintCroatianFlag},
    {U"SK", PaintSlovakFlag},
    {U"SI", PaintSlovenianFlag},
    {U"MT", PaintMalteseFlag},
    {U"CY", PaintCypriotFlag},
}};

const DrawnFlag* FindDrawn(std::u32string_view country) {
    for (const DrawnFlag& flag : kDrawnFlags) {
        if (flag.country == country)
            return &flag;
    }
    return nullptr;
}

const StripedFlag* FindStriped(std::u32string_view country) {
    for (const StripedFlag& flag : kStripedFlags) {
        if (flag.country == country)
            return &flag;
    }
    return nullptr;
}

}  // namespace

bool HasCountryFlag(std::u32string_view country) {
    return FindDrawn(country) != nullptr || FindStriped(country) != nullptr;
}

void PaintCountryFlag(QPainter& painter, const QRectF& rect, std::u32string_view country) {
    if (!HasCountryFlag(country) || rect.isEmpty())
        return;
    // Keep the 3:2 shape inside whatever room the caller has.
    qreal width = rect.width();
    qreal height = width * 2.0 / 3.0;
    if (height > rect.height()) {
        height = rect.height();
        width = height * 1.5;
    }
    const QRectF r(rect.center().x() - width / 2, rect.center().y() - height / 2, width, height);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (const DrawnFlag* drawn = FindDrawn(country))
        drawn->paint(painter, r);
    else
        PaintStripes(painter, r, FindStriped(country)->colors);
    // A thin frame keeps white stripes apart from a white background.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.restore();
}

QPixmap CountryFlagPixmap(std::u32string_view country, QSize size, qreal devicePixelRatio) {
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintCountryFlag(painter, QRectF(QPointF(0, 0), QSizeF(size)), country);
    return pixmap;
}

}  // namespace kassavero
