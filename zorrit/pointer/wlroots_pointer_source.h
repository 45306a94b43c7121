// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer from compositors that offer cursor sessions of their outputs (sway, labwc): read
// from Zorrit's own Wayland connection at the trail's tick.
#pragma once

#include "compositor_source.h"

#include <QMetaObject>

#include <atomic>
#include <memory>

class QSocketNotifier;

namespace platform::wayland {
class CursorSessions;
}

namespace zorrit::pointer {

// A moving trail reads the compositor's socket at its tick, never on a thread of its own; a
// sleeping one watches the socket on the GUI thread, so at rest nothing wakes. The compositor
// going away shuts the source for good (a new compositor is a new session).
class WlrootsPointerSource final : public CompositorSource
{
    Q_OBJECT

public:
    // Whether this session's compositor offers cursor sessions: one short connection.
    static bool found();

    explicit WlrootsPointerSource(QObject *parent = nullptr);
    ~WlrootsPointerSource() override;

    [[nodiscard]] StartResult start() override;
    void readAtTick() override;
    void setWatched(bool watched) override;

private:
    // Reads the socket and reports; true the first time the connection is found gone.
    bool readReports();
    void readNow();
    void updateRootRects();
    void connectionLost();

    std::unique_ptr<platform::wayland::CursorSessions> m_sessions;
    std::atomic<bool> m_broken{false};
    QSocketNotifier *m_watch = nullptr;
    QList<QMetaObject::Connection> m_screenWatch;
};

} // namespace zorrit::pointer
