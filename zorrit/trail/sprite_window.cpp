// SPDX-License-Identifier: GPL-3.0-or-later
// The sprite window: flags, drawing and outline.
#include "sprite_window.h"

#include "platform/x11_window_system.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QWindow>

namespace zorrit::trail {

namespace {
constexpr const char *kTitles[] = {"Zorrit", "p2", "p3", "p4", "p5"};
constexpr const char *kNames[] = {"main1", "part2", "part3", "part4", "part5"};
} // namespace

SpriteWindow::SpriteWindow(int index, SpriteScale scale)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                           | Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus
                           | Qt::WindowTransparentForInput)
    , m_index(index)
    , m_scale(scale)
{
    setWindowTitle(QString::fromLatin1(kTitles[index]));
    setObjectName(QString::fromLatin1(kNames[index]));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(m_scale.side, m_scale.side);
    setPicture(builtInBall(index, m_scale.factor));
}

void SpriteWindow::setPicture(const QImage &picture)
{
    m_picture = picture;
    m_drawing = composeSpriteDrawing(picture, m_scale);
    update();
}

void SpriteWindow::cutOutline(QRgb colour)
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

bool SpriteWindow::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
        followScale();
        break;
    default:
        break;
    }
    return handled;
}

void SpriteWindow::followScale()
{
    // Qt has put the window on a screen of another scale, or changed its screen's scale. Newer Qt
    // also sizes the widget from the window's old size in device pixels at the new scale (10 x 10
    // on a doubled screen), in the middle of its own move, which is not done yet.
    const qreal ratio = devicePixelRatioF();
    const bool resized = size() != QSize(m_scale.side, m_scale.side);
    if (!resized && ratio == m_drawnRatio)
        return; // a screen of the same scale: nothing to redo
    m_drawnRatio = ratio;
    // The outline was cut in device pixels at the old scale and the window shows the old drawing:
    // show nothing until the new drawing is there, so the key colour never shows.
    if (QWindow *window = windowHandle();
        window && testAttribute(Qt::WA_WState_Created) && !mask().isEmpty())
        window->setMask(QRegion(-1, -1, 1, 1));
    if (!m_refitPending) {
        m_refitPending = true;
        QMetaObject::invokeMethod(this, &SpriteWindow::refit, Qt::QueuedConnection);
    }
}

void SpriteWindow::refit()
{
    m_refitPending = false;
    QWindow *window = windowHandle();
    // Qt's move is done: its window has the size and place Qt gave it. Setting the widget to
    // them changes nothing on the server; it only gives the widget back its size.
    const QSize side(m_scale.side, m_scale.side);
    if (window && size() != side)
        setGeometry(QRect(window->position(), side));
    if (isVisible())
        repaint();
    if (window && testAttribute(Qt::WA_WState_Created) && !mask().isEmpty())
        window->setMask(mask()); // cut again at the new scale
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
