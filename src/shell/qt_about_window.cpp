// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/qt_about_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include "i18n/translate_widgets.h"
#include "i18n/translator.h"
#include "kassavero_version.h"
#include "platform/qt_text.h"
#include "platform/qt_window_front.h"

namespace kassavero {
namespace {

// The picture at its design size (480 x 200 logical pixels), sharp on the screen.
QPixmap RenderPicture(const QString& file, qreal ratio) {
    const QSize size(480, 200);
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(QColor(0x00, 0x3d, 0x99));
    QSvgRenderer renderer(file);
    QPainter painter(&pixmap);
    if (renderer.isValid())
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    // The program's name beside the coin, so the picture alone says what starts.
    QFont font = QApplication::font();
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(200, 50, 270, 60), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Kassavero"));
    font.setPixelSize(16);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRectF(202, 110, 270, 30), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("EUR \u00b7 ATS \u00b7 BEF \u00b7 DEM \u00b7 ESP \u00b7 FIM"));
    painter.drawText(QRectF(202, 134, 270, 30), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("FRF \u00b7 IEP \u00b7 ITL \u00b7 NLG \u00b7 PTE"));
    return pixmap;
}

}  // namespace

TAboutForm::TAboutForm(Translator& translator, const QString& picture)
    : picture_(new QLabel(this)),
      name_(new QLabel(this)),
      description_(new QLabel(this)),
      close_(new QPushButton(this)) {
    const qreal ratio = QGuiApplication::primaryScreen() != nullptr
                            ? QGuiApplication::primaryScreen()->devicePixelRatio()
                            : 1.0;
    picture_->setPixmap(RenderPicture(picture, ratio));
    picture_->setAlignment(Qt::AlignCenter);

    name_->setText(QStringLiteral("<b>Kassavero</b> %1")
                       .arg(QStringLiteral(KASSAVERO_VERSION).toHtmlEscaped()));
    name_->setTextFormat(Qt::RichText);
    QFont nameFont = name_->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.3);
    name_->setFont(nameFont);
    description_->setText(ToQString(translator.TranslateKey("InfoBeschreibung")));
    description_->setWordWrap(true);
    close_->setText(ToQString(translator.TranslateKey("InfoSchliessenButton")));
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::hide);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture_);
    // Name, description and button sit in one panel that the start-up picture hides.
    textPanel_ = new QWidget(this);
    auto* text = new QVBoxLayout(textPanel_);
    const int margin = fontMetrics().height();
    text->setContentsMargins(margin, margin / 2, margin, margin);
    text->addWidget(name_);
    text->addWidget(description_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_);
    text->addLayout(buttons);
    layout->addWidget(textPanel_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setWindowTitle(ToQString(translator.TranslateKey("InfoForm")));
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (startUp_)
            hide();
    });
    // The start-up picture goes as soon as the user turns to another program.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (startUp_ && s == Qt::ApplicationInactive && isVisible())
            hide();
    });
}

void TAboutForm::SetStartUpMode(bool startUp) {
    startUp_ = startUp;
    textPanel_->setVisible(!startUp);
    setWindowFlags(startUp ? Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                           : Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint);
}

void TAboutForm::ShowStartUp(int milliseconds) {
    SetStartUpMode(true);
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    timer_.start(milliseconds);
}

void TAboutForm::ShowAbout() {
    timer_.stop();
    if (startUp_ || !isVisible()) {
        SetStartUpMode(false);
        adjustSize();
        if (QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    show();
    BringWindowToFront(this);
}

void TAboutForm::mousePressEvent(QMouseEvent* event) {
    if (startUp_) {
        hide();
        return;
    }
    QDialog::mousePressEvent(event);
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAboutForm::hideEvent(QHideEvent* event) {
    timer_.stop();
    QDialog::hideEvent(event);
}

}  // namespace kassavero
