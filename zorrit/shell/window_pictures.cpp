// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the small windows' pictures with QPainter; no picture files involved.
#include "window_pictures.h"

#include "loading_window.h"
#include "program_icon.h"
#include "zorrit/trail/sprite_picture.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace zorrit::shell {

namespace {

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A mouse seen from above, its cable running off to the right, and a few balls of the trail
// following it.
QPixmap mouseWithTrail()
{
    QImage image = canvas(64, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int k = 4; k >= 1; --k)
        p.drawImage(
            QPointF(6 + (4 - k) * 8.0, 26 - (4 - k) * 5.0),
            trail::builtInBall(k).scaled(12, 12, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(QColor(235, 235, 240));
    p.drawRoundedRect(QRectF(40, 14, 18, 28), 9, 9);
    p.drawLine(QPointF(40, 24), QPointF(58, 24));
    p.drawLine(QPointF(49, 14), QPointF(49, 24));
    p.setBrush(Qt::NoBrush);
    QPainterPath cable(QPointF(49, 14));
    cable.cubicTo(QPointF(49, 4), QPointF(60, 8), QPointF(62, 2));
    p.drawPath(cable);
    return QPixmap::fromImage(image);
}

// A gauge whose needle stays near its low end: little CPU.
QPixmap loadGauge()
{
    QImage image = canvas(64, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF dial(6, 8, 52, 52);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(QColor(245, 245, 245));
    p.drawPie(dial, 0, 180 * 16);
    // Green, yellow and red bands from low to high.
    const QColor bands[] = {QColor(60, 170, 70), QColor(235, 200, 40), QColor(210, 60, 50)};
    for (int k = 0; k < 3; ++k) {
        p.setPen(QPen(bands[k], 4, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(dial.adjusted(4, 4, -4, -4), (180 - 60 * k) * 16, -60 * 16);
    }
    p.setPen(QPen(QColor(30, 30, 30), 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre = dial.center();
    p.drawLine(centre, centre + QPointF(-19, -8)); // low: well inside the green
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(centre, 2.5, 2.5);
    return QPixmap::fromImage(image);
}

// A panel corner: a few tray icons, the program's icon among them, and the clock.
QPixmap trayBesideClock()
{
    QImage image = canvas(64, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 80, 100), 1));
    p.setBrush(QColor(200, 210, 228));
    p.drawRoundedRect(QRectF(1, 14, 62, 22), 3, 3);
    p.setBrush(QColor(150, 160, 180));
    p.drawRect(QRectF(6, 21, 8, 8));
    p.drawPixmap(QRect(17, 17, 16, 16), programIcon().pixmap(16, 16));
    // The clock: a small dial.
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(40, 17, 16, 16));
    p.setPen(QPen(QColor(30, 30, 30), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(48, 25), QPointF(48, 19.5));
    p.drawLine(QPointF(48, 25), QPointF(52, 27));
    // A pointer about to right-click the program's icon.
    QPainterPath arrow(QPointF(27, 27));
    arrow.lineTo(27, 44);
    arrow.lineTo(31, 40);
    arrow.lineTo(34, 46);
    arrow.lineTo(36, 45);
    arrow.lineTo(33, 39);
    arrow.lineTo(38, 39);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    return QPixmap::fromImage(image);
}

} // namespace

QPixmap programPicture()
{
    return programIcon().pixmap(48, 48);
}

QPixmap warningPicture()
{
    QImage image = canvas(31, 37);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle(QPointF(15.5, 3));
    triangle.lineTo(30, 32);
    triangle.lineTo(1, 32);
    triangle.closeSubpath();
    p.setPen(QPen(QColor(120, 90, 0), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 210, 40));
    p.drawPath(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    QPainterPath bar(QPointF(13.8, 12));
    bar.lineTo(17.2, 12);
    bar.lineTo(16.4, 23);
    bar.lineTo(14.6, 23);
    bar.closeSubpath();
    p.drawPath(bar);
    p.drawEllipse(QPointF(15.5, 27), 1.8, 1.8);
    return QPixmap::fromImage(image);
}

QPixmap welcomePicture(int index)
{
    switch (index) {
    case 1:
        return trailPicture(3);
    case 2:
        return mouseWithTrail();
    case 3:
        return loadGauge();
    case 4:
        return trayBesideClock();
    default:
        return {};
    }
}

} // namespace zorrit::shell
