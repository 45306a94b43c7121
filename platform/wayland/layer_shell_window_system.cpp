// SPDX-License-Identifier: GPL-3.0-or-later
// The sprites as layer-shell surfaces, behind the trail's window-system seam.
#include "layer_shell_window_system.h"

#include "platform/pointer_source.h"
#include "wayland_session.h"

#include <utility>

namespace platform::wayland {

namespace {

// The tick reads the compositor at the tick and moves the surfaces; the kernel's timer paces it,
// so nothing but the trail's own connection wakes for it.
class LayerChannel final : public TrailChannel
{
public:
    LayerChannel(WaylandSession &session, SourcedWindowSystem &pointer,
                 std::unique_ptr<TrailChannel> xPointer)
        : m_session(session)
        , m_pointer(pointer)
        , m_xPointer(std::move(xPointer))
    {
    }

    std::optional<QPoint> pointerPos() override
    {
        // The compositor's events (outputs, configures, scales) are handled here too.
        m_session.read();
        // Where the compositor has said nothing yet (a software cursor), the X server knows the
        // pointer over X11 windows.
        return m_pointer.pointerPos(m_xPointer.get());
    }
    void moveWindow(int index, QPoint topLeft) override { m_session.moveSprite(index, topLeft); }
    void flush() override { m_session.commitSprites(); }

private:
    WaylandSession &m_session;
    SourcedWindowSystem &m_pointer;
    std::unique_ptr<TrailChannel> m_xPointer;
};

} // namespace

LayerShellWindowSystem::LayerShellWindowSystem(WaylandSession &session,
                                               SourcedWindowSystem &pointer)
    : m_session(session)
    , m_pointer(pointer)
{
    readOutputs();
}

LayerShellWindowSystem::~LayerShellWindowSystem() = default;

void LayerShellWindowSystem::readOutputs()
{
    // The trail's offsets are logical pixels on every output: the layout is unscaled, and each
    // output draws the sprites at its own scale.
    m_monitors.clear();
    for (const QRect &output : m_session.outputs())
        m_monitors.add(output, 1.0);
}

const MonitorLayout &LayerShellWindowSystem::monitors()
{
    return m_monitors;
}

std::optional<QPoint> LayerShellWindowSystem::pointerPos()
{
    m_session.read();
    return m_pointer.pointerPos();
}

void LayerShellWindowSystem::moveWindow(QWidget *, QPoint, int)
{
    // The trail moves the surfaces through moveSprite().
}

void LayerShellWindowSystem::flush()
{
    m_session.commitSprites();
}

bool LayerShellWindowSystem::canWatchPointer()
{
    return m_pointer.canWatchPointer();
}

std::optional<QPoint> LayerShellWindowSystem::watchPointerOnce(std::function<void()> onMove)
{
    return m_pointer.watchPointerOnce(std::move(onMove));
}

void LayerShellWindowSystem::stopWatchingPointer()
{
    m_pointer.stopWatchingPointer();
}

void LayerShellWindowSystem::dropUnaskedEvents()
{
    m_session.read();
    readOutputs();
    m_pointer.dropUnaskedEvents();
    if (!m_onEnded || m_endTold)
        return;
    if (const std::optional<QString> said = m_session.ended()) {
        m_endTold = true;
        m_onEnded(*said);
    }
}

void LayerShellWindowSystem::onEnded(std::function<void(const QString &said)> told)
{
    m_onEnded = std::move(told);
}

std::unique_ptr<TrailChannel> LayerShellWindowSystem::openTrailChannel(
    const std::vector<QWidget *> &)
{
    return std::make_unique<LayerChannel>(m_session, m_pointer, m_pointer.openTrailChannel({}));
}

void LayerShellWindowSystem::setPicture(int index, const QImage &picture)
{
    m_session.setSpritePicture(index, picture);
}

void LayerShellWindowSystem::setVisible(bool visible)
{
    m_session.setSpritesVisible(visible);
}

void LayerShellWindowSystem::setOnTop(bool onTop)
{
    m_session.setSpritesOnTop(onTop);
}

void LayerShellWindowSystem::setOpacity(double opacity)
{
    m_session.setSpriteOpacity(opacity);
}

void LayerShellWindowSystem::moveSprite(int index, QPoint topLeft)
{
    m_session.moveSprite(index, topLeft);
}

void LayerShellWindowSystem::commit()
{
    m_session.commitSprites();
}

} // namespace platform::wayland
