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
    // Qt has put the window on a screen of another scale, or changed the screen's scale. Newer
    // Qt sizes the window from its old size in device pixels at the new scale (10 x 10 on a
    // doubled screen); the sprite keeps its size on every screen.
    const bool resized = size() != QSize(kSpriteSize, kSpriteSize);
    if (resized)
        resize(kSpriteSize, kSpriteSize);
    const qreal ratio = devicePixelRatioF();
    if (!resized && ratio == m_drawnRatio)
        return; // a screen of the same scale: nothing to redo
    m_drawnRatio = ratio;
    QWindow *window = windowHandle();
    const QRegion outline = mask();
    if (!window || !testAttribute(Qt::WA_WState_Created) || outline.isEmpty()) {
        update();
        return;
    }
    // The outline was cut in device pixels at the old scale, and the window still shows the old
    // drawing: show nothing until the drawing at the new scale is there, so the key colour never
    // shows, then cut the outline again at the new scale.
    window->setMask(QRegion(-1, -1, 1, 1));
    if (isVisible())
        repaint();
    window->setMask(outline);
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
