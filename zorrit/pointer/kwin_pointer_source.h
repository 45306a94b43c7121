// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer in a KWin session: a script of ours, loaded into KWin, reports it.
#pragma once

#include "bus_pointer_source.h"

class QDBusServiceWatcher;

namespace zorrit::pointer {

// KWin 5.27 and later: the script reports workspace.cursorPos at every
// workspace.cursorPosChanged, calling this copy's unique bus name, so that only this copy hears
// it. The copy that holds the well-known name runs the script: it loads it when the name comes
// (at once, or when the copy before it has ended) and again whenever KWin comes back (a restart
// of KWin loses its scripts), and unloads it in unload().
class KWinPointerSource final : public BusPointerSource
{
    Q_OBJECT

public:
    static constexpr char kPluginName[] = "zorrit-pointer";

    explicit KWinPointerSource(const QString &folder, QObject *parent = nullptr);
    ~KWinPointerSource() override;

    // Serves Moved and loads the script once the name is ours; false when the bus or KWin
    // refuses at start.
    bool start(QString *error);
    // Unloads our script from KWin, if it is loaded; the last step of quitting.
    void unload();
    // The script as loaded, calling `receiver`.
    static QByteArray scriptText(const QString &receiver);

Q_SIGNALS:
    // The script stopped reporting, or could not be loaded; says why.
    void lost(const QString &why);

private:
    bool load(QString *error);

    QString m_path;
    bool m_loaded = false;
    QDBusServiceWatcher *m_kwinWatch = nullptr;
};

} // namespace zorrit::pointer
