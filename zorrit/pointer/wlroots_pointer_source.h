// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer from compositors that offer cursor sessions of their outputs (sway, labwc): read
// from Zorrit's own Wayland connection at the trail's tick.
#pragma once

#include "compositor_source.h"
#include "output_mapping.h"

#include <atomic>
#include <memory>
#include <optional>

class QSocketNotifier;

namespace platform::wayland {
class CursorSessions;
}

namespace zorrit::pointer {

class OutputWatch;
struct SourceContext;

// A moving trail reads the compositor's socket at its tick, never on a thread of its own; a
// sleeping one watches the socket on the GUI thread, so at rest nothing wakes. The compositor
// going away shuts the source for good (a new compositor is a new session).
class WlrootsPointerSource final : public CompositorSource
{
    Q_OBJECT

public:
    // Whether this session's compositor offers cursor sessions: one short connection.
    static bool found();

    explicit WlrootsPointerSource(const SourceContext &context, QObject *parent = nullptr);
    ~WlrootsPointerSource() override;

    [[nodiscard]] StartResult start() override;
    void readAtTick() override;

protected:
    void watchSocket(bool watched) override;

private:
    // Reads the socket and reports. The first time the connection is found gone: what the
    // compositor said as it ended it (empty when it said nothing).
    std::optional<QString> readReports();
    void readNow();
    void connectionLost(const QString &refusal);

    std::unique_ptr<platform::wayland::CursorSessions> m_sessions;
    std::atomic<bool> m_broken{false};
    QSocketNotifier *m_watch = nullptr;
    // The cursor sessions speak in the compositor's logical pixels; this table takes them into
    // Xwayland's, which differ where X11 programs scale themselves.
    OutputMapping m_mapping;
    OutputWatch *m_outputWatch = nullptr;
};

} // namespace zorrit::pointer
