// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer from compositors that offer cursor sessions of their outputs (sway, labwc): read
// from Zorrit's own Wayland connection at the trail's tick.
#pragma once

#include "compositor_source.h"
#include "output_mapping.h"

#include <QTimer>

#include <atomic>
#include <functional>
#include <optional>

class QSocketNotifier;

namespace platform::wayland {
class WaylandSession;
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
    // How often, until the compositor speaks of the pointer, the source looks whether the X
    // server saw it move meanwhile: then the compositor draws the cursor itself.
    static constexpr int kSilenceMs = 3000;
    static constexpr int kSilentChecks = 20;

    // Whether this session's compositor offers cursor sessions.
    static bool found(const SourceContext &context);

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
    void checkSilence();

    platform::wayland::WaylandSession *m_session = nullptr;
    bool m_logicalPixels = false;
    std::function<std::optional<QPoint>()> m_xPointer;
    std::optional<QPoint> m_xPointerAtStart;
    std::atomic<bool> m_broken{false};
    std::atomic<bool> m_entered{false};
    QSocketNotifier *m_watch = nullptr;
    QTimer m_silence;
    int m_silentChecks = 0;
    // The cursor sessions speak in the compositor's logical pixels; where the sprites are X11
    // windows, this table takes them into Xwayland's, which differ where X11 programs scale
    // themselves.
    OutputMapping m_mapping;
    OutputWatch *m_outputWatch = nullptr;
};

} // namespace zorrit::pointer
