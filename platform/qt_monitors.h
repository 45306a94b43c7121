// SPDX-License-Identifier: GPL-3.0-or-later
// The monitors as Qt's screens give them, in device pixels, kept up to date as screens come, go
// and change.
#pragma once

#include "monitor_layout.h"

#include <QList>
#include <QMetaObject>
#include <QPointer>

#include <array>
#include <functional>

class QScreen;

namespace platform {

class QtMonitors
{
public:
    // changed runs after every update of the layout.
    explicit QtMonitors(std::function<void()> changed = {});
    ~QtMonitors();
    QtMonitors(const QtMonitors &) = delete;
    QtMonitors &operator=(const QtMonitors &) = delete;

    // Reading it costs nothing, unlike asking Qt on every tick.
    const MonitorLayout &layout() const { return m_layout; }
    // Monitor i's screen; null once Qt has let it go.
    QScreen *screen(int monitor) const;

private:
    void watchScreen(QScreen *screen);
    void update(QScreen *leaving = nullptr);

    std::function<void()> m_changed;
    MonitorLayout m_layout;
    std::array<QPointer<QScreen>, MonitorLayout::kMaxMonitors> m_screens;
    QList<QMetaObject::Connection> m_watch;
};

} // namespace platform
