// SPDX-License-Identifier: GPL-3.0-or-later
// Pointer sources fed over the session bus: a KWin script of ours, or our GNOME Shell extension,
// calls Moved(x, y) on Zorrit's connection when the pointer moves.
#pragma once

#include "output_mapping.h"

#include "platform/pointer_source.h"

#include <QString>

namespace zorrit::pointer {

class OutputWatch;
class PointerReceiver;

// A reporter keeps at most one call in flight and, when the pointer moved meanwhile, sends the
// latest position as soon as the answer comes. The answer comes no sooner than half a tick after
// the previous one, so however fast the mouse reports (up to 1000 times a second), Zorrit hears
// of it at most about 100 times a second, and never more than half a tick late.
//
// The well-known name is held without allowing replacement, so no other program can take it
// from a running Zorrit. A copy that starts while another still holds it (the hand-off) waits
// in the bus's queue and gets it when the other copy ends.
//
// Reporters speak the compositor's logical pixels; each report goes through the outputs' table
// into Xwayland's root pixels, which differ where X11 programs scale themselves.
class BusPointerSource : public platform::PointerSource
{
    Q_OBJECT

public:
    static constexpr int kAnswerDelayMs = 10;

    using PointerSource::PointerSource;
    ~BusPointerSource() override;

    // Serves Moved and asks for the name (owned at once, or queued); false (with the reason)
    // when there is no session bus or the bus refuses.
    bool listen(QString *error);
    // Whether the name is ours now, as the bus last told us.
    bool ownsName() const { return m_ownsName; }
    // This connection's unique name, which our reporters call.
    static QString uniqueName();

Q_SIGNALS:
    void nameAcquired();
    void nameLost();

private:
    friend class PointerReceiver;
    static void discard(PointerReceiver *receiver);
    // From the receiver's thread.
    void reportLogical(int x, int y);

    // Lives on Qt D-Bus's own thread, which then answers the calls without waking ours; only a
    // sleeping trail's wake-up (the moved signal) comes over to the main thread.
    PointerReceiver *m_receiver = nullptr;
    bool m_ownsName = false;
    OutputMapping m_mapping;
    OutputWatch *m_outputWatch = nullptr;
};

} // namespace zorrit::pointer
