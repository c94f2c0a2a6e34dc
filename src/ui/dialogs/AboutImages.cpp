#include "ui/dialogs/AboutImages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

namespace tamrik {
namespace {

const QColor kKeyColour(255, 0, 255);

}  // namespace

QImage AboutBackground(const QRect& linkPlate) {
    QImage image(kAboutWidth, kAboutHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, kAboutHeight);
    sky.setColorAt(0.0, QColor(120, 18, 18));
    sky.setColorAt(1.0, QColor(40, 6, 10));
    painter.fillRect(image.rect(), sky);

    // A sounder's rings spreading from the lower right corner.
    const QPointF source(kAboutWidth - 36, kAboutHeight - 30);
    painter.setBrush(Qt::NoBrush);
    for (int ring = 1; ring <= 6; ++ring) {
        painter.setPen(QPen(QColor(255, 170, 120, 46 - ring * 6), 6));
        painter.drawEllipse(source, ring * 26.0, ring * 26.0);
    }
    QRadialGradient glow(source, 30);
    glow.setColorAt(0.0, QColor(255, 190, 90, 200));
    glow.setColorAt(1.0, QColor(255, 120, 60, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(source, 30, 30);

    if (linkPlate.isValid()) {
        painter.setBrush(QColor(250, 244, 236, 235));
        painter.drawRoundedRect(QRectF(linkPlate).adjusted(-8, -1, 8, 1), 6, 6);
    }
    return image;
}

QImage AboutCloseImage() {
    QImage image(kAboutCloseSize, kAboutCloseSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(2.5, 2.5, kAboutCloseSize - 5, kAboutCloseSize - 5);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
    painter.setBrush(QColor(20, 20, 20, 150));
    painter.drawEllipse(disc);
    painter.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    const qreal inset = 8.0;
    painter.drawLine(QPointF(inset, inset), QPointF(kAboutCloseSize - inset, kAboutCloseSize - inset));
    painter.drawLine(QPointF(kAboutCloseSize - inset, inset), QPointF(inset, kAboutCloseSize - inset));
    return image;
}

QImage AboutPointerImage() {
    QImage image(kAboutPointerSize, kAboutPointerSize, QImage::Format_RGB32);
    image.fill(kKeyColour);
    QPainter painter(&image);
    // A pointing hand whose fingertip sits next to the top-left corner (the hot spot). Drawn without
    // smoothing, so every pixel is either the key colour or part of the hand.
    QPainterPath hand;
    hand.moveTo(1, 1);
    hand.lineTo(6, 1);
    hand.lineTo(6, 12);
    hand.lineTo(18, 12);
    hand.lineTo(22, 16);
    hand.lineTo(22, 26);
    hand.lineTo(17, 30);
    hand.lineTo(8, 30);
    hand.lineTo(1, 20);
    hand.closeSubpath();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
    painter.drawLine(10, 13, 10, 19);
    painter.drawLine(14, 13, 14, 19);
    painter.drawLine(18, 13, 18, 19);
    return image;
}

QCursor PointerFromImage(const QImage& image) {
    QImage picture = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = picture.pixel(0, 0);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) == key) picture.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return QCursor(QPixmap::fromImage(picture), 0, 0);
}

}  // namespace tamrik
