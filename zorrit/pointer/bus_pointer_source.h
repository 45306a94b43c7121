// SPDX-License-Identifier: GPL-3.0-or-later
// Pointer sources fed over the session bus: a KWin script of ours, or our GNOME Shell extension,
// calls Moved(x, y) when the pointer moves.
#pragma once

#include "compositor_source.h"
#include "output_mapping.h"
#include "zorrit/trail/tick.h"

#include <QRect>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>
#include <mutex>

class QSocketNotifier;

namespace platform {
class BusReportReader;
}

namespace zorrit::pointer {

class OutputWatch;
class PointerReceiver;
class ReportedFullScreen;

// The reporters send at most one report a tick, without waiting for an answer, to a connection
// of Zorrit's own that nothing reads but the tick: the reports wait in its socket and the tick
// takes the newest, so a moving pointer costs no wake-up beyond the tick's own. While the trail
// sleeps, the socket is watched, and the first report wakes it.
//
// Only the compositor's reports count: a Moved call from any other connection than the one that
// owns the compositor's bus name now (followed as it changes) gets an error and moves nothing,
// on the report connection and on Qt's alike.
//
// The well-known name is held (on Qt's connection, which also serves Receiver, the name the
// reporters send to, and Moved for a reporter of an older Zorrit) without allowing replacement,
// so no other program can take it from a running Zorrit. A copy that starts while another still
// holds it (the hand-off) waits in the bus's queue and gets it when the other copy ends.
//
// Reporters speak the compositor's logical pixels; each report goes through the outputs' table
// into Xwayland's root pixels, which differ where X11 programs scale themselves.
//
// The reporters also tell, on Qt's connection (a change of focus is rare), whether the focused
// window is full screen and where: FullScreen(b, x, y, width, height).
class BusPointerSource : public CompositorSource
{
    Q_OBJECT

public:
    // How long a copy waits for the name before saying another program holds it (a copy that
    // hands over ends within a second).
    static constexpr int kNameWaitMs = 5000;
    // Answers on Qt's connection come no sooner than this (half a tick) after the previous one:
    // a reporter of an older Zorrit waits for each answer before it sends again.
    static constexpr int kAnswerDelayMs = trail::kTickMs / 2;
    // Reports are kept within X11's 16-bit coordinates.
    static constexpr int kCoordinateLimit = 32767;

    // `compositor`: the bus name whose owner alone may report.
    explicit BusPointerSource(const char *compositor, QObject *parent = nullptr);
    ~BusPointerSource() override;

    void readAtTick() override;

    // Whether the name is ours now, as the bus last told us.
    bool ownsName() const { return m_ownsName; }
    // Where the reporters send: the report connection's unique name (Qt's own where that
    // connection could not be made).
    QString reportTo() const { return m_reportTo; }
    // Whether a compositor holds `name` on the session bus; false where there is no bus.
    static bool busHas(const char *name);
    // Reports taken so far: a count that stands still when the reports stop.
    quint32 reportCount() const { return m_reports.load(std::memory_order_relaxed); }

Q_SIGNALS:
    void nameAcquired();
    void nameLost();

protected:
    // Reports stay in the compositor's logical pixels (the sprites are its surfaces); before
    // listen().
    void keepLogicalPixels(bool keep) { m_logicalPixels = keep; }
    // Where the focused window's reports go; null: nowhere.
    void reportFullScreenTo(ReportedFullScreen *fullScreen) { m_fullScreen = fullScreen; }
    // Serves the reports and asks for the name (owned at once, or queued).
    StartResult listen();
    void watchSocket(bool watched) override;

private:
    friend class PointerReceiver;
    static void discard(PointerReceiver *receiver);
    void readNow();
    // From any thread: the receiver's, the tick's, the GUI thread's.
    void reportLogical(int x, int y);
    // From the receiver's thread; taken over to this object's.
    void reportFocused(bool fullScreen, QRect area);
    static QPoint within16Bits(QPoint point);
    // Whether a call on Qt's connection comes from the compositor; from the receiver's thread.
    bool fromCompositor(const QString &sender) const;

    // Lives on Qt D-Bus's own thread, which then answers the calls without waking ours; only a
    // sleeping trail's wake-up (the moved signal) comes over to the main thread.
    PointerReceiver *m_receiver = nullptr;
    const char *m_compositor;
    // The compositor's owner as Qt's connection last heard it; the receiver reads it.
    mutable std::mutex m_ownerLock;
    QString m_owner;
    std::atomic<quint32> m_reports{0};
    bool m_ownsName = false;
    QString m_reportTo;
    QTimer m_nameWait;
    // The tick and, while the trail sleeps, the GUI thread read it; never both at once, and
    // never while calling Qt.
    std::mutex m_readLock;
    std::unique_ptr<platform::BusReportReader> m_reader;
    QSocketNotifier *m_watch = nullptr;
    OutputMapping m_mapping;
    OutputWatch *m_outputWatch = nullptr;
    bool m_logicalPixels = false;
    ReportedFullScreen *m_fullScreen = nullptr;
};

} // namespace zorrit::pointer
