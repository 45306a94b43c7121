// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer in a KWin session: a script of ours, loaded into KWin, reports it.
#pragma once

#include "bus_pointer_source.h"

class QDBusServiceWatcher;

namespace zorrit::pointer {

// KWin 5.27 and later: the script reports workspace.cursorPos at every
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

} // namespace zorrit::pointer
