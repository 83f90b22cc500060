// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/flag_painter.h"

#include <QColor>
#include <QPainter>
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

}  // namespace

bool HasCurrencyFlag(CurrencyIndex currency) {
    return currency <= kPTE;
}

void PaintCurrencyFlag(QPainter& painter, const QRectF& rect, CurrencyIndex currency) {
    if (!HasCurrencyFlag(currency) || rect.isEmpty())
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
    switch (currency) {
        case kEUR:
            PaintEuropeanFlag(painter, r);
            break;
        case kATS:
            PaintStripes(painter, r,
                         {Stripes::Horizontal, {0xffed2939, kWhite, 0xffed2939}, {1, 1, 1}});
            break;
        case kBEF:
            PaintStripes(painter, r,
                         {Stripes::Vertical, {kBlack, 0xfffae042, 0xffed2939}, {1, 1, 1}});
            break;
        case kDEM:
            PaintStripes(painter, r,
                         {Stripes::Horizontal, {kBlack, 0xffdd0000, 0xffffce00}, {1, 1, 1}});
            break;
        case kESP:
            PaintStripes(painter, r,
                         {Stripes::Horizontal, {0xffaa151b, 0xfff1bf00, 0xffaa151b}, {1, 2, 1}});
            break;
        case kFIM:
            PaintFinnishFlag(painter, r);
            break;
        case kFRF:
            PaintStripes(painter, r,
                         {Stripes::Vertical, {0xff002395, kWhite, 0xffed2939}, {1, 1, 1}});
            break;
        case kIEP:
            PaintStripes(painter, r,
                         {Stripes::Vertical, {0xff169b62, kWhite, 0xffff883e}, {1, 1, 1}});
            break;
        case kITL:
            PaintStripes(painter, r,
                         {Stripes::Vertical, {0xff009246, kWhite, 0xffce2b37}, {1, 1, 1}});
            break;
        case kNLG:
            PaintStripes(painter, r,
                         {Stripes::Horizontal, {0xffae1c28, kWhite, 0xff21468b}, {1, 1, 1}});
            break;
        case kPTE:
            PaintStripes(painter, r,
                         {Stripes::Vertical, {0xff006600, 0xffff0000, 0xffff0000}, {2, 3, 0}});
            break;
        default:
            break;
    }
    // A thin frame keeps white stripes apart from a white background.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.restore();
}

QPixmap CurrencyFlagPixmap(CurrencyIndex currency, QSize size, qreal devicePixelRatio) {
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintCurrencyFlag(painter, QRectF(QPointF(0, 0), QSizeF(size)), currency);
    return pixmap;
}

}  // namespace kassavero
