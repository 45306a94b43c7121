// SPDX-License-Identifier: GPL-3.0-or-later
// Pointer sources fed over the session bus: a KWin script of ours, or our GNOME Shell extension,
// calls Moved(x, y) on the name Zorrit owns when the pointer moves.
#pragma once

#include "platform/pointer_source.h"

#include <QString>

namespace zorrit::pointer {

class PointerReceiver;

// A reporter keeps at most one call in flight and, when the pointer moved meanwhile, sends the
// latest position as soon as the answer comes. The answer comes no sooner than half a tick after
// the previous one, so however fast the mouse reports (up to 1000 times a second), Zorrit hears
// of it at most about 100 times a second, and never more than half a tick late.
class BusPointerSource : public platform::PointerSource
{
    Q_OBJECT

public:
    static constexpr int kAnswerDelayMs = 10;

    using PointerSource::PointerSource;
    ~BusPointerSource() override;

    // Owns the bus name and serves Moved on it; false (with the reason) when the session bus
    // is missing or another program has the name.
    bool listen(QString *error);
    // Whether the name is still ours, i.e. no later copy took it over.
    bool ownsName() const;

private:
    friend class PointerReceiver;
    static void discard(PointerReceiver *receiver);

    // Lives on Qt D-Bus's own thread, which then answers the calls without waking ours; only a
    // sleeping trail's wake-up (the moved signal) comes over to the main thread.
    PointerReceiver *m_receiver = nullptr;
};

} // namespace zorrit::pointer
