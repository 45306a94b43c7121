// SPDX-License-Identifier: GPL-3.0-or-later
// Pointer sources fed over the session bus: a KWin script of ours, or our GNOME Shell extension,
// calls Moved(x, y) on the name Zorrit owns when the pointer moves.
#pragma once

#include "pointer_source.h"

#include <QString>

class QDBusServiceWatcher;

namespace platform {

// The bus contract shared by the KWin script and the GNOME Shell extension.
inline constexpr char kPointerBusName[] = "org.rediroriro.Zorrit";
inline constexpr char kPointerObjectPath[] = "/Pointer";
inline constexpr char kPointerInterface[] = "org.rediroriro.Zorrit.Pointer";

class PointerReceiver;

// A reporter keeps at most one call in flight and, when the pointer moved meanwhile, sends the
// latest position as soon as the answer comes. The answer comes no sooner than half a tick after
// the previous one, so however fast the mouse reports (up to 1000 times a second), Zorrit hears
// of it at most about 100 times a second, and never more than half a tick late.
class BusPointerSource : public PointerSource
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

// KWin 5.27 and later: a script loaded into KWin reports workspace.cursorPos at every
// workspace.cursorPosChanged. Unloaded again when this object goes.
class KWinPointerSource final : public BusPointerSource
{
    Q_OBJECT

public:
    static constexpr char kPluginName[] = "zorrit-pointer";

    using BusPointerSource::BusPointerSource;
    ~KWinPointerSource() override;

    // Writes the script into `folder`, unloads one left behind by a copy that was killed, loads
    // ours and starts it; again whenever KWin comes back (a restart of KWin loses its scripts).
    bool start(const QString &folder, QString *error);
    static QByteArray scriptText();

private:
    bool load(QString *error);

    QString m_path;
    bool m_loaded = false;
    QDBusServiceWatcher *m_kwinWatch = nullptr;
};

// GNOME Shell 43 and later: our companion extension reports the pointer once it is enabled.
class GnomePointerSource final : public BusPointerSource
{
    Q_OBJECT

public:
    static constexpr char kExtensionUuid[] = "zorrit-pointer@rediroriro.org";
    enum class Extension { Enabled, NotEnabled, Missing };

    using BusPointerSource::BusPointerSource;
    // Asks GNOME Shell about our extension.
    static Extension extensionState();
};

} // namespace platform
