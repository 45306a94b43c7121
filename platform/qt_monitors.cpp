// SPDX-License-Identifier: GPL-3.0-or-later
// Following Qt's screens into a monitor layout.
#include "qt_monitors.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

QtMonitors::QtMonitors(std::function<void()> changed)
    : m_changed(std::move(changed))
{
    if (!qGuiApp)
        return;
    update();
    m_watch = {
        QObject::connect(qGuiApp, &QGuiApplication::screenAdded,
                         [this](QScreen *screen) {
                             watchScreen(screen);
                             update();
                         }),
        QObject::connect(qGuiApp, &QGuiApplication::screenRemoved,
                         [this](QScreen *screen) { update(screen); }),
    };
    for (QScreen *screen : QGuiApplication::screens())
        watchScreen(screen);
}

QtMonitors::~QtMonitors()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_watch))
        QObject::disconnect(connection);
}

QScreen *QtMonitors::screen(int monitor) const
{
    return m_screens[std::size_t(monitor)];
}

void QtMonitors::watchScreen(QScreen *screen)
{
    const auto changed = [this] { update(); };
    m_watch.append(QObject::connect(screen, &QScreen::geometryChanged, changed));
    m_watch.append(QObject::connect(screen, &QScreen::physicalDotsPerInchChanged, changed));
}

void QtMonitors::update(QScreen *leaving)
{
    m_layout.clear();
    m_screens.fill(nullptr);
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen == leaving || m_layout.count() == MonitorLayout::kMaxMonitors)
            continue;
        // Qt keeps each screen's top-left corner in device pixels and shrinks the rest by the
        // screen's scale.
        const QRect logical = screen->geometry();
        const double scale = screen->devicePixelRatio();
        const QSize size(qRound(logical.width() * scale), qRound(logical.height() * scale));
        const int before = m_layout.count();
        m_layout.add(QRect(logical.topLeft(), size), scale);
        if (m_layout.count() > before)
            m_screens[std::size_t(before)] = screen;
    }
    if (m_changed)
        m_changed();
}

} // namespace platform
