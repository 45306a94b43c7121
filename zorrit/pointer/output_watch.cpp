// SPDX-License-Identifier: GPL-3.0-or-later
// Following both sides of the outputs into the report mapping.
#include "output_watch.h"

#include "output_mapping.h"
#include "platform/wayland/wayland_outputs.h"

#include <QGuiApplication>
#include <QScreen>

namespace zorrit::pointer {

OutputWatch::OutputWatch(OutputMapping &mapping, QObject *parent)
    : QObject(parent)
    , m_mapping(mapping)
{
}

OutputWatch::~OutputWatch()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_screenWatch))
        QObject::disconnect(connection);
}

bool OutputWatch::start()
{
    m_outputs = new platform::wayland::WaylandOutputs(this);
    if (!qGuiApp || !m_outputs->connect())
        return false;
    connect(m_outputs, &platform::wayland::WaylandOutputs::changed, this, &OutputWatch::update);
    m_screenWatch = {
        QObject::connect(qGuiApp, &QGuiApplication::screenAdded, this,
                         [this](QScreen *screen) {
                             watchScreen(screen);
                             update();
                         }),
        // Queued: Qt still lists a screen while it announces its removal.
        QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, this, &OutputWatch::update,
                         Qt::QueuedConnection),
    };
    for (QScreen *screen : QGuiApplication::screens())
        watchScreen(screen);
    update();
    return true;
}

void OutputWatch::watchScreen(QScreen *screen)
{
    m_screenWatch.append(
        QObject::connect(screen, &QScreen::geometryChanged, this, &OutputWatch::update));
}

void OutputWatch::update()
{
    // Xwayland's RandR outputs, as Qt's screens show them: the top-left corner in root pixels,
    // the size shrunk by the screen's scale.
    std::vector<platform::NamedRect> root;
    for (QScreen *screen : QGuiApplication::screens()) {
        const QRect geometry = screen->geometry();
        const double scale = screen->devicePixelRatio();
        root.push_back(
            {screen->name(), QRect(geometry.topLeft(), QSize(qRound(geometry.width() * scale),
                                                             qRound(geometry.height() * scale)))});
    }
    m_mapping.set(xwaylandPlaces(m_outputs->outputs(), root));
}

} // namespace zorrit::pointer
