// SPDX-License-Identifier: GPL-3.0-or-later
// The sprite window: flags, drawing and outline.
#include "sprite_window.h"

#include "platform/x11_window_system.h"

#include <QGuiApplication>
#include <QPainter>

namespace zorrit::trail {

namespace {
constexpr const char *kTitles[] = {"Zorrit", "p2", "p3", "p4", "p5"};
constexpr const char *kNames[] = {"main1", "part2", "part3", "part4", "part5"};
} // namespace

SpriteWindow::SpriteWindow(int index)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                           | Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus
                           | Qt::WindowTransparentForInput)
    , m_index(index)
{
    setWindowTitle(QString::fromLatin1(kTitles[index]));
    setObjectName(QString::fromLatin1(kNames[index]));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(kSpriteSize, kSpriteSize);
    setPicture(builtInBall(index));
}

void SpriteWindow::setPicture(const QImage &picture)
{
    m_picture = picture;
    m_drawing = composeSpriteDrawing(picture);
    update();
}

void SpriteWindow::ShapeWindow(QRgb colour)
{
    m_shape = zorrit::trail::visibleRegion(m_drawing, colour);
    // An empty region would mean "no outline at all", i.e. the whole square; a region wholly
    // outside the window shows nothing, which is what an empty picture needs.
    setMask(m_shape.isEmpty() ? QRegion(-1, -1, 1, 1) : m_shape);
    // A shape set while the program is idle may otherwise wait in the output buffer. A flush,
    // not a sync: this runs in the middle of start-up and theme loading, where running the event
    // loop could delete windows under our feet.
    platform::flushX11();
}

void SpriteWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Unsmoothed: on a high-density screen every picture pixel becomes a crisp block.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), m_drawing);
}

} // namespace zorrit::trail
